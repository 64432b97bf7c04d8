#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "chess/fen_setup.h"
#include "pgn/pgn_reader.h"
#include "pgn_test_support.h"

namespace {

struct Reader {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    GameInfo info{};

    ParseOutcome Parse(const std::string& gameText) {
        return ParseGame(*state, info, Bytes(gameText));
    }
};

std::string Repeat(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

struct InfoCase {
    const char* name;
    std::string gameText;
    std::string white, black, date, event, site;
};

TEST(ParseGame, StoresTagValuesAsTheSaverShowsThem) {
    const std::string sixty(60, 'w');
    const std::vector<InfoCase> cases = {
        {"plain tags",
         "[White \"Tal\"][Black \"Koblents\"][Date \"1957.??.??\"][Event \"Riga\"]"
         "[Site \"LAT\"] 1. e4",
         "Tal", "Koblents", "1957.??.??", "Riga", "LAT"},
        {"a lower-case tag name", "[white \"Tal\"] e4", "Tal", "Player 2", "", "", ""},
        {"an empty quoted value keeps both quotes", "[White \"\"] e4", "\"\"", "Player 2", "", "",
         ""},
        {"a quoted question mark", "[White \"?\"] e4", "?", "Player 2", "", "", ""},
        {"two spaces before the value keep the first quote", "[Event  \"Open\"] e4", "Player 1",
         "Player 2", "", " \"Open", ""},
        {"a space before ] keeps the last quote", "[Site \"Riga\" ] e4", "Player 1", "Player 2", "",
         "", "Riga\" "},
        {"a ten-byte date is whole, a longer one cut",
         "[Date \"2011.02.14\"][Event \"2011.02.14 x\"] e4", "Player 1", "Player 2", "2011.02.14",
         "2011.02.14 x", ""},
        {"a longer date is cut to ten bytes", "[Date \"2011.02.14.5\"] e4", "Player 1", "Player 2",
         "2011.02.14", "", ""},
        {"a sixty-byte name is cut to fifty", "[White \"" + sixty + "\"] e4", sixty.substr(0, 50),
         "Player 2", "", "", ""},
        // 49 ASCII bytes and a two-byte letter: the letter does not fit whole and goes.
        {"a UTF-8 name is cut before a letter that does not fit",
         "[White \"" + std::string(49, 'a') + "\xC3\xBC\"] e4", std::string(49, 'a'), "Player 2",
         "", "", ""},
        // 16 three-byte letters (48 bytes) and one more: the 17th would end at byte 51.
        {"a Chinese name keeps whole letters", "[Black \"" + Repeat("\xE4\xB8\xAD", 17) + "\"] e4",
         "Player 1", Repeat("\xE4\xB8\xAD", 16), "", "", ""},
        {"an 8-bit name is cut at the byte as before",
         "[White \"" + std::string(49, 'a') + "\xFC\xFC\"] e4", std::string(49, 'a') + "\xFC",
         "Player 2", "", "", ""},
        {"a ] in a value ends the pair", "[Event \"a]b\"] 1. e4", "Player 1", "Player 2", "", "\"a",
         ""},
        {"a name alone stores the empty value", "[Event \"Riga\"][Event][Site \"S\"] e4",
         "Player 1", "Player 2", "", "", "S"},
        {"unknown tags are ignored", "[Round \"3\"][Annotator \"me\"] e4", "Player 1", "Player 2",
         "", "", ""},
        {"a space right after [ leaves the name empty", "[ White \"Tal\"] e4", "Player 1",
         "Player 2", "", "", ""},
        {"the last of two tags counts", "[White \"A\"][White \"B\"] e4", "B", "Player 2", "", "",
         ""},
    };
    for (const InfoCase& c : cases) {
        Reader reader;
        reader.Parse(c.gameText);
        EXPECT_STREQ(reader.info.white, c.white.c_str()) << c.name;
        EXPECT_STREQ(reader.info.black, c.black.c_str()) << c.name;
        EXPECT_STREQ(reader.info.date, c.date.c_str()) << c.name;
        EXPECT_STREQ(reader.info.event, c.event.c_str()) << c.name;
        EXPECT_STREQ(reader.info.site, c.site.c_str()) << c.name;
    }
}

TEST(ParseGame, GameInfoCarriesOverFromTheGamesBefore) {
    Reader reader;
    reader.Parse("[White \"A\"] e4");
    EXPECT_STREQ(reader.info.black, "Player 2");
    EXPECT_STREQ(reader.info.event, "");
    reader.Parse("[White \"B\"][Black \"C\"][Event \"E\"][Site \"S\"][Date \"1999.01.01\"] e4");
    reader.Parse("[White \"D\"] d4");
    EXPECT_STREQ(reader.info.white, "D");
    EXPECT_STREQ(reader.info.black, "C");
    EXPECT_STREQ(reader.info.event, "E");
    EXPECT_STREQ(reader.info.site, "S");
    EXPECT_STREQ(reader.info.date, "1999.01.01");
}

struct DecodeCase {
    const char* name;
    std::string gameText;
    int32_t tokens;
    int32_t plies;
    std::string refused;  // empty when every token was applied
};

TEST(ParseGame, DecodesTheMainLineUntilTheFirstRefusal) {
    const std::vector<DecodeCase> cases = {
        {"a whole game", "[Event \"x\"]\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 1-0", 6, 6, ""},
        {"comments, variations and glyphs",
         "[E \"x\"] 1. e4 {best by test} e5 2. Nf3 (2. f4 exf4) Nc6 $1 3. Bb5 a6 1-0", 6, 6, ""},
        {"a rest-of-line comment ending in LF loses nothing", "[E \"x\"] 1. e4 e5 ; c\n2. Nf3", 3,
         3, ""},
        {"a rest-of-line comment ending in CR LF", "[E \"x\"] 1. e4 e5 ; c\r\n2. Nf3", 3, 3, ""},
        {"a comment glued to two moves", "[E \"x\"] 1. e4{x}e5 2. Nf3(2. d4)Nc6$1Bb5", 5, 5, ""},
        {"an illegal move ends the list", "[E \"x\"] 1. e4 e5 2. Ke3 Nc6", 4, 2, "Ke3"},
        {"castling with zeros is castling",
         "[E \"x\"] 1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. 0-0 Nf6 5. d3", 9, 9, ""},
        {"castling with zeros on the queen side, with check marks",
         "[FEN \"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1\"] 1. 0-0-0+ Ke7!", 2, 2, ""},
        {"castling with zeros where it is not allowed is refused", "[E \"x\"] 1. e4 e5 2. 0-0 Nc6",
         4, 2, "0-0"},
        {"the rest of a value cut by ] is a refused token", "[Event \"a]b\"] 1. e4 e5", 3, 0, "b"},
        {"a lower-case promotion letter leaves a refused token",
         "[FEN \"8/4P3/8/8/8/8/8/k6K w - - 0 1\"] 1. e8=q", 1, 0, "e8="},
        {"annotations do not stick to a move", "[E \"x\"] 1. e4! e5?! 2. Nf3!! Nc6?? 3. Bb5+", 5, 5,
         ""},
        {"no move text but a result", "[E \"x\"] 1-0", 0, 0, ""},
    };
    for (const DecodeCase& c : cases) {
        Reader reader;
        const CharString text = Bytes(c.gameText);
        const ParseOutcome outcome = ParseGame(*reader.state, reader.info, text);
        EXPECT_EQ(outcome.tokensFound, c.tokens) << c.name;
        EXPECT_EQ(outcome.pliesDecoded, c.plies) << c.name;
        EXPECT_EQ(reader.state->ply, c.plies) << c.name;
        EXPECT_EQ(Str(text.mid(outcome.refused.start, outcome.refused.length)), c.refused)
            << c.name;
    }
}

// Knights out and back: four plies that can repeat forever.
std::string KnightDance(int tokens) {
    const char* moves[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text = "[Event \"long\"]\n";
    for (int i = 0; i < tokens; ++i) {
        if (i % 2 == 0) text += std::to_string(i / 2 + 1) + ". ";
        text += moves[i % 4];
        text += ' ';
    }
    return text + "*\n";
}

TEST(ParseGame, AppliesAtMost400Plies) {
    Reader reader;
    const ParseOutcome outcome = reader.Parse(KnightDance(450));
    EXPECT_EQ(outcome.tokensFound, 400);
    EXPECT_EQ(outcome.surplusTokens, 50);
    EXPECT_EQ(outcome.pliesDecoded, 400);
    EXPECT_EQ(outcome.refused.length, 0);

    const ParseOutcome exact = reader.Parse(KnightDance(400));
    EXPECT_EQ(exact.tokensFound, 400);
    EXPECT_EQ(exact.surplusTokens, 0);
    EXPECT_EQ(exact.pliesDecoded, 400);
}

bool SameBoard(const Board& a, const Board& b) {
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind) return false;
        if (a[i].kind != kEmpty && a[i].colour != b[i].colour) return false;
    }
    return true;
}

TEST(ParseGame, SetsUpTheFenPositionWhereverItsTagStands) {
    const std::string fen = "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 1\"]";
    Reader before;
    Reader after;
    before.Parse(fen + "[White \"w\"][SetUp \"1\"]\n1... Kd7 2. e4 *");
    after.Parse("[White \"w\"][SetUp \"1\"]" + fen + "\n1... Kd7 2. e4 *");
    for (Reader* reader : {&before, &after}) {
        EXPECT_EQ(reader->state->ply, 2);
        EXPECT_EQ(reader->state->hasStartPosition, 1);
        EXPECT_EQ(At(*reader->state, 3, 6).kind, kKing);
        EXPECT_EQ(At(*reader->state, 4, 3).kind, kPawn);
    }
    EXPECT_TRUE(SameBoard(before.state->startBoard, after.state->startBoard));
    // With two FEN tags the last one counts.
    Reader twice;
    twice.Parse("[FEN \"k7/8/8/8/8/8/8/7K w - - 0 1\"]" + fen + " 1... Kd7");
    EXPECT_EQ(twice.state->ply, 1);
}

// A FEN value of blanks names no position; anything else is set up, even a poor one.
TEST(ParseGame, ABlankFenTagMeansTheStandardStart) {
    struct FenCase {
        const char* name;
        std::string tags;
        bool standardStart;
    };
    const std::vector<FenCase> cases = {
        {"empty quotes", "[FEN \"\"]", true},
        {"blanks inside the quotes", "[FEN \"   \"]", true},
        {"a tab inside the quotes", "[FEN \"\t \"]", true},
        {"no value at all", "[FEN]", true},
        {"a value of blanks without quotes", "[FEN    ]", true},
        {"a blank FEN after a real one counts, being the last",
         "[FEN \"k7/8/8/8/8/8/8/7K w - - 0 1\"][FEN \"\"]", true},
        {"a real FEN after a blank one", "[FEN \"\"][FEN \"k7/8/8/8/8/8/8/7K w - - 0 1\"]", false},
        {"a poor FEN is still a FEN", "[FEN \"x\"]", false},
    };
    for (const FenCase& c : cases) {
        Reader reader;
        const ParseOutcome outcome = reader.Parse(c.tags + "\n1. e4 e5 *");
        EXPECT_EQ(reader.state->hasStartPosition, c.standardStart ? 0 : 1) << c.name;
        EXPECT_EQ(outcome.pliesDecoded, c.standardStart ? 2 : 0) << c.name;
    }
}

TEST(LoadCurrentGame, LeavesTheStartPositionOnShowWithTheGameLength) {
    Reader reader;
    int32_t number = 1;
    const CharString text = Bytes(
        "[Event \"A\"]\n1. e4 e5 *\n\n"
        "[Event \"B\"][FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n1. e4 Kd7 2. Ke2 *\n");
    LoadCurrentGame(*reader.state, reader.info, number, text);
    EXPECT_EQ(number, 1);
    EXPECT_STREQ(reader.info.event, "B");
    EXPECT_EQ(reader.state->moveCount, 4);
    EXPECT_EQ(reader.state->ply, 0);
    EXPECT_EQ(At(*reader.state, 4, 1).kind, kPawn) << "the pawn is back on e2";
    EXPECT_EQ(At(*reader.state, 0, 0).kind, kEmpty) << "the FEN board, not the initial one";
}

struct WrapCase {
    const char* name;
    int32_t gameCount;
    int32_t asked;
    int32_t loaded;  // the number afterwards; the game's Event tag is its number
};

TEST(LoadCurrentGame, WrapsToGame0WhenTheGameDoesNotExist) {
    const std::vector<WrapCase> cases = {
        {"one game, asked for the next", 1, 1, 0},
        {"three games, asked for game 5", 3, 5, 0},
        {"three games, asked for the last", 3, 2, 2},
        {"a negative number", 3, -4, 0},
        {"-1", 3, -1, 0},
        {"the largest number", 3, 2147483647, 0},
    };
    for (const WrapCase& c : cases) {
        std::string text;
        for (int g = 0; g < c.gameCount; ++g)
            text += "[Event \"" + std::to_string(g) + "\"]\n1. e4 *\n\n";
        Reader reader;
        int32_t number = c.asked;
        LoadCurrentGame(*reader.state, reader.info, number, Bytes(text));
        EXPECT_EQ(number, c.loaded) << c.name;
        EXPECT_EQ(std::string(reader.info.event), std::to_string(c.loaded)) << c.name;
        EXPECT_EQ(reader.state->moveCount, 2) << c.name;
    }
}

TEST(LoadCurrentGame, AFileWithoutAGameOnlyResetsTheBoard) {
    for (const char* text : {"", "1. e4 e5 2. Nf3 *", "[Event \"A\"]\n*\n", "\xEF\xBB\xBF"}) {
        Reader reader;
        SetupFromFen(*reader.state, CharString("k7/8/8/8/8/8/8/7K b - - 0 1"));
        reader.state->moveCount = 7;
        std::strcpy(reader.info.event, "kept");
        int32_t number = 3;
        LoadCurrentGame(*reader.state, reader.info, number, CharString(text));
        EXPECT_EQ(number, 3) << text;
        EXPECT_EQ(reader.state->moveCount, 7) << text;
        EXPECT_STREQ(reader.info.event, "kept") << text;
        EXPECT_STREQ(reader.info.white, "") << text;
        EXPECT_EQ(reader.state->hasStartPosition, 0) << text;
        EXPECT_EQ(reader.state->sideToMove, kWhite) << text;
        EXPECT_EQ(At(*reader.state, 3, 0).kind, kQueen) << text;
    }
}

TEST(LoadCurrentGame, ATagSectionWithoutMovesMergesWithTheNextGame) {
    Reader reader;
    int32_t number = 0;
    LoadCurrentGame(*reader.state, reader.info, number,
                    CharString("[Event \"A\"][White \"x\"]\n*\n\n[Event \"B\"]\n1. d4 *\n"));
    EXPECT_STREQ(reader.info.white, "x");
    EXPECT_STREQ(reader.info.event, "B");
    EXPECT_EQ(reader.state->moveCount, 2);
    int32_t next = 1;
    LoadCurrentGame(*reader.state, reader.info, next,
                    CharString("[Event \"A\"][White \"x\"]\n*\n\n[Event \"B\"]\n1. d4 *\n"));
    EXPECT_EQ(next, 0) << "the merged section is one game";
}

}  // namespace
