#pragma once
// The playback sequencer: on each one-second tick, decides whether the position stays, advances
// one ply, or gives way to the next game of the file, and how many ticks the new position stays.

#include <cstdint>

#include "chess/game_state.h"
#include "display/settings.h"
#include "pgn/pgn_reader.h"
#include "text/char_string.h"

// Ticks a position stays: 1, 2 or 3 by time mode (anything but 0 and 1 counts as Large).
int32_t PauseForTimeMode(int32_t timeMode);

// Ticks the position on the board stays: 10 for a game's final position, else the time mode's.
int32_t NextPause(const GameState& state, const SaverSettings& settings);

// The first position of a run stays one time-mode pause, whatever the game.
void StartPlayback(int32_t& stepCountdown, const SaverSettings& settings);

// One ply forward, or, after a game's final position (or with no game loaded), the next game.
void StepPlayback(GameState& state, GameInfo& info, SaverSettings& settings,
                  const CharString& pgnText);

// One timer tick; true when the position changed and the window must repaint. With an error text
// the playback never steps, and the countdown rests at 0.
bool OnPlaybackTick(int32_t& stepCountdown, bool hasErrorText, GameState& state, GameInfo& info,
                    SaverSettings& settings, const CharString& pgnText);
