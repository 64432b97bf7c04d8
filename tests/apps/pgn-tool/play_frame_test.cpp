#include "apps/pgn-tool/play_frame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "display/home_page.h"

namespace {

// Two games: 1. e4 e5 (final position after ply 2), and one with a name holding escapes.
const char* const kGames =
    "[Event \"Riga\"][Site \"LAT\"][Date \"1957.??.??\"][White \"Tal\"][Black \"Koblents\"]\n"
    "1. e4 e5 *\n"
    "[White \"A name wider than the whole board\"][Black \"x\x1b"
    "cy\"]\n1. d4 *\n";

struct Loaded {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    GameInfo info{};
    SaverSettings settings{};
};

// Game n of kGames with ply plies on the board, under the saver's default settings.
Loaded Load(int32_t game, int32_t ply) {
    Loaded loaded;
    SetDefaultSettings(loaded.settings);
    int32_t number = game;
    LoadCurrentGame(*loaded.state, loaded.info, number, CharString(kGames));
    ReplayPlies(*loaded.state, ply);
    return loaded;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(start, text.size()) << "the frame ends with a line end";
    return lines;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(PlayFrame, PlainTextHasTheSaversLinesAroundTheBoard) {
    const Loaded start = Load(0, 0);
    EXPECT_EQ(RenderFrame(*start.state, start.info, start.settings, FrameColours::None, {0, 0}),
              "         Koblents\n"
              "8  r  n  b  q  k  b  n  r\n"
              "7  p  p  p  p  p  p  p  p\n"
              "6  .  .  .  .  .  .  .  .\n"
              "5  .  .  .  .  .  .  .  .\n"
              "4  .  .  .  .  .  .  .  .\n"
              "3  .  .  .  .  .  .  .  .\n"
              "2  P  P  P  P  P  P  P  P\n"
              "1  R  N  B  Q  K  B  N  R\n"
              "   a  b  c  d  e  f  g  h\n"
              "           Tal\n"
              "     DATE: 1957.??.??\n"
              "       EVENT: Riga\n"
              "        SITE: LAT\n");
}

TEST(PlayFrame, MarksTheLastMovesTwoSquaresOnlyWhenAsked) {
    Loaded afterE4 = Load(0, 1);
    const std::string marked =
        RenderFrame(*afterE4.state, afterE4.info, afterE4.settings, FrameColours::None, {0, 0});
    const std::vector<std::string> lines = Lines(marked);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[5], "4  .  .  .  . [P] .  .  .");
    EXPECT_EQ(lines[7], "2  P  P  P  P [.] P  P  P");
    EXPECT_EQ(Count(marked, "["), 2u);

    afterE4.settings.showLastMove = 0;
    const std::string unmarked =
        RenderFrame(*afterE4.state, afterE4.info, afterE4.settings, FrameColours::None, {0, 0});
    EXPECT_EQ(Count(unmarked, "["), 0u);
    EXPECT_NE(unmarked.find("4  .  .  .  .  P  .  .  ."), std::string::npos);
}

TEST(PlayFrame, ShowsTheHomePageOnlyOnTheFinalPositionWithOrWithoutInfo) {
    struct Case {
        const char* name;
        int32_t ply;
        int32_t showInfo;
        bool homePage;
        size_t lines;
    };
    const Case cases[] = {
        {"start", 0, 1, false, 14},         {"after e4", 1, 1, false, 14},
        {"final position", 2, 1, true, 15}, {"final, no info", 2, 0, true, 10},
        {"start, no info", 0, 0, false, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded loaded = Load(0, c.ply);
        loaded.settings.showInfo = c.showInfo;
        const std::string frame =
            RenderFrame(*loaded.state, loaded.info, loaded.settings, FrameColours::None, {0, 0});
        const std::vector<std::string> lines = Lines(frame);
        EXPECT_EQ(lines.size(), c.lines);
        EXPECT_EQ(Count(frame, kHomePageAddress), c.homePage ? 1u : 0u);
        if (c.homePage) {
            EXPECT_EQ(lines[0], kHomePageAddress);
        }
        for (const char* text : {"Koblents", "Tal", "DATE: ", "EVENT: ", "SITE: "})
            EXPECT_EQ(frame.find(text) != std::string::npos, c.showInfo != 0) << text;
    }
}

TEST(PlayFrame, CentresOverTheBoardAndTheBoardInTheArea) {
    const Loaded wide = Load(1, 1);
    const std::vector<std::string> fitted =
        Lines(RenderFrame(*wide.state, wide.info, wide.settings, FrameColours::None, {0, 0}));
    ASSERT_EQ(fitted.size(), 15u);  // final position: the home page first
    EXPECT_EQ(fitted[1], "         x\\x1bcy");
    EXPECT_EQ(fitted[11], "A name wider than the whole board");

    // In an 80 x 30 area the 26 columns of the board start at column 27, the home page ends at
    // column 80, and the 14 rows of board and texts are centred below the home page's row.
    const std::vector<std::string> centred =
        Lines(RenderFrame(*wide.state, wide.info, wide.settings, FrameColours::None, {80, 30}));
    ASSERT_EQ(centred.size(), 8u + 14u);
    EXPECT_EQ(centred[0],
              std::string(80 - std::string(kHomePageAddress).size(), ' ') + kHomePageAddress);
    for (size_t row = 1; row < 8; ++row)
        EXPECT_EQ(centred[row], "") << row;
    EXPECT_EQ(centred[9], std::string(27, ' ') + "8  r  n  b  q  k  b  n  r");
    EXPECT_EQ(centred[8], std::string(27 + 9, ' ') + "x\\x1bcy");
}

TEST(PlayFrame, ColoursTheSquaresLikeTheDefaultSkin) {
    const Loaded afterE4 = Load(0, 1);
    const std::string frame = RenderFrame(*afterE4.state, afterE4.info, afterE4.settings,
                                          FrameColours::TrueColour, {0, 0});
    EXPECT_EQ(Count(frame, "\x1b[48;2;226;182;64m"), 2u);  // e2 and e4
    EXPECT_EQ(Count(frame, "\x1b[48;2;238;219;184m"), 30u);
    EXPECT_EQ(Count(frame, "\x1b[48;2;171;124;89m"), 32u);
    EXPECT_EQ(Count(frame, "\x1b[38;2;255;253;246m"), 48u);  // white pieces and empty squares
    EXPECT_EQ(Count(frame, "\x1b[38;2;24;22;22m"), 16u);
    EXPECT_EQ(Count(frame, "\u265F"), 16u);
    EXPECT_EQ(Count(frame, "\u265A"), 2u);
    // e4: the marked square holds the white pawn.
    EXPECT_NE(frame.find("\x1b[48;2;226;182;64m\x1b[38;2;255;253;246m \u265F "), std::string::npos);
    // The saver's text colours around the board, and no letters for pieces.
    EXPECT_NE(frame.find("\x1b[38;2;200;200;200m\x1b[48;2;0;0;0m         Koblents"),
              std::string::npos);
    EXPECT_EQ(frame.find(" P "), std::string::npos);
    for (const std::string& line : Lines(frame))
        EXPECT_EQ(line.substr(line.size() - 3), "\x1b[K") << line;
}

TEST(PlayFrame, FallsBackToThe256ColourPalette) {
    const Loaded afterE4 = Load(0, 1);
    const std::string frame = RenderFrame(*afterE4.state, afterE4.info, afterE4.settings,
                                          FrameColours::Palette256, {0, 0});
    EXPECT_EQ(Count(frame, ";2;"), 0u);
    EXPECT_EQ(Count(frame, "\x1b[48;5;179m"), 2u);   // last move: 215, 175, 95
    EXPECT_EQ(Count(frame, "\x1b[48;5;223m"), 30u);  // light: 255, 215, 175
    EXPECT_EQ(Count(frame, "\x1b[48;5;137m"), 32u);  // dark: 175, 135, 95
    EXPECT_NE(frame.find("\x1b[38;5;251m\x1b[48;5;16m"), std::string::npos);  // grey 198 on black
}

TEST(PlayFrame, NeverPassesEscapesFromTheGameTexts) {
    const Loaded escaping = Load(1, 0);
    for (const FrameColours colours :
         {FrameColours::None, FrameColours::Palette256, FrameColours::TrueColour}) {
        const std::string frame =
            RenderFrame(*escaping.state, escaping.info, escaping.settings, colours, {0, 0});
        EXPECT_EQ(frame.find("\x1b"
                             "c"),
                  std::string::npos);  // a terminal reset
        EXPECT_NE(frame.find("x\\x1bcy"), std::string::npos);
        if (colours == FrameColours::None) {
            EXPECT_EQ(frame.find('\x1b'), std::string::npos);
        }
    }
}

}  // namespace
