#include "win32/about_dialog.h"

#include <cstdio>

#include "win32/resource_ids.h"
#include "win32/saver_state.h"

namespace {

constexpr int kLineCapacity = 512;

BOOL OnInitAbout(HWND dialog) {
    char line[kLineCapacity];
    // The resource texts hold at most 99 characters each, so the product line always fits.
    std::snprintf(line, sizeof line, "%s version %s", theShell.windowTitle, theShell.versionText);
    SetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, line);
    line[0] = '\0';
    LoadStringA(theShell.instance, IDS_CREDIT_LINE, line, kLineCapacity);
    SetDlgItemTextA(dialog, IDC_ABOUT_CREDIT, line);
    SetDlgItemTextA(dialog, IDC_ABOUT_NOTICE, theShell.noticeText);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return OnInitAbout(dialog);
    if (message == WM_COMMAND) {
        const int command = LOWORD(wParam);
        // Esc and the close box arrive as IDCANCEL and end the box like OK.
        if (command == IDOK || command == IDCANCEL) {
            EndDialog(dialog, command);
            return TRUE;
        }
    }
    return FALSE;
}
