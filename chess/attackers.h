#pragma once
// Which of a side's pieces attack a square for a given occupancy: the one attack test behind king
// safety, castling and the SAN interpreter's trial, inline since nearly every decoded move runs it.

#include <cstddef>
#include <cstdint>

#include "chess/attacks.h"
#include "chess/board_view.h"

// The pieces of the attacker's colour among those still standing (standing) that attack the
// square when the occupied squares are occupied.
inline Bitboard AttackersOf(const BoardView& view, int32_t square, int32_t attacker,
                            Bitboard occupied, Bitboard standing) {
    const auto at = static_cast<size_t>(square);
    const Bitboard theirs = view.byColour[static_cast<size_t>(attacker)] & standing;
    const Bitboard queens = view.byKind[kQueen];
    // A pawn attacks the square exactly when a pawn of the other colour on it would attack the
    // pawn's square.
    Bitboard attackers =
        (kMovement.knight[at] & view.byKind[kKnight]) | (kMovement.king[at] & view.byKind[kKing]) |
        (kMovement.pawn[static_cast<size_t>(OtherColour(attacker))][at] & view.byKind[kPawn]);
    // The slider lookups only where a slider of theirs stands on one of the square's lines.
    const Bitboard straightSliders = (view.byKind[kRook] | queens) & theirs;
    const Bitboard diagonalSliders = (view.byKind[kBishop] | queens) & theirs;
    if ((kMovement.straight[at] & straightSliders) != kNoSquares)
        attackers |= RookAttacks(square, occupied) & straightSliders;
    if ((kMovement.diagonal[at] & diagonalSliders) != kNoSquares)
        attackers |= BishopAttacks(square, occupied) & diagonalSliders;
    return attackers & theirs;
}

// Whether no piece of the other colour attacks the guarded square once a piece of the colour has
// moved from one square to another and the squares taken (its destination, and a pawn taken en
// passant) lost what stood there.
inline bool SafeAfterMove(const BoardView& view, int32_t colour, int32_t guarded, int32_t from,
                          int32_t to, Bitboard taken) {
    const Bitboard occupied = (Occupied(view) & ~SquareBit(from) & ~taken) | SquareBit(to);
    return AttackersOf(view, guarded, OtherColour(colour), occupied, ~taken) == kNoSquares;
}
