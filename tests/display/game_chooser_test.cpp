#include "display/game_chooser.h"

#include "display/shuffle_order.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Files in memory standing for a folder (or one file), counting the reads.
struct FakeFiles {
    std::map<std::string, std::string> texts;
    int reads = 0;
};

bool ReadFake(void* context, const std::string& name, CharString& text) {
    auto* files = static_cast<FakeFiles*>(context);
    const auto found = files->texts.find(name);
    if (found == files->texts.end()) return false;
    ++files->reads;
    text = CharString(found->second.data(), static_cast<int32_t>(found->second.size()));
    return true;
}

// count games; game k has White "W<tag><k>", and rating and result by the callback's choice.
std::string GamesText(int count, const std::string& tag, bool (*strong)(int) = nullptr) {
    std::string text;
    for (int k = 0; k < count; ++k) {
        const bool isStrong = strong == nullptr || strong(k);
        text += "[White \"W" + tag + std::to_string(k) + "\"][Black \"B\"][WhiteElo \"" +
                (isStrong ? "2800" : "2000") +
                "\"][BlackElo \"2800\"][Result \"1-0\"]\n1. e4 1-0\n";
    }
    return text;
}

struct Chosen {
    std::string file;
    int32_t game;
    bool operator==(const Chosen&) const = default;
    bool operator<(const Chosen& o) const {
        return std::tie(file, game) < std::tie(o.file, o.game);
    }
};

struct Run {
    FakeFiles files;
    GameChooser chooser;
};

GameSources FolderOf(const FakeFiles& files) {
    std::vector<std::string> names;
    for (const auto& [name, text] : files.texts)
        names.push_back(name);
    return FolderSource(names, NameOrder::Bytewise);
}

// Starts a chooser on files (a folder when folder) and returns the games it chooses, count of
// them from the starting one; the chooser is left on the last.
std::vector<Chosen> Play(FakeFiles& files, bool folder, GameOrder order, const GameFilters& filters,
                         const ResumePoint& stored, int count, GameChooser* left = nullptr) {
    const GameSources sources =
        folder ? FolderOf(files) : SingleFileSource(files.texts.begin()->first);
    GameChooser chooser = MakeGameChooser(sources, order, filters, {&files, ReadFake});
    std::vector<Chosen> chosen;
    if (ChooseStartingGame(chooser, stored, 99) != ChoiceResult::Chosen) return chosen;
    for (int i = 0; i < count; ++i) {
        chosen.push_back({chooser.at.file, chooser.at.gameNumber});
        if (i + 1 < count) {
            EXPECT_EQ(ChooseNextGame(chooser), ChoiceResult::Chosen);
        }
    }
    if (left != nullptr) *left = std::move(chooser);
    return chosen;
}

std::vector<int32_t> Numbers(const std::vector<Chosen>& chosen) {
    std::vector<int32_t> numbers;
    for (const Chosen& c : chosen)
        numbers.push_back(c.game);
    return numbers;
}

ResumePoint At(const std::string& file, int32_t game, uint32_t seed = 0, int32_t position = 0) {
    return {file, game, seed, position};
}

bool Even(int k) {
    return k % 2 == 0;
}

TEST(GameChooser, PlaysOneFileInFileOrderAsTheSaverAlwaysDid) {
    // The minimum rating alone, not GameFilters, whose std::string in a table makes MinGW's
    // GCC 12 at -O3 warn wrongly of uninitialized strings.
    const struct {
        const char* name;
        ResumePoint stored;
        int32_t minimumRating;
        std::vector<int32_t> games;
    } cases[] = {
        {"from the stored game, wrapping after the last", At("", 2), 0, {2, 3, 4, 0, 1, 2}},
        {"a number beyond the last game starts at game 0", At("", 9), 0, {0, 1}},
        {"a negative number starts at game 0", At("", -1), 0, {0, 1}},
        {"a stored name means nothing for one file", At("other.pgn", 3), 0, {3, 4}},
        {"filters skip games", At("", 0), 2700, {0, 2, 4, 0}},
        {"a refused stored game gives way to the next that plays", At("", 1), 2700, {2, 4, 0}},
        {"past the last that plays, the first", At("", 5), 2700, {0, 2}},
    };
    for (const auto& c : cases) {
        FakeFiles files{{{"games.pgn", GamesText(5, "", Even)}}};
        const auto games = Numbers(Play(files, false, GameOrder::FileOrder,
                                        GameFilters{c.minimumRating, false, ""}, c.stored,
                                        static_cast<int>(c.games.size())));
        EXPECT_EQ(games, c.games) << c.name;
        EXPECT_EQ(files.reads, 1) << c.name;  // one file stays in memory, read once
    }
}

TEST(GameChooser, ShufflesEveryPlayableGameOncePerRoundInANewOrderEachRound) {
    FakeFiles files{{{"games.pgn", GamesText(24, "", Even)}}};
    const GameFilters strong{2700, false, ""};
    // The stored game 1 no longer plays, so the run starts at the stored place: a round's first.
    const std::vector<Chosen> chosen =
        Play(files, false, GameOrder::Shuffled, strong, At("", 1, 12345, 0), 12 * 8);
    std::set<std::vector<int32_t>> orders;
    for (int round = 0; round < 8; ++round) {
        std::vector<int32_t> order;
        for (int i = 0; i < 12; ++i)
            order.push_back(chosen[static_cast<size_t>(round * 12 + i)].game);
        std::set<int32_t> games(order.begin(), order.end());
        EXPECT_EQ(games.size(), 12u) << "round " << round;
        EXPECT_EQ(*games.begin(), 0);
        EXPECT_EQ(*games.rbegin(), 22);
        for (const int32_t game : games)
            EXPECT_EQ(game % 2, 0);
        orders.insert(order);
        if (round > 0) {  // a round never opens with the game that closed the one before
            EXPECT_NE(order.front(), chosen[static_cast<size_t>(round * 12 - 1)].game);
        }
    }
    EXPECT_EQ(orders.size(), 8u);
    EXPECT_EQ(files.reads, 1);
}

TEST(GameChooser, ContinuesAShuffledRoundAfterARestartWithoutRepeats) {
    for (const int stopAfter : {1, 5, 11, 12, 13}) {
        FakeFiles files{{{"games.pgn", GamesText(12, "")}}};
        GameChooser before;
        const std::vector<Chosen> first =
            Play(files, false, GameOrder::Shuffled, {}, At("", 0, 777, 0), stopAfter, &before);
        // The saver stores the game on screen; the next run shows it again, then goes on.
        const std::vector<Chosen> second =
            Play(files, false, GameOrder::Shuffled, {}, before.at, 24 - stopAfter + 1);
        EXPECT_EQ(second.front(), first.back()) << stopAfter;
        std::vector<Chosen> all = first;
        all.insert(all.end(), second.begin() + 1, second.end());
        // The whole of both rounds played as one run would have played them.
        const std::vector<Chosen> straight =
            Play(files, false, GameOrder::Shuffled, {}, At("", 0, 777, 0), 24);
        EXPECT_EQ(all, straight) << stopAfter;
    }
}

TEST(GameChooser, PlaysAFolderFileByFileInNameOrder) {
    FakeFiles files{{{"b.pgn", GamesText(2, "b")},
                     {"a.pgn", GamesText(3, "a")},
                     {"c.pgn", GamesText(1, "c")},
                     {"notes.txt", GamesText(1, "n")}}};
    const std::vector<Chosen> chosen =
        Play(files, true, GameOrder::FileOrder, {}, At("b.pgn", 1), 8);
    EXPECT_EQ(chosen, (std::vector<Chosen>{{"b.pgn", 1},
                                           {"c.pgn", 0},
                                           {"a.pgn", 0},
                                           {"a.pgn", 1},
                                           {"a.pgn", 2},
                                           {"b.pgn", 0},
                                           {"b.pgn", 1},
                                           {"c.pgn", 0}}));
}

TEST(GameChooser, ShufflesAFolderFileByFileWithEveryGameOncePerRound) {
    FakeFiles files{{{"a.pgn", GamesText(5, "a")},
                     {"b.pgn", GamesText(4, "b")},
                     {"c.pgn", GamesText(3, "c")},
                     {"d.pgn", GamesText(0, "d")}}};
    const std::vector<Chosen> chosen =
        Play(files, true, GameOrder::Shuffled, {}, At("", 0, 4242, 0), 24);
    for (int round = 0; round < 2; ++round) {
        const std::vector<Chosen> one(chosen.begin() + round * 12,
                                      chosen.begin() + round * 12 + 12);
        EXPECT_EQ(std::set<Chosen>(one.begin(), one.end()).size(), 12u);
        // One file at a time: each file's games come together.
        std::vector<std::string> runs;
        for (const Chosen& c : one)
            if (runs.empty() || runs.back() != c.file) runs.push_back(c.file);
        EXPECT_EQ(runs.size(), 3u) << "round " << round;
        EXPECT_EQ(std::set<std::string>(runs.begin(), runs.end()).size(), 3u);
    }
    EXPECT_NE(chosen[11].file, chosen[12].file);
}

TEST(GameChooser, StaysOnTheStoredGameWhenTheFolderGainsAFile) {
    for (const GameOrder order : {GameOrder::FileOrder, GameOrder::Shuffled}) {
        FakeFiles files{{{"b.pgn", GamesText(6, "b")}, {"d.pgn", GamesText(4, "d")}}};
        GameChooser before;
        Play(files, true, order, {}, At("d.pgn", 0, 31, 0), 3, &before);
        files.texts["a.pgn"] = GamesText(5, "a");  // sorts before the stored file
        files.texts["c.pgn"] = GamesText(5, "c");
        const std::vector<Chosen> after = Play(files, true, order, {}, before.at, 1);
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after[0], (Chosen{before.at.file, before.at.gameNumber}));
    }
}

TEST(GameChooser, FindsItsWayWhenTheStoredPlaceIsGone) {
    const struct {
        const char* name;
        GameOrder order;
        ResumePoint stored;
        Chosen first;
    } cases[] = {
        {"a file gone: the next by name, from its start",
         GameOrder::FileOrder,
         At("b.pgn", 2),
         {"c.pgn", 0}},
        {"a file gone after the last: the first file",
         GameOrder::FileOrder,
         At("z.pgn", 2),
         {"a.pgn", 0}},
        {"a shrunk file, file order: on to the next file",
         GameOrder::FileOrder,
         At("a.pgn", 7),
         {"c.pgn", 0}},
        {"a shrunk file, shuffled: the game at the stored place",
         GameOrder::Shuffled,
         At("c.pgn", 9, 5, 1),
         {"c.pgn", ShuffledIndex(GameOrderKey(5, "c.pgn"), 3, 1)}},
        {"no stored file: the first", GameOrder::FileOrder, At("", 2), {"a.pgn", 0}},
    };
    for (const auto& c : cases) {
        FakeFiles files{{{"a.pgn", GamesText(3, "a")}, {"c.pgn", GamesText(3, "c")}}};
        const std::vector<Chosen> chosen = Play(files, true, c.order, {}, c.stored, 1);
        ASSERT_EQ(chosen.size(), 1u) << c.name;
        EXPECT_EQ(chosen[0], c.first) << c.name;
    }
}

TEST(GameChooser, KeepsTheStoredGameWhenTheOrderTurnsToShuffled) {
    // No seed stored yet: the fresh one (99) starts the round, from the stored game's place in it.
    FakeFiles files{{{"games.pgn", GamesText(10, "")}}};
    const int32_t place = ShufflePositionOf(GameOrderKey(99, "games.pgn"), 10, 6);
    GameChooser chooser;
    const std::vector<Chosen> chosen =
        Play(files, false, GameOrder::Shuffled, {}, At("", 6), 10 - place, &chooser);
    EXPECT_EQ(chosen.front().game, 6);
    EXPECT_EQ(chooser.at.shuffleSeed, 99u);
    EXPECT_EQ(chooser.at.shufflePosition, 9);
    const std::vector<int32_t> games = Numbers(chosen);
    EXPECT_EQ(std::set<int32_t>(games.begin(), games.end()).size(), games.size());
}

TEST(GameChooser, SaysWhyNoGameIsChosen) {
    const struct {
        const char* name;
        std::map<std::string, std::string> texts;
        GameFilters filters;
        ChoiceResult result;
    } cases[] = {
        {"no file reads", {}, {}, ChoiceResult::NothingRead},
        {"files without games", {{"a.pgn", "1. e4 *"}, {"b.pgn", ""}}, {}, ChoiceResult::NoGame},
        {"games, none passing",
         {{"a.pgn", GamesText(3, "a")}, {"b.pgn", ""}},
         {2900, false, ""},
         ChoiceResult::NoneFiltered},
    };
    for (const auto& c : cases) {
        FakeFiles files{c.texts};
        const GameSources sources =
            c.texts.empty() ? FolderSource({"gone.pgn"}, NameOrder::Bytewise) : FolderOf(files);
        GameChooser chooser =
            MakeGameChooser(sources, GameOrder::Shuffled, c.filters, {&files, ReadFake});
        EXPECT_EQ(ChooseStartingGame(chooser, At("", 0), 1), c.result) << c.name;
    }
}

TEST(GameChooser, PassesOverFilesThatDoNotReadOrHoldNoPlayableGame) {
    FakeFiles files{{{"a.pgn", GamesText(2, "a")}, {"c.pgn", GamesText(2, "c", Even)}}};
    GameSources sources = FolderSource({"a.pgn", "b.pgn", "c.pgn"}, NameOrder::Bytewise);
    GameChooser chooser =
        MakeGameChooser(sources, GameOrder::FileOrder, {2700, false, ""}, {&files, ReadFake});
    ASSERT_EQ(ChooseStartingGame(chooser, At("b.pgn", 0), 1), ChoiceResult::Chosen);
    std::vector<Chosen> chosen{{chooser.at.file, chooser.at.gameNumber}};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(ChooseNextGame(chooser), ChoiceResult::Chosen);
        chosen.push_back({chooser.at.file, chooser.at.gameNumber});
    }
    EXPECT_EQ(chosen,
              (std::vector<Chosen>{{"c.pgn", 0}, {"a.pgn", 0}, {"a.pgn", 1}, {"c.pgn", 0}}));
    const GameSpan span = ChosenGameSpan(chooser);
    EXPECT_EQ(std::string(chooser.text.chars() + span.start, 11), "[White \"Wc0");
}

TEST(GameChooser, LoadsTheChosenGameReadyToPlay) {
    FakeFiles files{{{"a.pgn", GamesText(2, "a")}, {"b.pgn", "[White \"X\"] 1. e4 e5 2. Nf3 *"}}};
    GameChooser chooser =
        MakeGameChooser(FolderOf(files), GameOrder::FileOrder, {}, {&files, ReadFake});
    ASSERT_EQ(ChooseStartingGame(chooser, At("b.pgn", 0), 1), ChoiceResult::Chosen);
    auto state = std::make_unique<GameState>();
    GameInfo info{};
    LoadChosenGame(*state, info, chooser);
    EXPECT_STREQ(info.white, "X");
    EXPECT_EQ(state->moveCount, 4);
    EXPECT_EQ(state->ply, 0);
}

}  // namespace
