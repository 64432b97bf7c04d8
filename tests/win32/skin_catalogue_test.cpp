// Finding and loading skins from a private installation folder.

#include "win32/skin_catalogue.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <set>
#include <string>

#include "win32_test_support.h"

namespace {

// Width of a loaded bitmap, or 0 for none; skins of different widths tell which file loaded.
int32_t WidthOf(HBITMAP bitmap) {
    if (bitmap == nullptr) return 0;
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    DeleteObject(bitmap);
    return info.bmWidth;
}

struct SkinFolder {
    TemporaryFolder folder;
    std::wstring skins;

    SkinFolder() : skins(folder.File(L"Skin")) { CreateDirectoryW(skins.c_str(), nullptr); }

    void Add(const std::wstring& name, int32_t width) {
        WriteCellSkin(skins + L"\\" + name, width, 448);
    }

    SaverSettings Settings(const std::wstring& skinName, int32_t randomSkin) const {
        SaverSettings settings = SettingsFor(folder.path(), L"", skinName);
        settings.randomSkin = randomSkin;
        return settings;
    }
};

TEST(SkinCatalogue, ListsTheSkinFilesAndNoFolderSoNamed) {
    SkinFolder install;
    CreateDirectoryW((install.skins + L"\\Aaa.bmp").c_str(), nullptr);
    install.Add(L"B.bmp", 640);
    install.Add(L"C.bmp", 704);
    WriteFileBytes(install.skins + L"\\notes.txt", "x");
    SkinName names[kMaxRandomSkins];
    const SaverSettings settings = install.Settings(L"", 1);
    ASSERT_EQ(ListSkinNames(settings, names, kMaxRandomSkins), 2);
    std::set<std::wstring> listed{names[0].text, names[1].text};
    EXPECT_EQ(listed, (std::set<std::wstring>{L"B.bmp", L"C.bmp"}));
    EXPECT_EQ(ListSkinNames(settings, names, 1), 1) << "the search stops at the capacity";
    TemporaryFolder noSkinFolder;
    EXPECT_EQ(ListSkinNames(SettingsFor(noSkinFolder.path(), L"", L""), names, kMaxRandomSkins), 0);
}

TEST(SkinCatalogue, OnlyABitmapFileLoadsAsASkin) {
    SkinFolder install;
    install.Add(L"Good.bmp", 704);
    WriteFileBytes(install.skins + L"\\Broken.bmp", "not a bitmap");
    WriteFileBytes(install.skins + L"\\Short.bmp", "BM");
    const SaverSettings settings = install.Settings(L"", 1);
    EXPECT_EQ(WidthOf(LoadSkinNamed(settings, kSaverSkinFolder, L"Good.bmp")), 704);
    for (const wchar_t* name : {L"Broken.bmp", L"Short.bmp", L"Missing.bmp", L""}) {
        EXPECT_EQ(LoadSkinNamed(settings, kSaverSkinFolder, name), nullptr)
            << std::string(name, name + std::wcslen(name));
    }
}

TEST(SkinCatalogue, OverlongComposedPathIsAFailedLoad) {
    SkinFolder install;
    // Cut to 259 characters, this path would name the file that exists.
    const std::wstring folderPart = install.skins + L"\\";
    const std::wstring stem(259 - folderPart.size(), L'y');
    const std::wstring overlong = stem + L".bmp";
    WriteCellSkin(folderPart + stem);
    SaverSettings settings = install.Settings(overlong, 0);
    EXPECT_EQ(LoadSkinNamed(settings, kSaverSkinFolder, settings.skinName), nullptr);
}

TEST(SkinCatalogue, LargerDrawingsAreFilesOfTheirScalesFolderAndSize) {
    SkinFolder install;
    CreateDirectoryW((install.skins + L"\\x2").c_str(), nullptr);
    CreateDirectoryW((install.skins + L"\\x4").c_str(), nullptr);
    WriteCellSkin(install.skins + L"\\x2\\Big.bmp", 1280, 896);
    WriteCellSkin(install.skins + L"\\x4\\Big.bmp", 640, 448);  // the wrong size
    CreateDirectoryW((install.skins + L"\\x2\\Folder.bmp").c_str(), nullptr);
    const SaverSettings settings = install.Settings(L"", 1);
    EXPECT_TRUE(HasLargeSkinFile(settings, L"Big.bmp", 2));
    EXPECT_TRUE(HasLargeSkinFile(settings, L"Big.bmp", 4));
    EXPECT_FALSE(HasLargeSkinFile(settings, L"Folder.bmp", 2));
    EXPECT_FALSE(HasLargeSkinFile(settings, L"Gone.bmp", 2));
    EXPECT_EQ(WidthOf(LoadLargeSkin(settings, L"Big.bmp", 2)), 1280);
    EXPECT_EQ(LoadLargeSkin(settings, L"Big.bmp", 4), nullptr);
}

}  // namespace
