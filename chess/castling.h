#pragma once
// Castling's squares, one table for the move's rules, its effect on the board and the rights a
// position can use: the king stands on file e of its home rank, the rook on its corner.

#include <array>
#include <cstdint>

#include "chess/game_state.h"

constexpr int32_t kCastlingKingFile = 4;

struct CastlingSide {
    bool kingSide;
    int32_t rookFile;                   // the rook's corner
    int32_t kingToFile;                 // where the king's two-square move ends
    int32_t rookToFile;                 // where the rook then stands, beside it
    std::array<int32_t, 3> emptyFiles;  // must be empty, the first emptyCount of them
    int32_t emptyCount;
    std::array<int32_t, 2> safeFiles;  // must not be attacked: the squares the king stands on
};

constexpr std::array<CastlingSide, 2> kCastlingSides = {{
    {true, 7, 6, 5, {5, 6, 0}, 2, {5, 4}},
    // b1 must be empty for the rook to pass, but the king never crosses it.
    {false, 0, 2, 3, {1, 2, 3}, 3, {3, 4}},
}};

constexpr const CastlingSide& CastlingSideOf(bool kingSide) {
    return kCastlingSides[kingSide ? 0 : 1];
}

constexpr uint32_t CastlingRight(int32_t colour, const CastlingSide& side) {
    return side.kingSide ? KingSideRight(colour) : QueenSideRight(colour);
}
