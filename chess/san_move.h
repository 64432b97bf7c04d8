#pragma once
// Decodes one SAN move against the board, applies it and records it as the next ply.

#include <cstdint>

#include "chess/game_state.h"
#include "text/char_string.h"

// True when the token was tied to exactly one legal move, which is then applied and counted.
// Precondition: state.ply < kMaxPlies. The caller's token is not changed.
bool InterpretSanMove(GameState& state, const CharString& token);

// The same for a token given as count bytes, such as a stretch of a game's text.
bool InterpretSanMove(GameState& state, const char* bytes, int32_t count);
