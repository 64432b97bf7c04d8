#include "display/playback.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

TEST(Playback, PauseByTimeMode) {
    const struct {
        int32_t timeMode;
        int32_t pause;
    } cases[] = {{0, 1}, {1, 2}, {2, 3}, {7, 3}, {-1, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(PauseForTimeMode(c.timeMode), c.pause) << c.timeMode;
}

TEST(Playback, FinalPositionPausesTenWhateverTheTimeMode) {
    auto state = std::make_unique<GameState>();
    SaverSettings settings{};
    const struct {
        int32_t ply;
        int32_t moveCount;
        int32_t timeMode;
        int32_t pause;
    } cases[] = {{3, 4, 0, 10}, {0, 1, 2, 10}, {2, 4, 0, 1}, {0, 0, 1, 2}, {0, 2, 2, 3}};
    for (const auto& c : cases) {
        state->ply = c.ply;
        state->moveCount = c.moveCount;
        settings.timeMode = c.timeMode;
        EXPECT_EQ(NextPause(*state, settings), c.pause)
            << "ply " << c.ply << " of " << c.moveCount << ", time mode " << c.timeMode;
    }
}

// One saver run over a PGN text, set up the way the saver window sets it up.
struct SaverRun {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    GameInfo info{};
    SaverSettings settings{};
    CharString pgn;
    int32_t countdown = 0;
    bool hasError = false;

    SaverRun(const char* text, int32_t timeMode, int32_t gameNumber) : pgn(text) {
        settings.timeMode = timeMode;
        settings.currentGameNumber = gameNumber;
        LoadCurrentGame(*state, info, settings.currentGameNumber, pgn);
        StartPlayback(countdown, settings);
    }

    bool Tick() { return OnPlaybackTick(countdown, hasError, *state, info, settings, pgn); }
};

struct Shown {
    int32_t game;
    int32_t ply;
    int32_t ticks;  // how long the position stayed on screen

    bool operator==(const Shown& other) const {
        return game == other.game && ply == other.ply && ticks == other.ticks;
    }
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "{game " << shown.game << ", ply " << shown.ply << ", " << shown.ticks << " ticks}";
}

// Ticks until `positions` positions have been replaced, recording each with its time on screen.
std::vector<Shown> Watch(SaverRun& run, size_t positions) {
    std::vector<Shown> shown;
    Shown current{run.settings.currentGameNumber, run.state->ply, 0};
    for (int32_t tick = 0; tick < 1000 && shown.size() < positions; ++tick) {
        ++current.ticks;
        if (!run.Tick()) continue;
        shown.push_back(current);
        if (run.state->moveCount > 0) {
            EXPECT_LE(run.state->ply, run.state->moveCount - 1) << "a ply beyond the game's end";
        }
        current = Shown{run.settings.currentGameNumber, run.state->ply, 0};
    }
    return shown;
}

// Game 0: one ply. Game 1: two plies. Game 2: no move that decodes (e5 is no legal first move).
constexpr const char* kThreeGames =
    "[Event \"one ply\"]\n\n1. e4 *\n\n"
    "[Event \"two plies\"]\n\n1. d4 d5 *\n\n"
    "[Event \"no ply\"]\n\n1. e5 *\n";

TEST(Playback, ScheduleThroughShortGamesAndWrapAround) {
    SaverRun run(kThreeGames, 0, 0);
    const std::vector<Shown> expected = {
        {0, 0, 1},   // the run's first position: one pause
        {0, 1, 10},  // the one-ply game's final position
        {1, 0, 1},  {1, 1, 1}, {1, 2, 10},
        {2, 0, 10},  // a game without plies, met after a step: its start is its final position
        {0, 0, 1},   // after the last game, the first again
    };
    EXPECT_EQ(Watch(run, expected.size()), expected);
    EXPECT_EQ(run.settings.currentGameNumber, 0);
}

TEST(Playback, FirstPositionOfARunStaysOnePauseEvenWithoutPlies) {
    SaverRun run(kThreeGames, 1, 2);
    ASSERT_EQ(run.state->moveCount, 1);
    const std::vector<Shown> expected = {{2, 0, 2}, {0, 0, 2}, {0, 1, 10}};
    EXPECT_EQ(Watch(run, expected.size()), expected);
}

TEST(Playback, LargeTimeModeHoldsEveryPlyThreeTicks) {
    SaverRun run(kThreeGames, 2, 1);
    const std::vector<Shown> expected = {{1, 0, 3}, {1, 1, 3}, {1, 2, 10}, {2, 0, 10}};
    EXPECT_EQ(Watch(run, expected.size()), expected);
}

TEST(Playback, AStepShowsTheNextPositionOnTheBoard) {
    SaverRun run(kThreeGames, 0, 0);
    ASSERT_TRUE(run.Tick());
    EXPECT_EQ(At(*run.state, 4, 3).kind, kPawn);   // e4
    EXPECT_EQ(At(*run.state, 4, 1).kind, kEmpty);  // e2
}

TEST(Playback, StoredNumberBeyondTheLastGameStartsWithGameZero) {
    SaverRun run(kThreeGames, 0, 7);
    EXPECT_EQ(run.settings.currentGameNumber, 0);
    EXPECT_EQ(run.state->moveCount, 2);
}

TEST(Playback, FileWithoutGamesGrowsTheNumberEveryPause) {
    SaverRun run("no tag pair here, 1. e4 e5", 1, 4);
    ASSERT_EQ(run.state->moveCount, 0);
    const std::vector<Shown> expected = {{4, 0, 2}, {5, 0, 2}, {6, 0, 2}};
    EXPECT_EQ(Watch(run, expected.size()), expected);
    EXPECT_EQ(run.settings.currentGameNumber, 7);
    EXPECT_EQ(At(*run.state, 4, 1).kind, kPawn);  // the standard position each time
    EXPECT_EQ(run.state->ply, 0);

    // A later run whose file has fewer games than the grown number starts with game 0.
    SaverRun later(kThreeGames, 0, run.settings.currentGameNumber);
    EXPECT_EQ(later.settings.currentGameNumber, 0);
}

TEST(Playback, ErrorTextNeverSteps) {
    SaverRun run(kThreeGames, 0, 1);
    run.hasError = true;
    for (int32_t tick = 0; tick < 100; ++tick)
        EXPECT_FALSE(run.Tick()) << "tick " << tick;
    EXPECT_EQ(run.settings.currentGameNumber, 1);
    EXPECT_EQ(run.state->ply, 0);
    EXPECT_EQ(run.countdown, 0);
}

}  // namespace
