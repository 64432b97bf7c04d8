#pragma once
// The pauses of the playback: how many one-second ticks a position stays on the board.

#include <cstdint>

#include "chess/game_state.h"
#include "display/settings.h"

// Ticks a position stays: 1, 2 or 3 by time mode (anything but 0 and 1 counts as Large).
int32_t PauseForTimeMode(int32_t timeMode);

// Ticks the position on the board stays: 10 for a game's final position, else the time mode's.
int32_t NextPause(const GameState& state, const SaverSettings& settings);

// The first position of a run stays one time-mode pause, whatever the game.
void StartPlayback(int32_t& stepCountdown, const SaverSettings& settings);
