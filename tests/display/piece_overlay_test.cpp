#include "display/piece_overlay.h"

#include <gtest/gtest.h>

#include <vector>

#include "display/skin_scale.h"

namespace {

constexpr int32_t kCell = 4;
constexpr uint32_t kSquare = 0x00806040;
constexpr uint32_t kPiece = 0x00F0F0F0;
constexpr uint32_t kBehind = 0x00112233;

// A skin at a 4-pixel cell: every cell the bare square, and the white knight on a dark square
// with a piece pixel in each corner, one more in the middle and one pixel of filter noise.
struct TinySkin {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(10 * kCell * 7 * kCell, kSquare);
    SkinCell knight = ScaledCell(TravellingPieceCell(kKnight, kWhite), kCell);

    TinySkin() {
        Set(0, 0, kPiece);
        Set(3, 0, kPiece);
        Set(0, 3, kPiece);
        Set(3, 3, kPiece);
        Set(1, 2, kPiece);
        Set(2, 1, kSquare + 0x00000010);  // within the tolerance: still the square
    }
    void Set(int32_t x, int32_t y, uint32_t value) {
        pixels[static_cast<size_t>((knight.y + y) * 10 * kCell + knight.x + x)] = value;
    }
    ConstPixelView View() const { return {pixels.data(), 10 * kCell, 7 * kCell, 10 * kCell}; }
};

struct OverlayCase {
    const char* name;
    PixelPoint at;
    std::vector<PixelPoint> pieceAt;  // target pixels expected to show the piece
};

TEST(PieceOverlay, CopiesOnlyThePiecesPixelsAndClipsToTheTarget) {
    const OverlayCase cases[] = {{"inside", {2, 1}, {{2, 1}, {5, 1}, {2, 4}, {5, 4}, {3, 3}}},
                                 {"off the top-left corner", {-3, -3}, {{0, 0}}},
                                 {"off the bottom-right corner", {5, 5}, {{5, 5}}},
                                 {"wholly outside", {20, 20}, {}}};
    const TinySkin skin;
    for (const OverlayCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint32_t> target(8 * 8, kBehind);
        OverlayPiece(PixelView{target.data(), 7, 7, 8}, c.at, skin.View(), skin.knight,
                     ScaledCell(BareSquareCell(), kCell), kCell);
        for (int32_t y = 0; y < 8; ++y) {
            for (int32_t x = 0; x < 8; ++x) {
                bool piece = false;
                for (const PixelPoint& p : c.pieceAt)
                    piece = piece || (p.x == x && p.y == y);
                EXPECT_EQ(target[static_cast<size_t>(y * 8 + x)], piece ? kPiece : kBehind)
                    << x << "," << y;
            }
        }
    }
}

TEST(PieceOverlay, ACellOutsideTheSkinDrawsNothing) {
    const TinySkin skin;
    std::vector<uint32_t> target(64, kBehind);
    const ConstPixelView small{skin.pixels.data(), 2 * kCell, 2 * kCell, 10 * kCell};
    OverlayPiece(PixelView{target.data(), 8, 8, 8}, {0, 0}, small, skin.knight,
                 ScaledCell(BareSquareCell(), kCell), kCell);
    for (uint32_t pixel : target)
        EXPECT_EQ(pixel, kBehind);
}

TEST(PieceOverlay, TravellingPiecesAreDrawnFromTheDarkSquareColumn) {
    EXPECT_EQ(TravellingPieceCell(kKnight, kWhite).x, 0);
    EXPECT_EQ(TravellingPieceCell(kKnight, kWhite).y, 128);
    EXPECT_EQ(TravellingPieceCell(kKing, kBlack).x, 320);
    EXPECT_EQ(TravellingPieceCell(kKing, kBlack).y, 384);
    EXPECT_EQ(ScaledCell(SkinCell{576, 384}, 90).x, 810);
    EXPECT_EQ(ScaledCell(SkinCell{576, 384}, 90).y, 540);
}

TEST(SkinScale, DrawsFromTheNearestLargerDrawing) {
    const struct {
        const char* name;
        int32_t cell;
        bool available[kLargeSkinScaleCount];
        int32_t scale;
    } cases[] = {{"classic cell", 64, {true, true}, 1},
                 {"smaller than classic", 40, {true, true}, 1},
                 {"just above classic", 65, {true, true}, 2},
                 {"1920 x 1080", 90, {true, true}, 2},
                 {"exactly twice", 128, {true, true}, 2},
                 {"3840 x 2160", 180, {true, true}, 4},
                 {"beyond the largest", 480, {true, true}, 4},
                 {"twice missing", 90, {false, true}, 4},
                 {"four times missing", 180, {true, false}, 2},
                 {"a user's own skin has none", 180, {false, false}, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseSkinScale(c.cell, c.available), c.scale) << c.name;
    }
    char folder[8];
    LargeSkinFolder(4, folder);
    EXPECT_STREQ(folder, "x4");
}

}  // namespace
