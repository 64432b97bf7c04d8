#pragma once
// The bitboard movement model held against the reference rules in one position: the same
// candidates in the same order and the same markers for every piece of either colour, the same
// LegalTargets, the same attacked squares, the same one-move checks, and a view in step with the
// board.

#include <string>

#include "chess/game_state.h"

// "" when everything agrees, else the first difference. withMoveChecks adds CanMoveTo for every
// piece and every destination square, the slowest part. Leaves the position as it was.
std::string CompareMovement(GameState& state, bool withMoveChecks);

// Whether the view is exactly what SyncView builds from the board.
bool ViewInStep(const GameState& state);
