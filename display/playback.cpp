#include "display/playback.h"

namespace {

constexpr int32_t kFinalPositionPause = 10;

}  // namespace

int32_t PauseForTimeMode(int32_t timeMode) {
    if (timeMode == 0) return 1;
    if (timeMode == 1) return 2;
    return 3;
}

int32_t NextPause(const GameState& state, const SaverSettings& settings) {
    if (state.ply == state.moveCount - 1) return kFinalPositionPause;
    return PauseForTimeMode(settings.timeMode);
}

void StartPlayback(int32_t& stepCountdown, const SaverSettings& settings) {
    stepCountdown = PauseForTimeMode(settings.timeMode);
}

void StepPlayback(GameState& state, GameInfo& info, SaverSettings& settings,
                  const CharString& pgnText) {
    const int32_t next = state.ply + 1;
    if (state.moveCount != 0 && state.moveCount != next) {
        // Rebuilt from the start every time: a step never depends on the board it finds.
        ReplayPlies(state, next);
        return;
    }
    // Held at the largest number, the next load finds no such game and wraps to game 0.
    if (settings.currentGameNumber < INT32_MAX) ++settings.currentGameNumber;
    LoadCurrentGame(state, info, settings.currentGameNumber, pgnText);
}

bool OnPlaybackTick(int32_t& stepCountdown, bool hasErrorText, GameState& state, GameInfo& info,
                    SaverSettings& settings, const CharString& pgnText) {
    // Resting at 0 rather than counting down for ever keeps an idle error run free of overflow.
    stepCountdown = stepCountdown > 0 ? stepCountdown - 1 : 0;
    if (stepCountdown != 0 || hasErrorText) return false;
    StepPlayback(state, info, settings, pgnText);
    stepCountdown = NextPause(state, settings);
    return true;
}
