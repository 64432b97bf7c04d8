#include "display/board_picture.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "display/information_text.h"

namespace {

// A skin whose every pixel tells where it lies: x in the high half, y in the low.
PixelImage CoordinateSkin(int32_t width, int32_t height) {
    PixelImage skin = MakePixelImage(width, height, 0);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            skin.pixels[static_cast<size_t>(y * width + x)] = static_cast<uint32_t>(x << 12 | y);
        }
    }
    return skin;
}

uint32_t PixelAt(const PixelImage& image, int32_t x, int32_t y) {
    return image.pixels[static_cast<size_t>(y * image.width + x)];
}

GameState StartPosition() {
    GameState state{};
    SetInitialPosition(state);
    return state;
}

TEST(BoardPicture, FullSizeSquaresAreTheSkinsCellsPixelForPixel) {
    const PixelImage skin = CoordinateSkin(640, 448);
    PixelImage target = MakePixelImage(1024, 768, 0x123456);
    const BoardLayout layout = ComputeBoardLayout(1024, 768, true);
    const GameState state = StartPosition();
    DrawBoardPicture(target, skin, layout, state, true);
    struct SquareCase {
        const char* name;
        int32_t file;
        int32_t rank;
    };
    const SquareCase squares[] = {{"a8 black rook", 0, 7},
                                  {"e1 white king", 4, 0},
                                  {"d4 empty dark", 3, 3},
                                  {"e4 empty light", 4, 3}};
    for (const SquareCase& s : squares) {
        SCOPED_TRACE(s.name);
        const SkinCell cell = SkinCellFor(state, s.file, s.rank, true);
        const PixelPoint at = SquareOrigin(layout, s.file, s.rank);
        for (int32_t dy : {0, 31, 63}) {
            for (int32_t dx : {0, 17, 63}) {
                EXPECT_EQ(PixelAt(target, at.x + dx, at.y + dy),
                          PixelAt(skin, cell.x + dx, cell.y + dy));
            }
        }
    }
    EXPECT_EQ(PixelAt(target, 255, 128), 0x123456u);  // left of the board: untouched
    EXPECT_EQ(PixelAt(target, 768, 639), 0x123456u);  // right of it
}

TEST(BoardPicture, ASmallerSquareIsTheMeanOfTheCellPixelsItCovers) {
    // Columns alternate black and white: each half-size pixel covers one of each.
    PixelImage skin = MakePixelImage(640, 448, 0);
    for (int32_t y = 0; y < 448; ++y) {
        for (int32_t x = 1; x < 640; x += 2)
            skin.pixels[static_cast<size_t>(y * 640 + x)] = 0xFEFEFE;
    }
    PixelImage target = MakePixelImage(256, 256, 0);
    const BoardLayout layout{0, 0, 32};
    DrawBoardPicture(target, skin, layout, StartPosition(), false);
    EXPECT_EQ(PixelAt(target, 0, 0), 0x7F7F7Fu);
    EXPECT_EQ(PixelAt(target, 255, 255), 0x7F7F7Fu);
}

TEST(BoardPicture, ALargerSkinIsReadAtItsOwnCellSize) {
    const PixelImage skin = CoordinateSkin(1280, 896);
    EXPECT_EQ(SkinCellSizeOf(skin), 128);
    PixelImage target = MakePixelImage(1024, 1024, 0);
    const BoardLayout layout{0, 0, 128};
    const GameState state = StartPosition();
    DrawBoardPicture(target, skin, layout, state, false);
    // e1: the white king on a dark square, row 6 of the skin at 128 pixels a cell.
    const PixelPoint at = SquareOrigin(layout, 4, 0);
    EXPECT_EQ(PixelAt(target, at.x + 5, at.y + 9),
              PixelAt(skin, kDarkSquareColumn * 2 + 5, 6 * 128 + 9));
}

TEST(BoardPicture, AScaledSheetDrawsTheSameBoardAsTheSkinItCameFrom) {
    const PixelImage skin = CoordinateSkin(1280, 896);
    const PixelImage sheet = ScaleSkinSheet(skin, 90);
    EXPECT_EQ(sheet.width, 900);
    EXPECT_EQ(SkinCellSizeOf(sheet), 90);
    const BoardLayout layout{0, 0, 90};
    PixelImage fromSkin = MakePixelImage(720, 720, 0);
    PixelImage fromSheet = MakePixelImage(720, 720, 0);
    DrawBoardPicture(fromSkin, skin, layout, StartPosition(), true);
    DrawBoardPicture(fromSheet, sheet, layout, StartPosition(), true);
    EXPECT_EQ(fromSkin.pixels, fromSheet.pixels);
}

TEST(BoardPicture, EdgesNeverReadOrWriteOutside) {
    // A skin smaller than its cells: the missing pixels are black. A board larger than the
    // picture: only the part inside is drawn.
    const PixelImage skin = MakePixelImage(100, 100, 0xFFFFFF);
    EXPECT_EQ(SkinCellSizeOf(skin), kSkinCellSize);
    PixelImage target = MakePixelImage(300, 200, 0x010101);
    const BoardLayout layout = ComputeBoardLayout(300, 200, true);
    DrawBoardPicture(target, skin, layout, StartPosition(), true);
    // a6, an empty light square at (0, 128), shows the skin's cell at (64, 0): white up to the
    // skin's column 99, black after it.
    EXPECT_EQ(PixelAt(target, 35, 128), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(target, 36, 128), 0u);
    EXPECT_EQ(PixelAt(target, 0, 0), 0u);  // a8's rook lies wholly outside the skin
    PixelImage empty = MakePixelImage(0, 0, 0);
    DrawBoardPicture(empty, skin, layout, StartPosition(), true);
    EXPECT_TRUE(empty.pixels.empty());
}

TEST(BoardPicture, AGlidingPieceIsDrawnOverTheSquaresItCrosses) {
    // A skin of flat cells: every empty square one colour, every piece cell another with a
    // border of the square's colour, so the overlay has a piece to tell from its square.
    PixelImage skin = MakePixelImage(640, 448, 0x000000);
    for (int32_t y = 64; y < 448; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            const bool inner = x % 64 >= 16 && x % 64 < 48 && y % 64 >= 16 && y % 64 < 48;
            if (inner) skin.pixels[static_cast<size_t>(y * 640 + x)] = 0xABCDEF;
        }
    }
    GameState state = StartPosition();
    MoveRecord& move = state.moves[0];
    move = MoveRecord{};
    move.fromFile = 4;
    move.fromRank = 1;
    move.toFile = 4;
    move.toRank = 3;
    move.pieceKind = kPawn;
    move.pieceColour = kWhite;
    move.capturedKind = kEmpty;
    move.placedKind = kPawn;
    move.secondKind = kEmpty;
    move.secondFromFile = -1;
    move.secondToFile = -1;
    At(state, 4, 1) = Square{kEmpty, kWhite, 0};
    At(state, 4, 3) = Square{kPawn, kWhite, 0};
    state.ply = 1;
    state.moveCount = 2;
    const BoardLayout layout{0, 0, 64};
    PixelImage halfway = MakePixelImage(512, 512, 0x111111);
    DrawBoardPicture(halfway, skin, layout, state, false, kSlideMilliseconds / 2);
    // Half-way (the eased slide is symmetric) the pawn's cell lies on e3, rows 320..383; its
    // inner pixels (rows 336..367) show there, e4 is still bare.
    const int32_t middleX = 4 * 64 + 32;
    EXPECT_EQ(PixelAt(halfway, middleX, 352), 0xABCDEFu);
    EXPECT_EQ(PixelAt(halfway, middleX, 288), 0u);
    PixelImage atRest = MakePixelImage(512, 512, 0x111111);
    DrawBoardPicture(atRest, skin, layout, state, false);
    EXPECT_EQ(PixelAt(atRest, middleX, 288), 0xABCDEFu);  // on e4
    EXPECT_EQ(PixelAt(atRest, middleX, 352), 0u);         // e3 bare
}

TEST(BoardPicture, ColoursTurnFromWindowsOrder) {
    EXPECT_EQ(PixelFromColorRef(0x00c8c8c8), 0xc8c8c8u);
    EXPECT_EQ(PixelFromColorRef(0x00112233), 0x332211u);
    EXPECT_EQ(PixelFromColorRef(0xFF0000FF), 0xFF0000u);  // the top byte is no colour
}

TEST(InformationText, NamesAloneAndTheOtherLinesAfterTheirLabels) {
    GameInfo info{};
    std::snprintf(info.white, sizeof(info.white), "%s", "White Player");
    std::snprintf(info.black, sizeof(info.black), "%s", "Black Player");
    std::snprintf(info.date, sizeof(info.date), "%s", "2024.01.02");
    std::snprintf(info.event, sizeof(info.event), "%s", "Open");
    for (char& ch : info.site)
        ch = 'S';  // no terminator: read to the field's end only
    EXPECT_STREQ(InformationText(info, InfoLine::BlackName).chars(), "Black Player");
    EXPECT_STREQ(InformationText(info, InfoLine::WhiteName).chars(), "White Player");
    EXPECT_STREQ(InformationText(info, InfoLine::Date).chars(), "DATE: 2024.01.02");
    EXPECT_STREQ(InformationText(info, InfoLine::Event).chars(), "EVENT: Open");
    EXPECT_EQ(InformationText(info, InfoLine::Site).length(), 6 + 51);
}

}  // namespace
