#pragma once
// Reads a FEN text into the game record as the game's start position. Forgiving: never fails.

#include "chess/game_state.h"
#include "text/char_string.h"

void SetupFromFen(GameState& state, const CharString& fen);
