// The About box, opened from the real saver's settings dialog.

#include <gtest/gtest.h>

#include <string>

#include "dialog_fixture.h"
#include "win32/resource_ids.h"

namespace {

// A string resource of the installed saver, read from its file.
std::wstring SaverString(UINT id) {
    wchar_t folder[MAX_PATH] = {0};
    GetSystemDirectoryW(folder, MAX_PATH);
    const std::wstring path = std::wstring(folder) + L"\\Quorvane.scr";
    HMODULE saver = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    wchar_t text[512] = {0};
    if (saver != nullptr) {
        LoadStringW(saver, id, text, 512);
        FreeLibrary(saver);
    }
    return text;
}

TEST_F(SettingsDialogTest, AboutShowsNameVersionCreditAndNoticeAndEscClosesOnlyIt) {
    Open();
    PostClick(dialog, IDC_ABOUT_BUTTON);
    HWND about = WaitForDialog("About", dialog, 10000);
    ASSERT_NE(about, nullptr) << "no About box owned by the settings dialog";

    EXPECT_EQ(ControlText(about, IDC_ABOUT_PRODUCT), L"Quorvane version 1.03");
    const std::wstring credit = SaverString(IDS_CREDIT_LINE);
    const std::wstring notice = SaverString(IDS_NOTICE_TEXT);
    EXPECT_FALSE(credit.empty());
    EXPECT_EQ(ControlText(about, IDC_ABOUT_CREDIT), credit);
    EXPECT_EQ(ControlText(about, IDC_ABOUT_NOTICE), notice);
    // The picture control takes the size of the bitmap the template names.
    HWND picture = GetDlgItem(about, IDC_ABOUT_PICTURE);
    EXPECT_NE(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    RECT client{};
    GetClientRect(picture, &client);
    EXPECT_EQ(client.right, 203);
    EXPECT_EQ(client.bottom, 61);

    PressKey(about, VK_ESCAPE);
    EXPECT_TRUE(WaitUntilGone(about, 5000));
    PumpFor(300);
    EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "Esc closed the settings too";
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EndWith(IDCANCEL);
}

TEST_F(SettingsDialogTest, AboutOkReturnsToTheSettings) {
    Open();
    PostClick(dialog, IDC_ABOUT_BUTTON);
    HWND about = WaitForDialog("About", dialog, 10000);
    ASSERT_NE(about, nullptr);
    ClickButton(about, IDOK);
    EXPECT_TRUE(WaitUntilGone(about, 5000));
    EXPECT_TRUE(IsWindow(dialog));
    EndWith(IDOK);
}

}  // namespace
