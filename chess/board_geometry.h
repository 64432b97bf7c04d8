#pragma once
// Fixed tables of the board's geometry by square index (rank * 8 + file): the squares a knight
// jumps to from each square, and the squares along each of the eight lines from it, nearest
// first. The attack test and the SAN interpreter's search walk these lists instead of stepping
// files and ranks with a bounds check at every step.

#include <array>
#include <cstddef>
#include <cstdint>

#include "chess/game_state.h"

// Up to eight square indices; a knight has at most eight jumps, a line at most seven squares.
struct SquareList {
    std::array<int8_t, 8> squares;
    int8_t count;
};

struct LineStep {
    int32_t file;
    int32_t rank;
};

// Straight lines (up, right, down, left), then diagonals (up-right, up-left, down-right,
// down-left): the generator's ray orders.
constexpr std::array<LineStep, 8> kLineSteps = {
    {{0, 1}, {1, 0}, {0, -1}, {-1, 0}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}}};
constexpr size_t kFirstDiagonalLine = 4;

struct BoardGeometry {
    std::array<SquareList, 64> knightJumps;
    std::array<std::array<SquareList, 8>, 64> lines;
};

constexpr void AddSquare(SquareList& list, int32_t file, int32_t rank) {
    list.squares[static_cast<size_t>(list.count++)] = static_cast<int8_t>(SquareIndex(file, rank));
}

constexpr BoardGeometry MakeBoardGeometry() {
    constexpr std::array<LineStep, 8> jumps = {
        {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};
    BoardGeometry geometry{};
    for (int32_t index = 0; index < 64; ++index) {
        const int32_t file = index % 8;
        const int32_t rank = index / 8;
        const auto at = static_cast<size_t>(index);
        for (const LineStep jump : jumps) {
            if (OnBoard(file + jump.file, rank + jump.rank))
                AddSquare(geometry.knightJumps[at], file + jump.file, rank + jump.rank);
        }
        for (size_t line = 0; line < kLineSteps.size(); ++line) {
            const LineStep step = kLineSteps[line];
            for (int32_t f = file + step.file, r = rank + step.rank; OnBoard(f, r);
                 f += step.file, r += step.rank)
                AddSquare(geometry.lines[at][line], f, r);
        }
    }
    return geometry;
}

inline constexpr BoardGeometry kBoardGeometry = MakeBoardGeometry();
