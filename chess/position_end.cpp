#include "chess/position_end.h"

#include <cstddef>

#include "chess/move_legality.h"

namespace {

// With the king not in check, a pawn off its lines that can step forward has a legal move:
// lifting it uncovers nothing. Most final positions are settled so, without trying a move.
bool PawnCanStep(const GameState& state, int32_t side, const KingSafety& safety) {
    if (safety.attacked) return false;
    const Bitboard pawns = PiecesOf(state.view, side, kPawn) & ~safety.lines;
    const Bitboard steps = side == kWhite ? pawns << 8 : pawns >> 8;
    return (steps & ~Occupied(state.view)) != kNoSquares;
}

bool HasLegalMove(const GameState& state, int32_t side, const KingSafety& safety) {
    if (PawnCanStep(state, side, safety)) return true;
    Bitboard pieces = state.view.byColour[static_cast<size_t>(side)];
    while (pieces != kNoSquares) {
        if (LegalTargets(state, side, safety, PopFirstSquare(pieces)) != kNoSquares) return true;
    }
    return false;
}

}  // namespace

PositionEnd EndOfPosition(const GameState& state) {
    const int32_t side = SideForPly(state);
    const KingSafety safety = KingSafetyOf(state, side);
    if (HasLegalMove(state, side, safety)) return PositionEnd::NotOver;
    const bool inCheck = safety.king.file >= 0 && safety.attacked;
    return inCheck ? PositionEnd::Checkmate : PositionEnd::Stalemate;
}
