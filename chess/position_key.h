#pragma once
// A 64-bit key of a position (Zobrist hashing): the pieces on their squares, the side to move,
// the castling rights and an en-passant capture that a pawn could make. Two positions that differ
// in any of these get different keys (but for a chance of 2^-64); move orders that reach the same
// position get the same key, so transpositions meet.
//
// The en-passant file counts only when a pawn of the side to move stands beside the pawn that has
// just made its double step: 1. e4 e5 2. Nf3 and 1. Nf3 e5 2. e4 reach one position.

#include <cstdint>

#include "chess/game_state.h"

using PositionKey = uint64_t;

// The key of the position on the board, with SideForPly as the side to move.
PositionKey PositionKeyOf(const GameState& state);

// The part of the key that depends only on the pieces, the side and the castling rights, which a
// move changes by what its record says. The en-passant part depends on the board around the pawn.
PositionKey PlacementKeyOf(const GameState& state);
PositionKey EnPassantKeyOf(const GameState& state);

// The placement key after move, from the one before it; flagsAfter are the flags the move left.
PositionKey PlacementKeyAfter(PositionKey before, const MoveRecord& move, uint32_t flagsAfter);
