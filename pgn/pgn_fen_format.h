#pragma once
// FEN of the position on the board, for diagnostics and for comparing the reader's results with
// other tools. The engine keeps neither move counter up to date after the set-up, so both are
// counted here from the decoded moves.

#include <cstdint>

#include "chess/game_state.h"
#include "text/char_string.h"

// The side whose move is next after state.ply plies: the start side, switched on odd plies.
int32_t SideToMoveAfterPlies(const GameState& state);

// The six FEN fields of the board after state.ply plies of the game. A castling right is written
// only while its king and rook stand on their home squares; the en-passant square is written
// after every double step, as the PGN standard's FEN has it, whether or not a pawn can take.
CharString FormatFen(const GameState& state);
