// The About box shows the texts of the context it is given, from the module the context names.

#include "win32/about_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/resource_ids.h"
#include "win32_test_support.h"

namespace {

struct ShownTexts {
    bool found;
    std::string product;
    std::string credit;
    std::string notice;
};

ShownTexts shown{};

std::string ItemText(HWND dialog, int id) {
    char text[512] = {0};
    GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
    return text;
}

// Reads the box's labels and closes it as Esc would.
BOOL CALLBACK ReadAndClose(HWND window, LPARAM) {
    char className[16] = {0};
    GetClassNameA(window, className, static_cast<int>(sizeof className));
    if (std::string(className) != "#32770") return TRUE;
    shown = {true, ItemText(window, IDC_ABOUT_PRODUCT), ItemText(window, IDC_ABOUT_CREDIT),
             ItemText(window, IDC_ABOUT_NOTICE)};
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return FALSE;
}

// Runs inside the box's modal loop.
void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!shown.found) EnumThreadWindows(GetCurrentThreadId(), ReadAndClose, 0);
}

TEST(AboutDialog, ShowsTheTextsOfItsContext) {
    if (!HaveDisplay()) GTEST_SKIP() << "no X display";
    // The templates, picture and credit line live in the saver's resources.
    HMODULE saver = LoadLibraryExA(QUORVANE_TEST_SAVER_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(saver, nullptr) << QUORVANE_TEST_SAVER_PATH;
    char credit[512] = {0};
    ASSERT_GT(LoadStringA(saver, IDS_CREDIT_LINE, credit, static_cast<int>(sizeof credit)), 0);

    const AboutContext context{saver, "Testvane", "9.99", "A notice for the test"};
    shown = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTimer);
    const INT_PTR code = ShowAboutDialog(context, nullptr);
    KillTimer(nullptr, timer);
    FreeLibrary(saver);

    EXPECT_EQ(code, IDCANCEL);
    ASSERT_TRUE(shown.found) << "the box did not open";
    EXPECT_EQ(shown.product, "Testvane version 9.99");
    EXPECT_EQ(shown.credit, credit);
    EXPECT_EQ(shown.notice, "A notice for the test");
}

}  // namespace
