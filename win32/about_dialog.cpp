#include "win32/about_dialog.h"

#include <cstdio>

#include "win32/resource_ids.h"

namespace {

constexpr int kLineCapacity = 512;

BOOL OnInitAbout(HWND dialog, const AboutContext& context) {
    char line[kLineCapacity];
    // The resource texts hold at most 99 characters each, so the product line always fits.
    std::snprintf(line, sizeof line, "%s version %s", context.windowTitle, context.versionText);
    SetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, line);
    line[0] = '\0';
    LoadStringA(context.instance, IDS_CREDIT_LINE, line, kLineCapacity);
    SetDlgItemTextA(dialog, IDC_ABOUT_CREDIT, line);
    SetDlgItemTextA(dialog, IDC_ABOUT_NOTICE, context.noticeText);
    return TRUE;
}

// The context arrives with WM_INITDIALOG, the only message that reads it.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitAbout(dialog, *reinterpret_cast<const AboutContext*>(lParam));
    }
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

}  // namespace

INT_PTR ShowAboutDialog(const AboutContext& context, HWND owner) {
    return DialogBoxParamA(context.instance, MAKEINTRESOURCEA(IDD_ABOUT_DIALOG), owner,
                           AboutDialogProc, reinterpret_cast<LPARAM>(&context));
}
