#pragma once
// The SAN decision made the slow, documented way, kept as the reference the interpreter's
// targeted search must agree with: every square that could hold the piece gets a full
// GenerateCandidates, and the destination's isTarget marker decides.

#include <string>

#include "chess/game_state.h"
#include "text/char_string.h"

// Decodes and applies the token exactly as InterpretSanMove must, through the generator.
bool InterpretSanMoveByGenerator(GameState& state, const CharString& token);

struct SanComparison {
    bool decoded;            // by the reference
    std::string difference;  // "" when both decoders leave the same
};

// Decodes the token from the position in state with InterpretSanMove and with the reference, and
// describes the first difference in what they leave (result, board, flags, ply, side to move,
// the stored move). Leaves the position in state as it was.
SanComparison CompareSanDecoders(GameState& state, const CharString& token);
