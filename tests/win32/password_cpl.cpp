// A stand-in for the control-panel password module: VerifyScreenSavePwd answers as the test says,
// counts its calls, and can replay input to the saver window while it "asks".

#include <windows.h>

namespace {

BOOL answer = TRUE;
LONG calls = 0;
HWND target = nullptr;

}  // namespace

extern "C" {

__declspec(dllexport) void WINAPI SetPasswordTestAnswer(BOOL newAnswer, HWND newTarget) {
    answer = newAnswer;
    target = newTarget;
    calls = 0;
}

__declspec(dllexport) LONG WINAPI PasswordTestCalls() {
    return calls;
}

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND) {
    ++calls;
    if (target != nullptr) {
        // While the dialog would be up: a key, a mouse jump and a close request arrive.
        SendMessageA(target, WM_KEYDOWN, VK_SPACE, 0);
        POINT cursor;
        GetCursorPos(&cursor);
        SetCursorPos(cursor.x + 50, cursor.y + 50);
        SendMessageA(target, WM_MOUSEMOVE, 0, 0);
        SendMessageA(target, WM_CLOSE, 0, 0);
        SendMessageA(target, WM_TIMER, 1, 0);
    }
    return answer;
}
}
