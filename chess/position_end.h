#pragma once
// Whether the side to move has run out of moves: checkmate or stalemate, read from the position.

#include "chess/game_state.h"

enum class PositionEnd { NotOver, Checkmate, Stalemate };

// The end the position on the board has reached for the side to move (SideForPly). A side without
// a king cannot be in check: without a legal move it is stalemated.
PositionEnd EndOfPosition(const GameState& state);
