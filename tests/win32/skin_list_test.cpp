// The settings dialog's side of the skin catalogue: the list box and the preview's skin.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "saver_window_harness.h"
#include "win32/skin_catalogue.h"

namespace {

std::string Narrow(const WideChar* text) {
    std::string out;
    for (; *text != 0; ++text)
        out.push_back(static_cast<char>(*text));
    return out;
}

struct ListFixture {
    TemporaryFolder folder;
    std::wstring skins = folder.File(L"skin");
    HWND list = nullptr;
    HDC previewDC = nullptr;
    HGDIOBJ firstBitmap = nullptr;

    ListFixture() {
        CreateDirectoryW(skins.c_str(), nullptr);
        list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_NOTIFY, 0, 0, 100, 200, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        previewDC = CreateCompatibleDC(nullptr);
        firstBitmap = GetCurrentObject(previewDC, OBJ_BITMAP);
    }
    ~ListFixture() {
        HGDIOBJ skin = SelectObject(previewDC, firstBitmap);
        if (skin != firstBitmap) DeleteObject(skin);
        DeleteDC(previewDC);
        DestroyWindow(list);
    }

    SaverSettings Settings() const { return SettingsFor(folder.path(), L"", L""); }

    std::set<std::string> Entries() const {
        std::set<std::string> entries;
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[300] = {0};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.insert(text);
        }
        return entries;
    }

    int32_t PreviewWidth() const {
        BITMAP info{};
        GetObjectW(GetCurrentObject(previewDC, OBJ_BITMAP), sizeof(info), &info);
        return info.bmWidth;
    }
};

class SkinList : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!HaveDisplay()) GTEST_SKIP() << "no X display for Wine";
    }
};

TEST_F(SkinList, ListsTheBitmapFilesOfTheSkinFolder) {
    ListFixture fixture;
    WriteCellSkin(fixture.skins + L"\\Oak.bmp", 640, 448);
    WriteCellSkin(fixture.skins + L"\\Slate.bmp", 704, 448);
    WriteFileBytes(fixture.skins + L"\\notes.txt", "x");
    CreateDirectoryW((fixture.skins + L"\\Folder.bmp").c_str(), nullptr);
    ListSkinFiles(fixture.list, fixture.Settings());
    EXPECT_EQ(fixture.Entries(), (std::set<std::string>{"Oak.bmp", "Slate.bmp"}));
}

TEST_F(SkinList, SelectedNameIsKeptWhenNothingOrSomethingTooLongIsSelected) {
    ListFixture fixture;
    SendMessageA(fixture.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("First.bmp"));
    SendMessageA(fixture.list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(std::string(300, 'L').c_str()));
    SendMessageA(fixture.list, LB_SETCURSEL, 0, 0);
    EXPECT_EQ(Narrow(ReadSelectedSkinName(fixture.list)), "First.bmp");
    SendMessageA(fixture.list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Narrow(ReadSelectedSkinName(fixture.list)), "First.bmp");
    SendMessageA(fixture.list, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(Narrow(ReadSelectedSkinName(fixture.list)), "First.bmp");
}

TEST_F(SkinList, PreviewSkinFollowsTheSelectionAndAFailedLoadSaysSo) {
    ListFixture fixture;
    WriteCellSkin(fixture.skins + L"\\Oak.bmp", 640, 448);
    WriteCellSkin(fixture.skins + L"\\Slate.bmp", 704, 448);
    WriteFileBytes(fixture.skins + L"\\Broken.bmp", "not a bitmap");
    ListSkinFiles(fixture.list, fixture.Settings());
    const struct {
        const char* name;
        bool loaded;
        int32_t width;  // a failed load frees nothing the DC still holds
    } steps[] = {{"Slate.bmp", true, 704},
                 {"Oak.bmp", true, 640},
                 {"Broken.bmp", false, 640},
                 {"Slate.bmp", true, 704}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const LRESULT index =
            SendMessageA(fixture.list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(step.name));
        ASSERT_NE(index, LB_ERR);
        SendMessageA(fixture.list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        EXPECT_EQ(LoadPreviewSkin(fixture.Settings(), fixture.list, fixture.previewDC),
                  step.loaded);
        EXPECT_EQ(fixture.PreviewWidth(), step.width);
    }
}

}  // namespace
