#pragma once
// The reference movement rules: the candidate generator, the attack test and the one-move check
// as they were written square by square, before the bitboard model. The tests hold the model to
// them: the same candidates in the same order, the same attacks, the same SAN decisions.

#include <cstdint>

#include "chess/game_state.h"
#include "chess/move_legality.h"

namespace reference {

void GenerateCandidates(GameState& state, int32_t colour, int32_t file, int32_t rank);
void TryCandidate(GameState& state, int32_t fromFile, int32_t fromRank, int32_t toFile,
                  int32_t toRank);
bool FindKing(const GameState& state, int32_t colour, int32_t& file, int32_t& rank);
bool IsSquareAttacked(const GameState& state, int32_t colour, int32_t file, int32_t rank);
KingSquare KingSquareOf(const GameState& state, int32_t colour);
bool CanMoveTo(GameState& state, int32_t colour, KingSquare& king, int32_t fromFile,
               int32_t fromRank, int32_t toFile, int32_t toRank);

}  // namespace reference
