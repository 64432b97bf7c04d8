// Reports the option list (the tree view) of a visible wizard window: whether it has a horizontal
// scroll bar, i.e. whether an option's text is wider than the list, and each option with its tick.
// Usage: option_list <title part> <timeout ms>; prints for each list found "hscroll 0|1", then
// "option <tick> <text>" for each option in list order, <tick> being the wizard's check image:
// 1 unticked, 2 ticked, 3 partly ticked, 4 to 6 the same when read-only. Exits 0 when a list was
// found, 3 when none came in time.
#include <windows.h>
// The tree view's messages; after <windows.h>, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kTextChars = 256;

struct Search {
    const char* titlePart;
    int found;
};

// Depth first, as the list shows them.
HTREEITEM NextItem(HWND tree, HTREEITEM item) {
    if (HTREEITEM child = TreeView_GetChild(tree, item)) return child;
    for (; item != nullptr; item = TreeView_GetParent(tree, item)) {
        if (HTREEITEM next = TreeView_GetNextSibling(tree, item)) return next;
    }
    return nullptr;
}

// The list belongs to the wizard's process: the item record it fills, and the text buffer the
// record points to, must lie in that process's memory.
void PrintOptions(HWND tree) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return;
    const SIZE_T size = sizeof(TVITEMW) + kTextChars * sizeof(wchar_t);
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    for (HTREEITEM item = TreeView_GetRoot(tree); remote != nullptr && item != nullptr;
         item = NextItem(tree, item)) {
        TVITEMW record{};
        record.mask = TVIF_TEXT | TVIF_STATE;
        record.hItem = item;
        record.stateMask = TVIS_STATEIMAGEMASK;
        record.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
        record.cchTextMax = kTextChars;
        wchar_t text[kTextChars] = {};
        if (!WriteProcessMemory(process, remote, &record, sizeof record, nullptr) ||
            SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)) == 0 ||
            !ReadProcessMemory(process, remote, &record, sizeof record, nullptr) ||
            !ReadProcessMemory(process, remote + sizeof(TVITEMW), text, sizeof text, nullptr)) {
            std::printf("option ? (unreadable)\n");
            continue;
        }
        text[kTextChars - 1] = L'\0';
        char utf8[kTextChars * 3] = {};
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
        std::printf("option %u %s\n", (record.state & TVIS_STATEIMAGEMASK) >> 12, utf8);
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
}

BOOL CALLBACK PrintList(HWND control, LPARAM data) {
    char className[64] = {};
    GetClassNameA(control, className, sizeof className);
    if (std::strcmp(className, "SysTreeView32") != 0 || !IsWindowVisible(control)) return TRUE;
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    std::printf("hscroll %d\n", (style & WS_HSCROLL) != 0 ? 1 : 0);
    PrintOptions(control);
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
