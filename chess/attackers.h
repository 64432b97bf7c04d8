#pragma once
// Which of a side's pieces attack a square for a given occupancy, and the king-safety trial of a
// move built on it: the one attack test behind move legality, castling and the SAN interpreter,
// inline since nearly every decoded move runs it.

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

// Whether the move of the colour's piece of the kind from one square to another leaves its king
// unattacked, tested on the occupancy the move leaves: the piece lifted, the destination taken,
// and the pawn taken en passant gone too (a pawn's diagonal move onto an empty square takes it;
// it may be the checking piece, or the one that still shields the king along the rank). A king
// tests its destination; king is the square of the colour's king, -1 when it has none, and then
// nothing else has a king to keep safe.
inline bool MoveKeepsKingSafe(const BoardView& view, int32_t colour, int32_t kind, int32_t king,
                              int32_t from, int32_t to) {
    int32_t guarded = to;
    if (kind != kKing) {
        if (king < 0) return true;
        guarded = king;
    }
    const Bitboard occupied = Occupied(view);
    Bitboard taken = SquareBit(to);
    if (kind == kPawn && FileOfSquare(from) != FileOfSquare(to) && !Contains(occupied, to))
        taken |= SquareBit(SquareIndex(FileOfSquare(to), RankOfSquare(from)));
    const Bitboard after = (occupied & ~SquareBit(from) & ~taken) | SquareBit(to);
    return AttackersOf(view, guarded, OtherColour(colour), after, ~taken) == kNoSquares;
}
