#include "chess/position_end.h"

#include <cstddef>

#include "chess/move_legality.h"

namespace {

bool HasLegalMove(const GameState& state, int32_t side, const KingSafety& safety) {
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
