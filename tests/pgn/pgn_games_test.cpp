#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pgn/pgn_games.h"
#include "pgn_test_support.h"

namespace {

struct GamesCase {
    const char* name;
    std::string text;
    std::vector<std::string> games;  // game 0, 1, ... as ExtractGameText must give them
};

std::vector<GamesCase> GamesCases() {
    return {
        {"empty text", "", {}},
        {"move text without any tag pair holds no game", "1. e4 e5 2. Nf3 *\n", {}},
        {"text before the first [ belongs to no game",
         "junk 1. d4\n[Event \"A\"]\n1. e4 *\n",
         {"[Event \"A\"]\n1. e4 *\n"}},
        {"a game runs up to the next game's first [",
         "[Event \"A\"]\n[White \"w\"]\n1. e4 *\n[Event \"B\"]\n1. d4 *",
         {"[Event \"A\"]\n[White \"w\"]\n1. e4 *\n", "[Event \"B\"]\n1. d4 *"}},
        {"a tag section followed only by * merges with the next one",
         "[Event \"A\"]\n*\n[Event \"B\"]\n1. d4 *\n",
         {"[Event \"A\"]\n*\n[Event \"B\"]\n1. d4 *\n"}},
        {"a result with a digit 1 counts as move text; a last tag section without any is no game",
         "[Event \"A\"]\n1-0\n[Event \"B\"]\n*\n",
         {"[Event \"A\"]\n1-0\n"}},
        {"0-1 counts at its 1",
         "[Event \"A\"] 0-1 [Event \"B\"] e4",
         {"[Event \"A\"] 0-1 ", "[Event \"B\"] e4"}},
        {"castling and piece letters other than N do not begin move text",
         "[Event \"A\"] O-O-O Q+ K# R B! ?. 0 [Event \"B\"] Nf3",
         {"[Event \"A\"] O-O-O Q+ K# R B! ?. 0 [Event \"B\"] Nf3"}},
        {"move-like bytes inside a tag value do not begin move text",
         "[White \"abc 123\"][Event \"B\"] e4 [Event \"C\"] d4",
         {"[White \"abc 123\"][Event \"B\"] e4 ", "[Event \"C\"] d4"}},
        {"a [ inside a brace comment does not end the game",
         "[Event \"A\"] 1. e4 {see [this]} e5 [Event \"B\"] 1. d4",
         {"[Event \"A\"] 1. e4 {see [this]} e5 ", "[Event \"B\"] 1. d4"}},
        {"a [ in a rest-of-line comment ending in CR LF does not end the game",
         "[Event \"A\"] 1. e4 ; [x]\r\n e5 [Event \"B\"] 1. d4",
         {"[Event \"A\"] 1. e4 ; [x]\r\n e5 ", "[Event \"B\"] 1. d4"}},
        {"an LF ends a rest-of-line comment",
         "[Event \"A\"] 1. e4 ; note\n[Event \"B\"] 1. d4",
         {"[Event \"A\"] 1. e4 ; note\n", "[Event \"B\"] 1. d4"}},
        {"a CR alone ends a rest-of-line comment",
         "[Event \"A\"] 1. e4 ; note\r[Event \"B\"] 1. d4",
         {"[Event \"A\"] 1. e4 ; note\r", "[Event \"B\"] 1. d4"}},
        {"a brace inside a rest-of-line comment opens nothing",
         "[Event \"A\"] 1. e4 ; {\n[Event \"B\"] 1. d4",
         {"[Event \"A\"] 1. e4 ; {\n", "[Event \"B\"] 1. d4"}},
        {"a rest-of-line comment inside braces runs to the }",
         "[Event \"A\"] 1. e4 { ; \n [x] } e5 [Event \"B\"] 1. d4",
         {"[Event \"A\"] 1. e4 { ; \n [x] } e5 ", "[Event \"B\"] 1. d4"}},
        {"a comment between the tags and the moves holds no move text",
         "[Event \"A\"]\n{ 1. e4 }\n[Event \"B\"]\n1. d4",
         {"[Event \"A\"]\n{ 1. e4 }\n[Event \"B\"]\n1. d4"}},
        {"a brace inside a tag pair opens no comment",
         "[Event \"{\"] e4 [Event \"B\"] d4",
         {"[Event \"{\"] e4 ", "[Event \"B\"] d4"}},
        {"a game that begins at the very first byte", "[Event \"A\"]1. e4", {"[Event \"A\"]1. e4"}},
        {"an unclosed brace comment runs to the end",
         "[Event \"A\"] e4 {open [Event \"B\"] d4",
         {"[Event \"A\"] e4 {open [Event \"B\"] d4"}},
        {"an unclosed tag pair holds no game", "[Event \"A\" e4", {}},
        {"text after a ] in a tag value is move text",
         "[Event \"a]b\"] 1. e4 [Event \"B\"] d4",
         {"[Event \"a]b\"] 1. e4 ", "[Event \"B\"] d4"}},
    };
}

TEST(ExtractGameText, FindsEachGameAndNothingBeyond) {
    for (const GamesCase& c : GamesCases()) {
        const CharString text = Bytes(c.text);
        for (size_t n = 0; n < c.games.size(); ++n)
            EXPECT_EQ(Str(ExtractGameText(text, static_cast<int32_t>(n))), c.games[n])
                << c.name << ", game " << n;
        EXPECT_EQ(Str(ExtractGameText(text, static_cast<int32_t>(c.games.size()))), "")
            << c.name << ", the game after the last";
        EXPECT_EQ(Str(ExtractGameText(text, -1)), "") << c.name;
        EXPECT_EQ(Str(ExtractGameText(text, -7)), "") << c.name;
        EXPECT_EQ(Str(ExtractGameText(text, 2147483647)), "") << c.name;
    }
}

TEST(GameTextCursor, ReadsTheSameGamesInOnePass) {
    for (const GamesCase& c : GamesCases())
        EXPECT_EQ(GamesOf(Bytes(c.text)), c.games) << c.name;
}

TEST(GameTextCursor, AgreesWithExtractGameTextOnEveryRealFile) {
    const std::filesystem::path folder = SharedPgnFolder();
    if (folder.empty()) GTEST_SKIP() << "no shared PGN folder";
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().extension() != ".pgn") continue;
        const CharString text = ReadPgnText(entry.path());
        const std::vector<std::string> games = GamesOf(text);
        for (size_t n = 0; n < games.size(); ++n) {
            ASSERT_EQ(Str(ExtractGameText(text, static_cast<int32_t>(n))), games[n])
                << entry.path() << ", game " << n;
        }
        EXPECT_EQ(ExtractGameText(text, static_cast<int32_t>(games.size())).length(), 0)
            << entry.path();
        ++files;
    }
    EXPECT_GT(files, 50);
}

}  // namespace
