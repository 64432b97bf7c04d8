// What ParseGame learns of a game beyond the classic texts: titles and ratings, the result tag,
// the moves as written, the clocks of the main line and the positions' keys; all of it the game's
// own, never the previous game's. How the final position ends shows in the result line's tests.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chess/position_key.h"
#include "pgn/pgn_reader.h"
#include "pgn_test_support.h"

namespace {

struct Reader {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    std::unique_ptr<GameInfo> info = std::make_unique<GameInfo>();

    const GameFacts& Parse(const std::string& gameText) {
        ParseGame(*state, *info, Bytes(gameText));
        return info->facts;
    }
};

struct PlayerCase {
    const char* name;
    std::string tags;
    std::string whiteTitle;
    int32_t whiteRating;
    std::string blackTitle;
    int32_t blackRating;
};

TEST(GameFacts, ReadTitlesAndRatingsAndLeaveOutWhatSaysNothing) {
    const std::vector<PlayerCase> cases = {
        {"both players",
         "[WhiteTitle \"GM\"][WhiteElo \"2830\"][BlackTitle \"IM\"][BlackElo \"2450\"]", "GM", 2830,
         "IM", 2450},
        {"no tags", "", "", 0, "", 0},
        {"unknown values", "[WhiteTitle \"-\"][WhiteElo \"?\"][BlackTitle \"?\"][BlackElo \"-\"]",
         "", 0, "", 0},
        {"empty values", "[WhiteTitle \"\"][WhiteElo \"\"][BlackElo \"0\"]", "", 0, "", 0},
        {"blanks and case of the tag name", "[whiteelo \" 1500 \"][BLACKTITLE \"BOT\"]", "", 1500,
         "BOT", 0},
        {"a rating that is not a number", "[WhiteElo \"2700?\"][BlackElo \"-5\"]", "", 0, "", 0},
        {"a rating of six digits", "[WhiteElo \"123456\"]", "", 0, "", 0},
        {"a long title is cut", "[WhiteTitle \"Grandmaster\"]", "Grandma", 0, "", 0},
    };
    for (const PlayerCase& c : cases) {
        Reader reader;
        const GameFacts& facts = reader.Parse(c.tags + " 1. e4 *");
        EXPECT_EQ(std::string(facts.white.title), c.whiteTitle) << c.name;
        EXPECT_EQ(facts.white.rating, c.whiteRating) << c.name;
        EXPECT_EQ(std::string(facts.black.title), c.blackTitle) << c.name;
        EXPECT_EQ(facts.black.rating, c.blackRating) << c.name;
    }
}

TEST(GameFacts, AreReadAnewForEveryGame) {
    Reader reader;
    reader.Parse(
        "[White \"A\"][WhiteTitle \"GM\"][WhiteElo \"2700\"][Result \"1-0\"]"
        "[Termination \"Time forfeit\"][Opening \"Italian Game\"][ECO \"C50\"] 1. e4 {[%clk "
        "0:01:00]} *");
    const GameFacts& facts = reader.Parse("[Event \"B\"] 1. d4 *");
    EXPECT_EQ(std::string(facts.white.title), "");
    EXPECT_EQ(facts.white.rating, 0);
    EXPECT_EQ(facts.result, GameResult::Missing);
    EXPECT_EQ(std::string(facts.termination), "");
    EXPECT_EQ(std::string(facts.opening), "");
    EXPECT_EQ(std::string(facts.eco), "");
    EXPECT_EQ(facts.moves[0].clockTenths, kNoClock);
    // The classic texts still carry over, as the saver's four lines show them.
    EXPECT_EQ(std::string(reader.info->white), "A");
}

TEST(GameFacts, ReadTheResultTag) {
    const std::vector<std::pair<std::string, GameResult>> cases = {
        {"1-0", GameResult::WhiteWins}, {"0-1", GameResult::BlackWins},
        {"1/2-1/2", GameResult::Draw},  {"\xC2\xBD-\xC2\xBD", GameResult::Draw},
        {"*", GameResult::Unfinished},  {"1-0 ", GameResult::WhiteWins},
        {"2-0", GameResult::Other},
    };
    for (const auto& [value, result] : cases) {
        Reader reader;
        EXPECT_EQ(reader.Parse("[Result \"" + value + "\"] e4").result, result) << value;
    }
}

struct SanCase {
    const char* name;
    std::string moveText;
    std::vector<std::string> written;
};

TEST(GameFacts, KeepEachMoveAsWrittenWithoutAnnotationMarks) {
    const std::string hyphens(1 << 20, '-');
    const std::vector<SanCase> cases = {
        {"check and mate marks stay", "1. f3 e5 2. g4 Qh4#", {"f3", "e5", "g4", "Qh4#"}},
        {"annotations go, the check mark after them stays",
         "1. e4! e5?! 2. Qh5!? Nc6?? 3. Bc4 Nf6?? 4. Qxf7#!",
         {"e4", "e5", "Qh5", "Nc6", "Bc4", "Nf6", "Qxf7#"}},
        {"a mark written after the annotation", "1. e4 f5 2. Qh5!+", {"e4", "f5", "Qh5+"}},
        {"glyphs go", "1. e4 $1 e5 $2", {"e4", "e5"}},
        {"castling either way",
         "1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 4. 0-0+ O-O",
         {"e4", "e5", "Nf3", "Nf6", "Bc4", "Bc5", "0-0+", "O-O"}},
        {"a move near the end of the text",
         "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7#",
         {"e4", "e5", "Qh5", "Nc6", "Bc4", "Nf6", "Qxf7#"}},
        {"long forms as written", "1. e2-e4 e7-e5 2. Ng1-f3", {"e2-e4", "e7-e5", "Ng1-f3"}},
        {"a promotion keeps its sign",
         "1. h4 g5 2. hxg5 h5 3. g6 h4 4. g7 h3 5. gxh8=Q+",
         {"h4", "g5", "hxg5", "h5", "g6", "h4", "g7", "h3", "gxh8=Q+"}},
        {"a megabyte of hyphens is cut", "1. e" + hyphens + "4 e5", {"e--------", "e5"}},
    };
    for (const SanCase& c : cases) {
        Reader reader;
        const GameFacts& facts = reader.Parse("[Event \"E\"] " + c.moveText + " *");
        ASSERT_EQ(facts.plyCount, static_cast<int32_t>(c.written.size())) << c.name;
        for (size_t i = 0; i < c.written.size(); ++i)
            EXPECT_EQ(std::string(facts.moves[i].san), c.written[i]) << c.name << ", move " << i;
    }
}

struct ClockGame {
    const char* name;
    std::string moveText;
    std::vector<int32_t> tenths;  // per decoded move; kNoClock where none
};

TEST(GameFacts, TakeClocksFromMainLineCommentsAfterEachMove) {
    const std::vector<ClockGame> cases = {
        {"both sides",
         "1. e4 { [%clk 0:05:00] } 1... e5 { [%clk 0:04:58] } 2. Nf3 {[%clk 0:04:50]}",
         {3000, 2980, 2900}},
        {"missing clocks",
         "1. e4 {[%clk 0:05:00]} e5 2. Nf3 {no clock} Nc6 {[%clk 0:04:01.5]}",
         {3000, kNoClock, kNoClock, 2415}},
        {"malformed clocks", "1. e4 {[%clk 0:5:00]} e5 {[%clk 0:04:61]}", {kNoClock, kNoClock}},
        {"clocks in variations are not the game's",
         "1. e4 (1. d4 {[%clk 0:09:00]}) {[%clk 0:05:00]} e5 (1... c5 {[%clk 0:08:00]}) *",
         {3000, kNoClock}},
        {"a comment before the first move", "{[%clk 0:07:00]} 1. e4 e5", {kNoClock, kNoClock}},
        {"the first of two comments counts",
         "1. e4 {[%clk 0:00:10]} {[%clk 0:00:20]} e5",
         {100, kNoClock}},
        {"a rest-of-line comment gives none", "1. e4 ; [%clk 0:00:10]\ne5", {kNoClock, kNoClock}},
    };
    for (const ClockGame& c : cases) {
        Reader reader;
        const GameFacts& facts = reader.Parse("[Event \"E\"] " + c.moveText);
        ASSERT_EQ(facts.plyCount, static_cast<int32_t>(c.tenths.size())) << c.name;
        for (size_t i = 0; i < c.tenths.size(); ++i)
            EXPECT_EQ(facts.moves[i].clockTenths, c.tenths[i]) << c.name << ", move " << i;
    }
}

// The key kept move by move equals the key of the board, over every game of real files without
// Opening tags (a game with one is not classified, and not keyed).
TEST(GameFacts, KeyEveryPositionOfRealGames) {
    if (SharedPgnFolder().empty()) GTEST_SKIP() << "no shared PGN folder";
    Reader reader;
    int32_t positions = 0;
    for (const char* name : {"pgn2tex/Capablanca.pgn", "pgn2tex/London1851.pgn",
                             "python-chess/cutechess-fischerrandom.pgn"}) {
        const std::filesystem::path path = SharedPgnFolder() / name;
        if (!std::filesystem::exists(path)) continue;
        const CharString text = ReadPgnText(path);
        for (const std::string& game : GamesOf(text)) {
            const GameFacts& facts = reader.Parse(game);
            ResetGame(*reader.state, reader.state->hasStartPosition != 0);
            for (int32_t ply = 0; ply <= facts.plyCount; ++ply) {
                if (ply > 0) ReplayPlies(*reader.state, ply);
                ASSERT_EQ(facts.keys[static_cast<size_t>(ply)], PositionKeyOf(*reader.state))
                    << name << ", ply " << ply;
                ++positions;
            }
        }
    }
    EXPECT_GT(positions, 50000);
}

}  // namespace
