#include "display/bitmap_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

using Head = std::array<unsigned char, kBitmapHeadBytes>;

void Put16(Head& h, int at, uint32_t v) {
    h[static_cast<size_t>(at)] = static_cast<unsigned char>(v & 0xFF);
    h[static_cast<size_t>(at) + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}
void Put32(Head& h, int at, uint32_t v) {
    Put16(h, at, v & 0xFFFF);
    Put16(h, at + 2, v >> 16);
}

// A file header and BITMAPINFOHEADER as a skin tool writes them.
Head InfoHead(int32_t width, int32_t height, uint32_t bits, uint32_t offset,
              uint32_t compression = 0, uint32_t imageBytes = 0) {
    Head h{};
    h[0] = 'B';
    h[1] = 'M';
    Put32(h, 10, offset);
    Put32(h, 14, 40);
    Put32(h, 18, static_cast<uint32_t>(width));
    Put32(h, 22, static_cast<uint32_t>(height));
    Put16(h, 26, 1);
    Put16(h, 28, bits);
    Put32(h, 30, compression);
    Put32(h, 34, imageBytes);
    return h;
}

bool Fits(const Head& h, uint64_t fileSize, int32_t headLength = kBitmapHeadBytes) {
    return BitmapFitsFile(h.data(), headLength, fileSize);
}

TEST(BitmapFitsFile, ASkinFitsExactlyAndNotOneByteShort) {
    const uint64_t skinBytes = 54 + 640ull * 3 * 448;  // rows of 1920 bytes need no padding
    const Head skin = InfoHead(640, 448, 24, 54);
    EXPECT_TRUE(Fits(skin, skinBytes));
    EXPECT_TRUE(Fits(skin, skinBytes + 100)) << "trailing bytes do no harm";
    EXPECT_FALSE(Fits(skin, skinBytes - 1));
    EXPECT_FALSE(Fits(skin, 1000));
    EXPECT_FALSE(Fits(skin, 40));
    EXPECT_TRUE(Fits(InfoHead(640, -448, 24, 54), skinBytes)) << "top-down rows count alike";
}

TEST(BitmapFitsFile, RowsArePaddedToFourBytes) {
    // 3 pixels of 24 bits = 9 bytes, padded to 12 per row.
    const Head h = InfoHead(3, 2, 24, 54);
    EXPECT_TRUE(Fits(h, 54 + 24));
    EXPECT_FALSE(Fits(h, 54 + 23));
}

TEST(BitmapFitsFile, PaletteLiesBetweenHeaderAndPixels) {
    const Head h = InfoHead(8, 8, 8, 54 + 256 * 4);
    EXPECT_TRUE(Fits(h, 54 + 1024 + 64));
    EXPECT_FALSE(Fits(h, 54 + 1024 + 63));
    EXPECT_FALSE(Fits(h, 600)) << "the palette itself is cut";
}

TEST(BitmapFitsFile, CompressedPixelsNeedTheirStatedSize) {
    EXPECT_TRUE(Fits(InfoHead(64, 64, 8, 1078, 1, 500), 1078 + 500));
    EXPECT_FALSE(Fits(InfoHead(64, 64, 8, 1078, 1, 500), 1078 + 499));
    EXPECT_FALSE(Fits(InfoHead(64, 64, 8, 1078, 1, 0), 1 << 20)) << "no size, nothing to trust";
}

TEST(BitmapFitsFile, RefusesWhatIsNoBitmap) {
    Head text = InfoHead(640, 448, 24, 54);
    text[0] = 'P';
    EXPECT_FALSE(Fits(text, 1 << 20));
    EXPECT_FALSE(Fits(InfoHead(0, 448, 24, 54), 1 << 20));
    EXPECT_FALSE(Fits(InfoHead(640, 0, 24, 54), 1 << 20));
    EXPECT_FALSE(Fits(InfoHead(640, 448, 7, 54), 1 << 20));
    EXPECT_FALSE(Fits(InfoHead(640, 448, 24, 20), 1 << 20)) << "pixels inside the header";
    EXPECT_FALSE(Fits(InfoHead(640, 448, 24, 54), 1 << 20, 17)) << "file shorter than a header";
    EXPECT_FALSE(Fits(InfoHead(640, 448, 24, 54), 1 << 20, 30));
    EXPECT_FALSE(BitmapFitsFile(nullptr, 0, 100));
}

TEST(BitmapFitsFile, HugeDimensionsDoNotOverflow) {
    const Head huge = InfoHead(0x7FFFFFFF, 0x7FFFFFFF, 32, 54);
    EXPECT_FALSE(Fits(huge, UINT32_MAX));
    EXPECT_FALSE(Fits(InfoHead(0x7FFFFFFF, INT32_MIN, 32, 54), UINT32_MAX));
}

TEST(BitmapFitsFile, RefusesSidesOver8192PixelsCompressedOrNot) {
    // RLE: a few bytes may claim any size, and the loader would commit memory for all of it.
    const struct {
        int32_t width;
        int32_t height;
        uint32_t compression;
        bool fits;
    } rows[] = {{8192, 8192, 1, true}, {8193, 16, 1, false},     {16, 8193, 1, false},
                {16, -8193, 1, false}, {40000, 40000, 1, false}, {40000, 40000, 2, false},
                {8193, 1, 0, false},   {1, 8193, 0, false},      {8192, 1, 0, true}};
    for (const auto& row : rows) {
        const Head h = InfoHead(row.width, row.height, 8, 1078, row.compression, 10);
        const uint64_t pixels = row.compression == 0 ? 8192ull * 8192 : 10;
        EXPECT_EQ(Fits(h, 1078 + pixels), row.fits) << row.width << " x " << row.height;
    }
}

TEST(BitmapFitsFile, ReadsTheOldCoreHeader) {
    Head core{};
    core[0] = 'B';
    core[1] = 'M';
    Put32(core, 10, 26);
    Put32(core, 14, 12);
    Put16(core, 18, 4);
    Put16(core, 20, 2);
    Put16(core, 22, 1);
    Put16(core, 24, 24);
    EXPECT_TRUE(Fits(core, 26 + 24));
    EXPECT_FALSE(Fits(core, 26 + 23));
}

}  // namespace
