#include "display/board_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct LayoutCase {
    const char* name;
    int32_t width;
    int32_t height;
    bool fullScreen;
    BoardLayout expected;
};

TEST(BoardLayout, CentresThePinsAndScales) {
    const LayoutCase cases[] = {
        {"full-screen 1024 x 768", 1024, 768, true, {256, 128, 64}},
        {"full-screen 500 high pins the top", 1024, 500, true, {256, 0, 64}},
        {"full-screen smaller both ways", 400, 300, true, {0, 0, 64}},
        {"full-screen exactly the board", 512, 512, true, {0, 0, 64}},
        {"full-screen odd margin truncates", 515, 517, true, {1, 2, 64}},
        {"full-screen one pixel of margin", 513, 513, true, {0, 0, 64}},
        {"preview 152 x 112", 152, 112, false, {20, 0, 14}},
        {"preview taller than wide", 100, 300, false, {2, 102, 12}},
        {"preview of 8 pixels", 8, 8, false, {0, 0, 1}},
        {"preview narrower than 8 pixels", 7, 100, false, {3, 50, 0}},
        {"preview of nothing", 0, 0, false, {0, 0, 0}}};
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const BoardLayout layout = ComputeBoardLayout(c.width, c.height, c.fullScreen);
        EXPECT_EQ(layout.left, c.expected.left);
        EXPECT_EQ(layout.top, c.expected.top);
        EXPECT_EQ(layout.cellSize, c.expected.cellSize);
    }
}

TEST(BoardLayout, SquaresRunFromA8AtTheTopLeftToH1AtTheBottomRight) {
    const BoardLayout layout{20, 0, 14};
    const PixelPoint a8 = SquareOrigin(layout, 0, 7);
    const PixelPoint h1 = SquareOrigin(layout, 7, 0);
    const PixelPoint e4 = SquareOrigin(layout, 4, 3);
    EXPECT_EQ(a8.x, 20);
    EXPECT_EQ(a8.y, 0);
    EXPECT_EQ(h1.x, 20 + 7 * 14);
    EXPECT_EQ(h1.y, 7 * 14);
    EXPECT_EQ(e4.x, 20 + 4 * 14);
    EXPECT_EQ(e4.y, 4 * 14);
}

TEST(BoardLayout, A8AndH1AreLight) {
    EXPECT_TRUE(IsLightSquare(0, 7));   // a8
    EXPECT_TRUE(IsLightSquare(7, 0));   // h1
    EXPECT_FALSE(IsLightSquare(0, 0));  // a1
    EXPECT_FALSE(IsLightSquare(7, 7));  // h8
    EXPECT_TRUE(IsLightSquare(4, 3));   // e4
    EXPECT_FALSE(IsLightSquare(4, 4));  // e5
}

// A board built by hand, so the cell choice is tested apart from the move code.
struct TestGame {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();

    TestGame() {
        for (Square& square : state->board)
            square = Square{kEmpty, kWhite, 0};
        const int32_t backRank[8] = {kRook, kKnight, kBishop, kQueen,
                                     kKing, kBishop, kKnight, kRook};
        for (int32_t file = 0; file < 8; ++file) {
            At(*state, file, 0) = Square{backRank[file], kWhite, 0};
            At(*state, file, 1) = Square{kPawn, kWhite, 0};
            At(*state, file, 6) = Square{kPawn, kBlack, 0};
            At(*state, file, 7) = Square{backRank[file], kBlack, 0};
        }
        state->ply = 0;
        state->moveCount = 0;
    }

    // Moves the piece and records the move as the last one played.
    void Play(int32_t fromFile, int32_t fromRank, int32_t toFile, int32_t toRank) {
        At(*state, toFile, toRank) = At(*state, fromFile, fromRank);
        At(*state, fromFile, fromRank) = Square{kEmpty, kWhite, 0};
        MoveRecord& record = state->moves[static_cast<size_t>(state->ply)];
        record = MoveRecord{};
        record.fromFile = fromFile;
        record.fromRank = fromRank;
        record.toFile = toFile;
        record.toRank = toRank;
        ++state->ply;
    }
};

struct CellCase {
    const char* square;
    int32_t file;
    int32_t rank;
    SkinCell expected;
};

void ExpectCells(const GameState& state, bool showLastMove, std::initializer_list<CellCase> cases) {
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.square);
        const SkinCell cell = SkinCellFor(state, c.file, c.rank, showLastMove);
        EXPECT_EQ(cell.x, c.expected.x);
        EXPECT_EQ(cell.y, c.expected.y);
    }
}

TEST(BoardLayout, StartingPositionCells) {
    TestGame game;
    ExpectCells(*game.state, true,
                {{"a1 white rook, dark", 0, 0, {0, 256}},
                 {"h1 white rook, light", 7, 0, {64, 256}},
                 {"e1 white king, dark", 4, 0, {0, 384}},
                 {"d1 white queen, light", 3, 0, {64, 320}},
                 {"a8 black rook, light", 0, 7, {384, 256}},
                 {"d8 black queen, dark", 3, 7, {320, 320}},
                 {"e8 black king, light", 4, 7, {384, 384}},
                 {"b8 black knight, dark", 1, 7, {320, 128}},
                 {"e2 white pawn, light", 4, 1, {64, 64}},
                 {"e4 empty, light", 4, 3, {64, 0}},
                 {"e5 empty, dark", 4, 4, {0, 0}}});
}

TEST(BoardLayout, NothingIsMarkedAtPlyZeroWhateverTheMoveList) {
    TestGame game;
    game.Play(4, 1, 4, 3);
    game.state->ply = 0;  // back at the start, with the move still in the list
    ExpectCells(*game.state, true, {{"e2", 4, 1, {64, 0}}, {"e4", 4, 3, {64, 64}}});
}

TEST(BoardLayout, LastMoveSquaresAfter1e4) {
    TestGame game;
    game.Play(4, 1, 4, 3);
    ExpectCells(*game.state, true,
                {{"e2 empty, marked", 4, 1, {256, 0}},
                 {"e4 white pawn, marked", 4, 3, {256, 64}},
                 {"d2 unmarked", 3, 1, {0, 64}}});
    ExpectCells(*game.state, false, {{"e2 off", 4, 1, {64, 0}}, {"e4 off", 4, 3, {64, 64}}});
}

TEST(BoardLayout, OnlyTheLatestMoveIsMarked) {
    TestGame game;
    game.Play(4, 1, 4, 3);  // 1. e4
    game.Play(4, 6, 4, 4);  // 1... e5
    ExpectCells(*game.state, true,
                {{"e7 empty, marked", 4, 6, {256, 0}},
                 {"e5 black pawn, marked", 4, 4, {576, 64}},
                 {"e2 no longer marked", 4, 1, {64, 0}},
                 {"e4 no longer marked", 4, 3, {64, 64}}});
}

TEST(BoardLayout, BlackKingOnALightAndOnAMarkedSquare) {
    TestGame game;
    game.Play(4, 1, 4, 3);  // 1. e4
    game.Play(4, 6, 4, 4);  // 1... e5
    game.Play(6, 0, 5, 2);  // 2. Nf3
    game.Play(4, 7, 4, 6);  // 2... Ke7
    ExpectCells(*game.state, true, {{"e7 black king, marked", 4, 6, {576, 384}}});
    game.Play(5, 2, 6, 0);  // 3. Ng1
    ExpectCells(*game.state, true, {{"e7 black king, dark, unmarked", 4, 6, {320, 384}}});
    game.Play(4, 6, 4, 5);  // 3... Ke6
    game.Play(6, 0, 5, 2);  // 4. Nf3
    ExpectCells(*game.state, true, {{"e6 black king, light", 4, 5, {384, 384}}});
}

TEST(BoardLayout, MarkColumnsAreNeverReadWithTheMarkOff) {
    TestGame game;
    game.Play(4, 1, 4, 3);
    game.Play(4, 6, 4, 4);
    for (int32_t rank = 0; rank < 8; ++rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const SkinCell cell = SkinCellFor(*game.state, file, rank, false);
            EXPECT_NE(cell.x, 256) << file << "," << rank;
            EXPECT_NE(cell.x, 576) << file << "," << rank;
        }
    }
}

struct BandCase {
    const char* name;
    int32_t boardTop;
    InfoLine line;
    int32_t top;
    int32_t bottom;
};

TEST(BoardLayout, InformationBandsAroundTheBoard) {
    const BandCase cases[] = {
        {"1024 x 768: Black's name", 128, InfoLine::BlackName, 88, 128},
        {"1024 x 768: White's name", 128, InfoLine::WhiteName, 640, 680},
        {"1024 x 768: date", 128, InfoLine::Date, 680, 704},
        {"1024 x 768: event", 128, InfoLine::Event, 704, 728},
        {"1024 x 768: site", 128, InfoLine::Site, 728, 752},
        {"600 high: Black's name", 44, InfoLine::BlackName, 4, 44},
        {"600 high: date", 44, InfoLine::Date, 596, 620},
        {"600 high: site", 44, InfoLine::Site, 644, 668},
        {"under 592 high: Black's name starts above the screen", 30, InfoLine::BlackName, -10, 30}};
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TextBand band = InformationBand(BoardLayout{256, c.boardTop, 64}, c.line);
        EXPECT_EQ(band.left, 256);
        EXPECT_EQ(band.right, 768);
        EXPECT_EQ(band.top, c.top);
        EXPECT_EQ(band.bottom, c.bottom);
    }
    EXPECT_EQ(ComputeBoardLayout(800, 600, true).top, 44);
}

TEST(BoardLayout, HomePageBandSpansTheWidthAtTheTop) {
    const TextBand band = HomePageBand(0, 0, 1024, 64);
    EXPECT_EQ(band.left, 0);
    EXPECT_EQ(band.top, 0);
    EXPECT_EQ(band.right, 1024);
    EXPECT_EQ(band.bottom, 40);
}

TEST(BoardLayout, FinalPositionIsTheLastOfTheLoadedGame) {
    TestGame game;
    const struct {
        int32_t ply;
        int32_t moveCount;
        bool final;
    } cases[] = {{0, 0, false}, {0, 1, true}, {0, 2, false}, {1, 2, true}, {5, 40, false}};
    for (const auto& c : cases) {
        game.state->ply = c.ply;
        game.state->moveCount = c.moveCount;
        EXPECT_EQ(IsFinalPosition(*game.state), c.final) << c.ply << " of " << c.moveCount;
    }
}

struct FitCase {
    const char* name;
    int32_t width;
    int32_t height;
    BoardLayout expected;
    int32_t fontHeight;
};

TEST(BoardLayout, FittedBoardGrowsWithTheScreenAndIsClassicUpTo1024By768) {
    const FitCase cases[] = {
        {"1024 x 768 is the classic layout", 1024, 768, {256, 128, 64}, 24},
        {"800 x 600 is the classic layout", 800, 600, {144, 44, 64}, 24},
        {"400 x 300 pins the classic board", 400, 300, {0, 0, 64}, 24},
        {"a wide but low screen keeps the classic cell", 2560, 700, {1024, 94, 64}, 24},
        {"1280 x 1024 is bound by its width", 1280, 1024, {320, 192, 80}, 30},
        {"1920 x 1080 is bound by its height", 1920, 1080, {600, 180, 90}, 33},
        {"2560 x 1440", 2560, 1440, {800, 240, 120}, 45},
        {"3840 x 2160", 3840, 2160, {1200, 360, 180}, 67},
        {"portrait 1080 x 1920", 1080, 1920, {272, 692, 67}, 25}};
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const BoardLayout layout = ComputeFullScreenLayout(c.width, c.height, true);
        EXPECT_EQ(layout.left, c.expected.left);
        EXPECT_EQ(layout.top, c.expected.top);
        EXPECT_EQ(layout.cellSize, c.expected.cellSize);
        EXPECT_EQ(InfoFontHeight(layout.cellSize), c.fontHeight);
        const BoardLayout classic = ComputeFullScreenLayout(c.width, c.height, false);
        const BoardLayout expectedClassic = ComputeBoardLayout(c.width, c.height, true);
        EXPECT_EQ(classic.left, expectedClassic.left);
        EXPECT_EQ(classic.top, expectedClassic.top);
        EXPECT_EQ(classic.cellSize, 64);
    }
}

TEST(BoardLayout, FittedBoardAndItsBandsStayOnTheScreen) {
    const struct {
        int32_t width;
        int32_t height;
    } screens[] = {{1024, 768},  {1280, 1024}, {1366, 768},  {1600, 900},  {1920, 1080},
                   {1920, 1200}, {2560, 1080}, {2560, 1600}, {3840, 2160}, {7680, 4320}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(std::to_string(screen.width) + " x " + std::to_string(screen.height));
        const BoardLayout layout = ComputeFullScreenLayout(screen.width, screen.height, true);
        const TextBand above = InformationBand(layout, InfoLine::BlackName);
        const TextBand below = InformationBand(layout, InfoLine::Site);
        EXPECT_GE(above.top, 0);
        EXPECT_LE(below.bottom, screen.height);
        EXPECT_LE(layout.left + 8 * layout.cellSize, screen.width);
        EXPECT_EQ(above.bottom, layout.top);
        EXPECT_EQ(InformationBand(layout, InfoLine::WhiteName).top,
                  layout.top + 8 * layout.cellSize);
    }
}

TEST(BoardLayout, BandsScaleWithTheCell) {
    const BoardLayout layout{600, 180, 90};  // 1920 x 1080 fitted
    const struct {
        InfoLine line;
        int32_t top;
        int32_t bottom;
    } cases[] = {{InfoLine::BlackName, 124, 180},
                 {InfoLine::WhiteName, 900, 956},
                 {InfoLine::Date, 956, 990},
                 {InfoLine::Event, 990, 1023},
                 {InfoLine::Site, 1023, 1057}};
    for (const auto& c : cases) {
        const TextBand band = InformationBand(layout, c.line);
        EXPECT_EQ(band.left, 600);
        EXPECT_EQ(band.right, 1320);
        EXPECT_EQ(band.top, c.top) << static_cast<int>(c.line);
        EXPECT_EQ(band.bottom, c.bottom) << static_cast<int>(c.line);
    }
    const TextBand home = HomePageBand(-1280, 0, 1920, 90);
    EXPECT_EQ(home.left, -1280);
    EXPECT_EQ(home.right, 640);
    EXPECT_EQ(home.bottom, 56);
}

struct PreviewCase {
    const char* name;
    int32_t width;
    int32_t height;
    int32_t screenWidth;
    int32_t screenHeight;
    TextBand screen;
    BoardLayout board;
};

TEST(BoardLayout, ThePreviewOfAFittedBoardIsTheScreenInSmall) {
    const PreviewCase cases[] = {
        {"1920 x 1080 in a square preview", 256, 256, 1920, 1080, {0, 56, 256, 200}, {80, 80, 12}},
        {"1024 x 768 in a square preview", 256, 256, 1024, 768, {0, 32, 256, 224}, {64, 64, 16}},
        {"a portrait screen takes the full height",
         256,
         200,
         1080,
         1920,
         {72, 0, 184, 200},
         {100, 71, 6}},
        {"3840 x 2160 in a wide preview", 400, 150, 3840, 2160, {67, 0, 333, 150}, {150, 24, 12}},
        {"a tiny preview has no board", 8, 8, 1920, 1080, {0, 2, 8, 6}, {2, 2, 0}},
        {"no screen size: nothing", 256, 256, 0, 0, {0, 0, 0, 0}, {0, 0, 0}}};
    for (const PreviewCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenPreview preview =
            ComputeScreenPreview(c.width, c.height, c.screenWidth, c.screenHeight);
        EXPECT_EQ(preview.screen.left, c.screen.left);
        EXPECT_EQ(preview.screen.top, c.screen.top);
        EXPECT_EQ(preview.screen.right, c.screen.right);
        EXPECT_EQ(preview.screen.bottom, c.screen.bottom);
        EXPECT_EQ(preview.board.left, c.board.left);
        EXPECT_EQ(preview.board.top, c.board.top);
        EXPECT_EQ(preview.board.cellSize, c.board.cellSize);
        // The small board lies within the small screen.
        EXPECT_LE(preview.board.left + 8 * preview.board.cellSize, preview.screen.right);
        EXPECT_LE(preview.board.top + 8 * preview.board.cellSize, preview.screen.bottom);
    }
}

}  // namespace
