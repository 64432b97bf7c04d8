#include "display/playback.h"

#include "display/board_layout.h"

namespace {

constexpr int32_t kFinalPositionPause = 10;

}  // namespace

int32_t PauseForTimeMode(int32_t timeMode) {
    if (timeMode == 0) return 1;
    if (timeMode == 1) return 2;
    return 3;
}

int32_t NextPause(const GameState& state, const SaverSettings& settings) {
    if (IsFinalPosition(state)) return kFinalPositionPause;
    return PauseForTimeMode(settings.timeMode);
}

void StartPlayback(int32_t& stepCountdown, const SaverSettings& settings) {
    stepCountdown = PauseForTimeMode(settings.timeMode);
}
