// Stands in for the desktop settings' preview pane: a top-level window whose handle the saver gets
// with /p. Prints "window <hwnd>" and then obeys one command per line of standard input:
//   child    prints "child <hwnd> <width> <height> <is WS_CHILD> <visible>" or "child none"
//   alive    prints "alive <0|1>" for the child last reported
//   front    brings the window to the foreground (as switching to it would), prints
//            "front <now the foreground window: 0|1>"
//   destroy  destroys the window, prints "destroyed <child still a window: 0|1>" and exits
// The child belongs to another process, so everything is asked through the window manager.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kCommandMessage = WM_APP + 1;
enum Command : WPARAM { kChild = 1, kAlive, kFront, kDestroy };

HWND gHost = nullptr;
HWND gChild = nullptr;

unsigned long long HandleNumber(HWND window) {
    return reinterpret_cast<unsigned long long>(window);
}

void ReportChild() {
    gChild = GetWindow(gHost, GW_CHILD);
    if (gChild == nullptr) {
        std::printf("child none\n");
        std::fflush(stdout);
        return;
    }
    RECT client{};
    GetClientRect(gChild, &client);
    const LONG_PTR style = GetWindowLongPtrA(gChild, GWL_STYLE);
    std::printf("child %llu %ld %ld %d %d\n", HandleNumber(gChild), client.right, client.bottom,
                (style & WS_CHILD) != 0 ? 1 : 0, IsWindowVisible(gChild) ? 1 : 0);
    std::fflush(stdout);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCommandMessage) {
        switch (wParam) {
            case kChild:
                ReportChild();
                break;
            case kAlive:
                std::printf("alive %d\n", gChild != nullptr && IsWindow(gChild) ? 1 : 0);
                std::fflush(stdout);
                break;
            case kFront:
                SetForegroundWindow(window);
                std::printf("front %d\n", GetForegroundWindow() == window ? 1 : 0);
                std::fflush(stdout);
                break;
            case kDestroy:
                DestroyWindow(window);
                // Give the saver's process the moment it needs to see its window go.
                Sleep(200);
                std::printf("destroyed %d\n", gChild != nullptr && IsWindow(gChild) ? 1 : 0);
                std::fflush(stdout);
                PostQuitMessage(0);
                break;
            default:
                break;
        }
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Standard input blocks, so it is read on its own thread and handed to the window as messages.
DWORD WINAPI ReadCommands(void*) {
    char line[64];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        WPARAM command = 0;
        if (std::strncmp(line, "child", 5) == 0) command = kChild;
        if (std::strncmp(line, "alive", 5) == 0) command = kAlive;
        if (std::strncmp(line, "front", 5) == 0) command = kFront;
        if (std::strncmp(line, "destroy", 7) == 0) command = kDestroy;
        if (command != 0) PostMessageA(gHost, kCommandMessage, command, 0);
        if (command == kDestroy) break;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc > 1 ? std::atoi(argv[1]) : 152;
    const int height = argc > 2 ? std::atoi(argv[2]) : 112;
    const int left = argc > 3 ? std::atoi(argv[3]) : 100;
    const int top = argc > 4 ? std::atoi(argv[4]) : 100;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = "QuorvaneE2EHost";
    if (RegisterClassA(&windowClass) == 0) return 2;
    // A border-less popup: its client area is exactly the size asked for.
    gHost = CreateWindowExA(0, windowClass.lpszClassName, "Quorvane E2E host",
                            WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, left, top, width, height,
                            nullptr, nullptr, windowClass.hInstance, nullptr);
    if (gHost == nullptr) return 2;
    std::printf("window %llu\n", HandleNumber(gHost));
    std::fflush(stdout);

    HANDLE reader = CreateThread(nullptr, 0, ReadCommands, nullptr, 0, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (reader != nullptr) CloseHandle(reader);
    return 0;
}
