// Finds a message box (a top-level dialog of class #32770) by its caption, prints what it says and
// optionally presses its OK button, so a test can read a box that another process shows.
// Usage: read_box <caption> <timeout ms> [press]
// Prints "caption <text>", then "text <text>" for each static text, "icon" when a static shows an
// icon, "button <text>" for each button; exits 0 when a box was found, 3 when none came in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    const char* caption;
    HWND found;
};

bool HasClass(HWND window, const char* name) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, name) == 0;
}

BOOL CALLBACK MatchBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (HasClass(window, "#32770") && IsWindowVisible(window) &&
        std::strcmp(title, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    char text[1024] = {};
    GetWindowTextA(control, text, sizeof text);
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    if (HasClass(control, "Static")) {
        if ((style & SS_TYPEMASK) == SS_ICON) {
            std::printf("icon\n");
        } else if (text[0] != '\0') {
            std::printf("text %s\n", text);
        }
    } else if (HasClass(control, "Button")) {
        std::printf("button %s\n", text);
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: read_box <caption> <timeout ms> [press]\n");
        return 2;
    }
    Search search{argv[1], nullptr};
    const DWORD timeout = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    const bool press = argc > 3 && std::strcmp(argv[3], "press") == 0;

    const ULONGLONG deadline = GetTickCount64() + timeout;
    while (search.found == nullptr) {
        EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) break;
        if (GetTickCount64() > deadline) return 3;
        Sleep(100);
    }
    std::printf("caption %s\n", search.caption);
    EnumChildWindows(search.found, PrintControl, 0);
    std::fflush(stdout);
    if (press) PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
}
