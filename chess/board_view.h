#pragma once
// The board as sets of squares: which squares each colour and each kind of piece holds. It is a
// view derived from the board of the game record, which stays the source of truth: the view is
// rebuilt whenever a position is set up and changed square by square with every applied move.

#include <array>
#include <cstddef>
#include <cstdint>

#include "chess/bitboard.h"

struct BoardView {
    std::array<Bitboard, 2> byColour;
    std::array<Bitboard, 7> byKind;  // indexed by piece kind; byKind[kEmpty] stays empty
};

inline Bitboard Occupied(const BoardView& view) {
    return view.byColour[0] | view.byColour[1];
}

inline Bitboard PiecesOf(const BoardView& view, int32_t colour, int32_t kind) {
    return view.byColour[static_cast<size_t>(colour)] & view.byKind[static_cast<size_t>(kind)];
}

inline void AddToView(BoardView& view, int32_t square, int32_t kind, int32_t colour) {
    view.byColour[static_cast<size_t>(colour)] |= SquareBit(square);
    view.byKind[static_cast<size_t>(kind)] |= SquareBit(square);
}

inline void RemoveFromView(BoardView& view, int32_t square, int32_t kind, int32_t colour) {
    view.byColour[static_cast<size_t>(colour)] &= ~SquareBit(square);
    view.byKind[static_cast<size_t>(kind)] &= ~SquareBit(square);
}
