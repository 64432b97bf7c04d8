#include "display/playback.h"

#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
