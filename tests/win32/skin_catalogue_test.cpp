// Finding and loading skins from a private installation folder.

#include "win32/skin_catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

TEST(SkinCatalogue, NamedSkinIsUsedEveryRun) {
    SkinFolder install;
    install.Add(L"Quorvane.bmp", 640);
    install.Add(L"Other.bmp", 704);
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::srand(seed);
        EXPECT_EQ(WidthOf(LoadSaverSkin(install.Settings(L"Quorvane.bmp", 0))), 640);
        EXPECT_EQ(WidthOf(LoadSaverSkin(install.Settings(L"Other.bmp", 0))), 704);
    }
}

TEST(SkinCatalogue, NamedSkinThatDoesNotLoadFallsBackToARandomOne) {
    SkinFolder install;
    install.Add(L"Only.bmp", 704);
    WriteFileBytes(install.skins + L"\\Broken.bmp", "not a bitmap");
    const std::wstring overlong = std::wstring(240, L'x') + L".bmp";
    const std::wstring names[] = {L"Missing.bmp", L"", L"Broken.bmp", overlong};
    for (const std::wstring& name : names) {
        SCOPED_TRACE(std::string(name.begin(), name.end()).substr(0, 20));
        for (unsigned seed = 1; seed <= 8; ++seed) {
            std::srand(seed);
            EXPECT_EQ(WidthOf(LoadSaverSkin(install.Settings(name, 0))), 704) << "seed " << seed;
        }
    }
}

TEST(SkinCatalogue, BrokenFilesAmongGoodOnesNeverLeaveTheRunWithoutASkin) {
    SkinFolder install;
    WriteFileBytes(install.skins + L"\\A-broken.bmp", "not a bitmap");
    install.Add(L"C.bmp", 640);
    WriteFileBytes(install.skins + L"\\D-broken.bmp", "BM");
    install.Add(L"E.bmp", 704);
    std::set<int32_t> widths;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::srand(seed);
        const int32_t width = WidthOf(PickRandomSkin(install.Settings(L"", 1)));
        EXPECT_TRUE(width == 640 || width == 704) << "seed " << seed << ": " << width;
        widths.insert(width);
    }
    EXPECT_EQ(widths, (std::set<int32_t>{640, 704})) << "still a random pick";
}

TEST(SkinCatalogue, OverlongComposedPathIsAFailedLoad) {
    SkinFolder install;
    // Cut to 259 characters, this path would name the file that exists.
    const std::wstring folderPart = install.skins + L"\\";
    const std::wstring stem(259 - folderPart.size(), L'y');
    const std::wstring overlong = stem + L".bmp";
    WriteCellSkin(folderPart + stem);
    SaverSettings settings = install.Settings(overlong, 0);
    EXPECT_EQ(LoadSkinNamed(settings, "\\Skin\\", settings.skinName), nullptr);
}

TEST(SkinCatalogue, ALoneSkinIsTakenWithoutDrawingARandomNumber) {
    SkinFolder install;
    install.Add(L"Lone.bmp", 704);
    std::srand(99);
    const int first = std::rand();
    std::srand(99);
    EXPECT_EQ(WidthOf(PickRandomSkin(install.Settings(L"", 1))), 704);
    EXPECT_EQ(std::rand(), first);
}

TEST(SkinCatalogue, RandomPickReachesEverySkin) {
    SkinFolder install;
    install.Add(L"A.bmp", 640);
    install.Add(L"B.bmp", 704);
    install.Add(L"C.bmp", 768);
    std::set<int32_t> widths;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::srand(seed);
        widths.insert(WidthOf(LoadSaverSkin(install.Settings(L"A.bmp", 1))));
    }
    EXPECT_EQ(widths, (std::set<int32_t>{640, 704, 768}));
}

TEST(SkinCatalogue, AFolderNamedLikeASkinIsNeverPicked) {
    SkinFolder install;
    CreateDirectoryW((install.skins + L"\\Aaa.bmp").c_str(), nullptr);
    install.Add(L"Zzz.bmp", 704);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        EXPECT_EQ(WidthOf(PickRandomSkin(install.Settings(L"", 1))), 704) << "seed " << seed;
    }
}

TEST(SkinCatalogue, NoSkinsGiveNoBitmap) {
    SkinFolder empty;
    EXPECT_EQ(PickRandomSkin(empty.Settings(L"", 1)), nullptr);
    EXPECT_EQ(LoadSaverSkin(empty.Settings(L"Quorvane.bmp", 0)), nullptr);
    TemporaryFolder noSkinFolder;
    const SaverSettings settings = SettingsFor(noSkinFolder.path(), L"", L"Quorvane.bmp");
    EXPECT_EQ(LoadSaverSkin(settings), nullptr);
}

}  // namespace
