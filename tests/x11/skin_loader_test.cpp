#include "x11/skin_loader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "display/bitmap_file.h"
#include "display/skin_choice.h"
#include "tests/x11/temp_folder.h"
#include "x11/config_file.h"

namespace {

void Put32(std::string& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 24-bit bitmap, bottom-up as the skin tool writes it; pixel (x, y) = colour(x, y).
template <typename Colour>
std::string Bitmap(int32_t width, int32_t height, Colour colour) {
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    std::string bytes(54 + rowBytes * static_cast<size_t>(height), '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, 54);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<uint32_t>(width));
    Put32(bytes, 22, static_cast<uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = 54 + rowBytes * static_cast<size_t>(height - 1 - y);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t rgb = colour(x, y);
            const size_t at = row + static_cast<size_t>(x) * 3;
            bytes[at] = static_cast<char>(rgb & 0xFF);
            bytes[at + 1] = static_cast<char>((rgb >> 8) & 0xFF);
            bytes[at + 2] = static_cast<char>((rgb >> 16) & 0xFF);
        }
    }
    return bytes;
}

std::string Plain(int32_t width, int32_t height, uint32_t rgb) {
    return Bitmap(width, height, [rgb](int32_t, int32_t) { return rgb; });
}

TEST(SkinLoader, ASkinLoadsPixelForPixel) {
    TempFolder folder;
    const std::string path = folder.Write("Skin/a.bmp", Bitmap(640, 448, [](int32_t x, int32_t y) {
                                              return static_cast<uint32_t>(x << 10 | y);
                                          }));
    PixelImage skin{};
    ASSERT_TRUE(LoadSkinFile(path, skin));
    EXPECT_EQ(skin.width, 640);
    EXPECT_EQ(skin.height, 448);
    EXPECT_EQ(skin.pixels[0], 0u);
    EXPECT_EQ(skin.pixels[static_cast<size_t>(447 * 640 + 639)],
              static_cast<uint32_t>(639 << 10 | 447));
    EXPECT_EQ(skin.pixels[static_cast<size_t>(5 * 640 + 7)], static_cast<uint32_t>(7 << 10 | 5));
}

TEST(SkinLoader, RefusesWhatTheWindowsSaverRefuses) {
    TempFolder folder;
    std::string cut = Plain(640, 448, 0x808080);
    cut.pop_back();
    std::string claimsMore = Plain(64, 64, 1);
    Put32(claimsMore, 22, 100000);  // rows the file does not hold
    struct RefusalCase {
        const char* name;
        std::string bytes;
    };
    const RefusalCase cases[] = {
        {"cut short by one byte", cut},
        {"claims more rows than it holds", claimsMore},
        {"wider than the limit", Plain(static_cast<int32_t>(kMaxSkinSide) + 1, 1, 0)},
        {"no bitmap", "\x89PNG\r\n\x1a\n not a bitmap at all, but long enough to be read......"},
        {"empty", ""},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        PixelImage skin = MakePixelImage(1, 1, 7);
        EXPECT_FALSE(LoadSkinFile(folder.Write("s.bmp", c.bytes), skin));
        EXPECT_EQ(skin.width, 1);  // untouched
    }
    PixelImage skin{};
    EXPECT_FALSE(LoadSkinFile((folder.path / "none.bmp").string(), skin));
    EXPECT_FALSE(LoadSkinFile(folder.path.string(), skin));  // a folder
}

TEST(SkinLoader, ListsBitmapFilesOnlySortedAndAtMostAHundred) {
    TempFolder folder;
    folder.Write("b.BMP", "x");
    folder.Write("a.bmp", "x");
    folder.Write("notes.txt", "x");
    folder.Write(".bmp", "x");
    std::filesystem::create_directories(folder.path / "folder.bmp");
    EXPECT_EQ(ListSkinFiles(folder.path.string()), (std::vector<std::string>{"a.bmp", "b.BMP"}));
    for (int i = 0; i < 120; ++i)
        folder.Write("many" + std::to_string(1000 + i) + ".bmp", "x");
    EXPECT_EQ(ListSkinFiles(folder.path.string()).size(), static_cast<size_t>(kMaxRandomSkins));
    EXPECT_TRUE(ListSkinFiles((folder.path / "absent").string()).empty());
}

TEST(SkinLoader, NamedSkinsLoadFromTheDataFoldersSkinFolder) {
    TempFolder folder;
    SaverSettings settings{};
    LoadSettingsFile(settings, "", folder.path.string());
    PixelImage skin{};
    EXPECT_FALSE(LoadNamedSkin(settings, "Red.bmp", skin));  // no Skin folder at all
    folder.Write("Skin/Red.bmp", Plain(640, 448, 0xFF0000));
    folder.Write("Skin/Blue.bmp", "broken");
    EXPECT_EQ(ListSaverSkins(settings), (std::vector<std::string>{"Blue.bmp", "Red.bmp"}));
    ASSERT_TRUE(LoadNamedSkin(settings, "Red.bmp", skin));
    EXPECT_EQ(skin.pixels[0], 0xFF0000u);
    EXPECT_FALSE(LoadNamedSkin(settings, "Blue.bmp", skin));
    EXPECT_FALSE(LoadNamedSkin(settings, "", skin));  // names the folder itself
    EXPECT_EQ(skin.pixels[0], 0xFF0000u);             // untouched
}

TEST(SkinLoader, LargerDrawingsComeFromTheScaleFolders) {
    TempFolder folder;
    SaverSettings settings{};
    LoadSettingsFile(settings, "", folder.path.string());
    folder.Write("Skin/x2/Red.bmp", Plain(1280, 896, 0xFF0000));
    folder.Write("Skin/x4/Red.bmp", "cut short");
    folder.Write("Skin/x2/Small.bmp", Plain(640, 448, 0xFF0000));
    EXPECT_TRUE(HasLargeSkin(settings, "Red.bmp", 2));
    EXPECT_TRUE(HasLargeSkin(settings, "Red.bmp", 4));  // on hand, though it will not load
    PixelImage large{};
    EXPECT_TRUE(LoadLargeSkin(settings, "Red.bmp", 2, large));
    EXPECT_EQ(large.width, 1280);
    EXPECT_FALSE(LoadLargeSkin(settings, "Red.bmp", 4, large));
    // A drawing of the wrong size would put the cells out of step with the scale.
    EXPECT_FALSE(LoadLargeSkin(settings, "Small.bmp", 2, large));
    EXPECT_EQ(large.width, 1280);  // untouched
    EXPECT_FALSE(HasLargeSkin(settings, "Blue.bmp", 2) || HasLargeSkin(settings, "Blue.bmp", 4));
}

}  // namespace
