// The yardstick for the saver's benchmark: a Wine process that does nothing but wait in a message
// loop, so that Wine's own background cost can be subtracted from the saver's.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
