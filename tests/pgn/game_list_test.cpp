#include "pgn/game_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter_tags_reference.h"
#include "pgn_test_support.h"

namespace {

struct TagCase {
    const char* name;
    std::string text;
    std::string white;  // of the first game; "-" when it has no White tag
};

TEST(FilterTags, ReadsTheTagsAsParseGameDoes) {
    const TagCase cases[] = {
        {"a tag section laid out line by line",
         "[Event \"Riga\"]\n[White \"Tal, Mikhail\"]\n[Black \"Koblents\"]\n[WhiteElo \"2700\"]\n"
         "[BlackElo \"2650\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n",
         "Tal, Mikhail"},
        {"names in any case, CR LF lines",
         "[white \"a\"]\r\n[BLACKelo \"2500\"]\r\n[rEsUlT \"0-1\"]\r\n1. e4\r\n", "a"},
        {"the last tag of a name counts",
         "[White \"A\"][White \"B\"][WhiteElo \"2400\"][WhiteElo \"x\"] e4", "B"},
        {"a [ inside a pair sends what follows to the name", "[ [White \"Hidden\"]] e4", "Hidden"},
        {"a name glued from two runs is no White", "[White \"Carlsen [Black \"Caruana\"] e4", "-"},
        {"a ] inside the value ends the pair", "[White \"a]b\"] e4", "\"a"},
        {"a pair without a value", "[White] e4", ""},
        {"two spaces keep the first quote", "[White  \"Two spaces\"] e4", " \"Two spaces"},
        {"an empty quoted value stays as its quotes", "[White \"\"] e4", "\"\""},
        {"tags in a brace comment are not tags",
         "[Event \"x\"] {[White \"Hidden\"]} [Black \"B\"] e4", "-"},
        {"tags in a rest-of-line comment are not tags",
         "[Event \"x\"] ; [White \"Hidden\"]\n[Black \"B\"] e4", "-"},
        {"a section without move text merges with the next",
         "[White \"A\"] * [White \"B\"][Result \"1-0\"] e4", "B"},
        {"move text ends the tags: a bracket in it starts the next game",
         "[White \"A\"] 1. e4 {[White \"C\"]} [White \"B\"] e5", "A"},
        {"ratings that are not whole numbers",
         "[WhiteElo \"\"][BlackElo \"-\"] e4 [WhiteElo \" 2700 \"][BlackElo \"27O0\"] d4", "-"},
        {"results",
         "[Result \"1/2-1/2\"] e4 [Result \"*\"] e4 [Result \"1-0 \"] e4 [Result \"0-1x\"] e4",
         "-"},
        {"a stray ] outside any pair", "[White \"A\"] ] [Black \"B\"] e4", "A"},
    };
    for (const TagCase& c : cases) {
        const std::vector<std::string> games = GamesOf(Bytes(c.text));
        ASSERT_FALSE(games.empty()) << c.name;
        const reference::Facts first = reference::ListFacts(games[0]);
        EXPECT_EQ(first.hasWhite ? first.white : "-", c.white) << c.name;
        for (const std::string& game : games)
            EXPECT_TRUE(reference::ListFacts(game) == reference::LexerFacts(game))
                << c.name << ": " << game;
    }
}

TEST(FilterTags, ReadsRatingsAndResults) {
    const struct {
        const char* value;
        uint16_t rating;
    } ratings[] = {{"2700", 2700}, {" 2700 ", 2700}, {"0", 0},     {"65535", 65535},
                   {"65536", 0},   {"100000", 0},    {"", 0},      {"-", 0},
                   {"?", 0},       {"27OO", 0},      {"+2700", 0}, {"2 700", 0}};
    for (const auto& r : ratings)
        EXPECT_EQ(RatingOfValue(r.value, static_cast<int32_t>(std::string(r.value).size())),
                  r.rating)
            << r.value;
    const struct {
        const char* value;
        GameResult result;
    } results[] = {{"1-0", GameResult::WhiteWins},
                   {" 0-1 ", GameResult::BlackWins},
                   {"1/2-1/2", GameResult::Draw},
                   {"*", GameResult::Unfinished},
                   {"", GameResult::Other},
                   {"1-0 {time}", GameResult::Other},
                   {"\xC2\xBD-\xC2\xBD", GameResult::Draw}};
    for (const auto& r : results)
        EXPECT_EQ(ResultOfValue(r.value, static_cast<int32_t>(std::string(r.value).size())),
                  r.result)
            << r.value;
}

// Six games with what the filters look at; game 4 has no rating, no result, and neither player.
const std::string kSixGames =
    "[White \"Carlsen, Magnus\"][Black \"Caruana\"][WhiteElo \"2830\"][BlackElo \"2800\"]"
    "[Result \"1-0\"]\n1. e4 1-0\n"
    "[White \"Nakamura\"][Black \"CARLSEN\"][WhiteElo \"2780\"][BlackElo \"2830\"]"
    "[Result \"1/2-1/2\"]\n1. d4 1/2-1/2\n"
    "[White \"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2\"][Black \"Petrov\"]"  // Иванов
    "[WhiteElo \"2710\"][Result \"0-1\"]\n1. c4 0-1\n"
    "[White \"M\xC3\xBCller\"][Black \"\xC3\x96lz\"][WhiteElo \"2650\"][BlackElo \"2700\"]"
    "[Result \"0-1\"]\n1. Nf3 0-1\n"
    "[Event \"Casual\"]\n1. e4 *\n"
    "[White \"Topalov\"][Black \"carlsen\"][WhiteElo \"2700\"][BlackElo \"2830\"][Result \"*\"]\n"
    "1. e4 *\n";

// The filters as plain fields: tables of GameFilters, whose player is a std::string, make
// MinGW's GCC 12 at -O3 warn wrongly of uninitialized strings.
struct FilterCase {
    const char* name;
    int32_t minimumRating;
    bool decisiveOnly;
    const char* player;
    std::vector<int32_t> playable;
    std::vector<uint8_t> refusals;  // per game; empty: not checked
};

TEST(GameList, FiltersEachGameByItsOwnTags) {
    constexpr uint8_t R = kRefusedRating, D = kRefusedNotDecisive, P = kRefusedPlayer;
    const FilterCase cases[] = {
        {"every filter off", 0, false, "", {0, 1, 2, 3, 4, 5}, {0, 0, 0, 0, 0, 0}},
        {"minimum rating: both ratings, a missing one refuses",
         2700,
         false,
         "",
         {0, 1, 5},
         {0, 0, R, R, R, 0}},
        {"decisive games only", 0, true, "", {0, 2, 3}, {0, D, 0, 0, D, D}},
        {"player in either colour, any case", 0, false, "carlsen", {0, 1, 5}, {}},
        {"player in Cyrillic capitals",
         0,
         false,
         "\xD0\x98\xD0\x92\xD0\x90\xD0\x9D\xD0\x9E\xD0\x92",
         {2},
         {}},
        {"player with an umlaut in capitals", 0, false, "M\xC3\x9CLLER", {3}, {}},
        {"player as Black with a capital umlaut", 0, false, "\xC3\xB6lz", {3}, {}},
        {"spaces around the player are not looked for", 0, false, "  carlsen ", {0, 1, 5}, {}},
        {"a player of spaces only is no filter", 0, false, "   ", {0, 1, 2, 3, 4, 5}, {}},
        {"every filter on, each refusal named",
         2700,
         true,
         "carlsen",
         {0},
         {0, D, R | P, R | P, R | D | P, D}},
        {"no game passes", 2900, false, "", {}, {}},
    };
    const CharString text = Bytes(kSixGames);
    for (const FilterCase& c : cases) {
        const GameList list =
            BuildGameList(text, GameFilters{c.minimumRating, c.decisiveOnly, c.player});
        ASSERT_EQ(list.games.size(), 6u) << c.name;
        EXPECT_EQ(list.playable, c.playable) << c.name;
        for (size_t i = 0; i < c.refusals.size(); ++i)
            EXPECT_EQ(list.games[i].refusals, c.refusals[i]) << c.name << ", game " << i;
    }
}

// The spans the list gives must be the game scanner's, game for game.
void ExpectScannerSpans(const CharString& text, const std::string& name) {
    const GameList list = BuildGameList(text, GameFilters{});
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    int32_t number = 0;
    for (; NextGameSpan(cursor, span); ++number) {
        const GameSpan listed = ListedGameSpan(list, number);
        ASSERT_EQ(listed.start, span.start) << name << ", game " << number;
        ASSERT_EQ(listed.length, span.length) << name << ", game " << number;
    }
    EXPECT_EQ(static_cast<int32_t>(list.games.size()), number) << name;
    EXPECT_EQ(ListedGameSpan(list, number).length, 0) << name;
    EXPECT_EQ(ListedGameSpan(list, -1).length, 0) << name;
}

TEST(GameList, NumbersTheGamesAsTheScannerDoes) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"text before the first game", "junk 1. d4\n[Event \"A\"]\n1. e4 *\n"},
        {"a last tag section without moves is no game", "[A \"1\"] e4 [B \"2\"] *\n"},
        {"merged sections", "[A \"1\"] * [B \"2\"] e4 [C \"3\"] d4"},
        {"the six games", kSixGames},
    };
    for (const auto& c : cases)
        ExpectScannerSpans(Bytes(c.text), c.name);
}

TEST(GameList, NumbersTheGamesOfRealFilesAsTheScannerDoes) {
    if (SharedPgnFolder().empty()) GTEST_SKIP() << "no shared PGN folder";
    for (const char* folder :
         {"chess-library-tests", "pgn2tex", "python-chess", "shakmaty-benches"})
        for (const std::filesystem::path& file : PgnFilesIn(folder))
            ExpectScannerSpans(ReadPgnText(file), file.filename().string());
}

TEST(GameList, RealTournamentFileHasRatingsAndResults) {
    const std::vector<std::filesystem::path> files = PgnFilesIn("shakmaty-benches");
    const auto twic = std::find_if(files.begin(), files.end(), [](const auto& path) {
        return path.filename() == "twic1599_1000k.pgn";
    });
    if (twic == files.end()) GTEST_SKIP() << "no twic1599_1000k.pgn";
    const CharString text = ReadPgnText(*twic);
    const GameList all = BuildGameList(text, GameFilters{});
    const GameList strong = BuildGameList(text, GameFilters{2700, true, ""});
    // The checks hold for any tournament file: each filter only removes games, and a game the
    // stronger list keeps has both ratings at 2700 and a decisive result.
    EXPECT_EQ(all.playable.size(), all.games.size());
    EXPECT_FALSE(strong.playable.empty());
    EXPECT_LT(strong.playable.size(), all.playable.size());
    for (const int32_t number : strong.playable) {
        const ListedGame& game = strong.games[static_cast<size_t>(number)];
        EXPECT_GE(game.whiteElo, 2700);
        EXPECT_GE(game.blackElo, 2700);
        EXPECT_TRUE(game.result == GameResult::WhiteWins || game.result == GameResult::BlackWins);
    }
}

}  // namespace
