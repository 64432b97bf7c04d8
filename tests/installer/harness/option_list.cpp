// Reports whether the option list (the tree view) of a visible wizard window has a horizontal
// scroll bar, i.e. whether an option's text is wider than the list.
// Usage: option_list <title part> <timeout ms>; prints "hscroll 0|1" for each list found; exits 0
// when one was found, 3 when none came in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    const char* titlePart;
    int found;
};

BOOL CALLBACK PrintList(HWND control, LPARAM data) {
    char className[64] = {};
    GetClassNameA(control, className, sizeof className);
    if (std::strcmp(className, "SysTreeView32") != 0 || !IsWindowVisible(control)) return TRUE;
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    std::printf("hscroll %d\n", (style & WS_HSCROLL) != 0 ? 1 : 0);
    ++reinterpret_cast<Search*>(data)->found;
    return TRUE;
}

BOOL CALLBACK MatchWizard(HWND window, LPARAM data) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    auto* search = reinterpret_cast<Search*>(data);
    if (IsWindowVisible(window) && std::strstr(title, search->titlePart) != nullptr) {
        EnumChildWindows(window, PrintList, data);
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: option_list <title part> <timeout ms>\n");
        return 2;
    }
    Search search{argv[1], 0};
    const DWORD timeout = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    const DWORD start = GetTickCount();
    while (search.found == 0 && GetTickCount() - start < timeout) {
        EnumWindows(MatchWizard, reinterpret_cast<LPARAM>(&search));
        if (search.found == 0) Sleep(100);
    }
    return search.found > 0 ? 0 : 3;
}
