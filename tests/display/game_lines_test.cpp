// The texts of the game lines, for games read by the reader, at chosen positions.

#include "display/game_lines.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pgn/pgn_reader.h"

namespace {

// A game read as the saver reads it; the text at each position.
struct ReadGame {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    std::unique_ptr<GameInfo> info = std::make_unique<GameInfo>();

    explicit ReadGame(const std::string& text) { Read(text); }

    void Read(const std::string& text) {
        ParseGame(*state, *info, CharString(text.data(), static_cast<int32_t>(text.size())));
    }
    int32_t FinalPly() const { return info->facts.plyCount; }
    std::string Line(GameLine line, int32_t ply) const {
        const CharString text = GameLineText(*info, line, ply);
        return std::string(text.chars(), static_cast<size_t>(text.length()));
    }
};

struct ResultCase {
    const char* name;
    std::string text;
    std::string result;
};

// 404 plies of knights going out and back: more than the game record holds.
const std::string kManyMoves = [] {
    std::string moves;
    for (int i = 0; i < 101; ++i)
        moves += "Nf3 Nf6 Ng1 Ng8 ";
    return moves;
}();

TEST(GameLines, TellTheResultAtTheFinalPositionOnly) {
    const std::vector<ResultCase> cases = {
        {"checkmate with its tag", "[Result \"0-1\"] 1. f3 e5 2. g4 Qh4# 0-1", "0-1, checkmate"},
        {"checkmate without a tag", "[Event \"E\"] 1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7#",
         "1-0, checkmate"},
        {"stalemate", "[FEN \"7k/8/5QK1/8/8/8/8/8 w - - 0 1\"] 1. Qf7 1/2-1/2",
         "\xC2\xBD-\xC2\xBD, stalemate"},
        {"a draw", "[Result \"1/2-1/2\"] 1. e4 e5 1/2-1/2", "\xC2\xBD-\xC2\xBD"},
        {"time forfeit", "[Result \"1-0\"][Termination \"Time forfeit\"] 1. e4 e5",
         "1-0, time forfeit"},
        {"abandoned, in capitals", "[Result \"0-1\"][Termination \"ABANDONED\"] 1. e4",
         "0-1, abandoned"},
        {"a normal end says no more", "[Result \"1-0\"][Termination \"Normal\"] 1. e4", "1-0"},
        {"another termination as written",
         "[Result \"0-1\"][Termination \"Hikaru won by resignation\"] 1. e4",
         "0-1, Hikaru won by resignation"},
        {"a termination in Latin-1 turns into UTF-8",
         "[Result \"1-0\"][Termination \"abandonn\xE9\"] 1. e4", "1-0, abandonn\xC3\xA9"},
        {"no result known", "[Result \"*\"][Termination \"Unterminated\"] 1. e4", ""},
        {"the decoding stopped before the end", "[Result \"1-0\"] 1. e4 e5 2. Ke3 Nc6", ""},
        {"more moves than the game record holds", "[Result \"1-0\"] " + kManyMoves, ""},
    };
    for (const ResultCase& c : cases) {
        const ReadGame game(c.text);
        EXPECT_EQ(game.Line(GameLine::Result, game.FinalPly()), c.result) << c.name;
        EXPECT_EQ(game.Line(GameLine::Result, game.FinalPly() - 1), "") << c.name;
    }
}

struct PlayerCase {
    const char* name;
    std::string tags;
    std::string white;
    std::string black;
};

TEST(GameLines, PutTitlesAndRatingsBesideTheNames) {
    const std::vector<PlayerCase> cases = {
        {"everything",
         "[White \"Magnus Carlsen\"][WhiteTitle \"GM\"][WhiteElo \"2830\"]"
         "[Black \"Hou Yifan\"][BlackTitle \"GM\"][BlackElo \"2650\"]",
         "GM Magnus Carlsen 2830", "GM Hou Yifan 2650"},
        {"names alone", "[White \"A\"][Black \"B\"]", "A", "B"},
        {"a title without a rating, a rating without a title",
         "[White \"A\"][WhiteTitle \"IM\"][WhiteElo \"?\"][Black \"B\"][BlackElo \"1500\"]", "IM A",
         "B 1500"},
        {"no names", "[WhiteElo \"2000\"]", "Player 1 2000", "Player 2"},
        // The number would be drawn on the Arabic name's left without the mark (U+200E).
        {"a rating after a right-to-left name",
         "[White \"\xD8\xA5\xD9\x8A\xD9\x81\xD8\xA7\xD9\x86\"][WhiteElo \"2100\"]"
         "[Black \"Ivanov \xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\"][BlackElo \"2000\"]",
         "\xD8\xA5\xD9\x8A\xD9\x81\xD8\xA7\xD9\x86 \xE2\x80\x8E"
         "2100",
         "Ivanov \xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD 2000"},
        {"no mark after a name whose right-to-left part is not its end",
         "[White \"\xD8\xA5\xD9\x8A\xD9\x81\xD8\xA7\xD9\x86 Ivanov\"][WhiteElo \"2100\"]"
         "[Black \"\xD8\xA5\xD9\x8A\xD9\x81\xD8\xA7\xD9\x86 1\"][BlackElo \"2000\"]",
         "\xD8\xA5\xD9\x8A\xD9\x81\xD8\xA7\xD9\x86 Ivanov 2100",
         "\xD8\xA5\xD9\x8A\xD9\x81\xD8\xA7\xD9\x86 1 \xE2\x80\x8E"
         "2000"},
    };
    for (const PlayerCase& c : cases) {
        const ReadGame game(c.tags + " 1. e4");
        EXPECT_EQ(game.Line(GameLine::WhitePlayer, 0), c.white) << c.name;
        EXPECT_EQ(game.Line(GameLine::BlackPlayer, 1), c.black) << c.name;
    }
}

TEST(GameLines, ShowEachSidesLatestClock) {
    const ReadGame game(
        "[Event \"E\"] 1. e4 {[%clk 1:00:00]} e5 {[%clk 0:59:59.5]} 2. Nf3 Nc6 {[%clk 0:59:30]} "
        "3. Bb5 {[%clk 0:58:00]} *");
    const std::vector<std::pair<std::string, std::string>> byPly = {
        {"", ""},
        {"1:00:00", ""},
        {"1:00:00", "59:59.5"},
        {"1:00:00", "59:59.5"},
        {"1:00:00", "59:30"},
        {"58:00", "59:30"},
    };
    for (int32_t ply = 0; ply < static_cast<int32_t>(byPly.size()); ++ply) {
        EXPECT_EQ(game.Line(GameLine::WhiteClock, ply), byPly[static_cast<size_t>(ply)].first)
            << "ply " << ply;
        EXPECT_EQ(game.Line(GameLine::BlackClock, ply), byPly[static_cast<size_t>(ply)].second)
            << "ply " << ply;
    }
}

TEST(GameLines, FormatClocksAsAClockShowsThem) {
    const std::vector<std::tuple<int32_t, bool, std::string>> cases = {
        {0, false, "0:00"},           {3070, false, "5:07"},     {625, true, "1:02.5"},
        {50250, false, "1:23:45"},    {36000, false, "1:00:00"}, {35999, true, "59:59.9"},
        {3599990, false, "99:59:59"},
    };
    for (const auto& [tenths, withTenths, text] : cases) {
        const CharString clock = ClockText(tenths, withTenths);
        EXPECT_EQ(std::string(clock.chars(), static_cast<size_t>(clock.length())), text) << text;
    }
}

struct MoveCase {
    const char* name;
    std::string text;
    int32_t ply;
    std::string lastMove;
};

TEST(GameLines, NumberTheLastMoveForEitherSide) {
    const std::string fen23 = "[FEN \"r3k3/8/4p3/8/8/8/8/4R1K1 w - - 0 23\"] ";
    const std::vector<MoveCase> cases = {
        {"before the first move", "[Event \"E\"] 1. e4", 0, ""},
        {"White's first move", "[Event \"E\"] 1. e4 e5", 1, "1. e4"},
        {"Black's reply", "[Event \"E\"] 1. e4 e5!? 2. Nf3", 2, "1... e5"},
        {"from a FEN, White", fen23 + "23. Rxe6+! Kd7", 1, "23. Rxe6+"},
        {"from a FEN, Black", fen23 + "23. Rxe6+! Kd7", 2, "23... Kd7"},
        {"a FEN with Black to move", "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 40\"] 40... Kd7 41. e4",
         2, "41. e4"},
        {"a FEN's fullmove number 0 counts as 1", "[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 0\"] e4", 1,
         "1. e4"},
        {"the largest fullmove number", "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 2147483647\"] Kd7 e4",
         2, "2147483648. e4"},
        {"castling written with zeros", "[Event \"E\"] 1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 4. 0-0+", 7,
         "4. O-O+"},
    };
    for (const MoveCase& c : cases) {
        const ReadGame game(c.text);
        EXPECT_EQ(game.Line(GameLine::LastMove, c.ply), c.lastMove) << c.name;
    }
}

TEST(GameLines, NameTheOpeningFromItsTagsOrItsMoves) {
    const ReadGame tagged(
        "[ECO \"C42\"][Opening \"Petrov's Defense\"][Variation \"Classical Attack\"] 1. d4 d5");
    EXPECT_EQ(tagged.Line(GameLine::Opening, 0), "");
    EXPECT_EQ(tagged.Line(GameLine::Opening, 1), "C42 Petrov's Defense: Classical Attack");
    const ReadGame nameAlone("[Opening \"King's Indian\"] 1. d4 Nf6");
    EXPECT_EQ(nameAlone.Line(GameLine::Opening, 2), "King's Indian");
    // Without an Opening tag (an ECO tag alone does not name it), the name reached by the moves.
    const ReadGame untagged("[ECO \"A00\"] 1. e4 e5 2. Nf3 Nf6 3. Nxe5 d6 4. Nf3 Nxe4 5. d4");
    EXPECT_EQ(untagged.Line(GameLine::Opening, 0), "");
    EXPECT_EQ(untagged.Line(GameLine::Opening, 9), "C42 Petrov's Defense: Classical Attack");
}

}  // namespace
