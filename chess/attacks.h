#pragma once
// The movement model's geometry, one table per fact: the squares a knight, a king and a pawn of
// each colour attack from every square, the eight lines from every square, and the sliding
// pieces' attacks for any occupancy, looked up by the occupancy of the line they stand on. Move
// generation, the attack test and the SAN interpreter's origin search all read these and nothing
// else.

#include <array>
#include <cstddef>
#include <cstdint>

#include "chess/bitboard.h"
#include "chess/game_state.h"

struct BoardStep {
    int32_t file;
    int32_t rank;
};

// Straight lines (up, right, down, left), then diagonals (up-right, up-left, down-right,
// down-left): the order in which the generator proposes a sliding piece's or a king's moves.
constexpr std::array<BoardStep, 8> kLineSteps = {
    {{0, 1}, {1, 0}, {0, -1}, {-1, 0}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}}};
constexpr size_t kFirstDiagonalLine = 4;

// A knight's jumps in the order the generator proposes them.
constexpr std::array<BoardStep, 8> kKnightJumps = {
    {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};

// Whether a line runs towards higher square indices, so that its nearest square is its lowest.
constexpr bool LineRisesFrom(size_t line) {
    const BoardStep step = kLineSteps[line];
    return step.rank > 0 || (step.rank == 0 && step.file > 0);
}

struct MovementTables {
    std::array<Bitboard, 64> knight;
    std::array<Bitboard, 64> king;
    std::array<std::array<Bitboard, 64>, 2> pawn;   // by the pawn's colour
    std::array<std::array<Bitboard, 64>, 8> lines;  // by kLineSteps, without the square itself
    // The straight and the diagonal lines together: where a rook or a bishop could attack from
    // on an empty board.
    std::array<Bitboard, 64> straight;
    std::array<Bitboard, 64> diagonal;
};

constexpr Bitboard StepFrom(int32_t square, BoardStep step) {
    const int32_t file = FileOfSquare(square) + step.file;
    const int32_t rank = RankOfSquare(square) + step.rank;
    return OnBoard(file, rank) ? SquareBit(SquareIndex(file, rank)) : kNoSquares;
}

constexpr MovementTables MakeMovementTables() {
    MovementTables tables{};
    for (int32_t square = 0; square < 64; ++square) {
        const auto at = static_cast<size_t>(square);
        for (const BoardStep jump : kKnightJumps)
            tables.knight[at] |= StepFrom(square, jump);
        for (size_t line = 0; line < kLineSteps.size(); ++line) {
            const BoardStep step = kLineSteps[line];
            tables.king[at] |= StepFrom(square, step);
            for (int32_t distance = 1; distance < 8; ++distance)
                tables.lines[line][at] |=
                    StepFrom(square, {step.file * distance, step.rank * distance});
            (line < kFirstDiagonalLine ? tables.straight : tables.diagonal)[at] |=
                tables.lines[line][at];
        }
        tables.pawn[kWhite][at] = StepFrom(square, {-1, 1}) | StepFrom(square, {1, 1});
        tables.pawn[kBlack][at] = StepFrom(square, {-1, -1}) | StepFrom(square, {1, -1});
    }
    return tables;
}

inline constexpr MovementTables kMovement = MakeMovementTables();

// The sliding pieces' attacks walked square by square along the lines, up to and including the
// first occupied square of each: what the lookup tables below are built from, and what the tests
// compare them with.
enum class Slider { Bishop, Rook };

constexpr Bitboard WalkSliderAttacks(Slider slider, int32_t square, Bitboard occupied) {
    const size_t first = slider == Slider::Rook ? 0 : kFirstDiagonalLine;
    Bitboard attacks = kNoSquares;
    for (size_t line = first; line < first + 4; ++line) {
        const Bitboard squares = kMovement.lines[line][static_cast<size_t>(square)];
        const Bitboard blockers = squares & occupied;
        if (blockers == kNoSquares) {
            attacks |= squares;
            continue;
        }
        // Everything on the line short of what lies beyond the nearest blocker.
        const int32_t nearest = LineRisesFrom(line) ? FirstSquare(blockers) : LastSquare(blockers);
        attacks |= squares & ~kMovement.lines[line][static_cast<size_t>(nearest)];
    }
    return attacks;
}

// The lookup: every line of a slider is read as if it were a rank. What blocks along a rank,
// a file or a diagonal depends only on which of its six inner squares are occupied (nothing lies
// beyond the edge squares), so a 6-bit index and the slider's place on the line give the attacks
// from a table of 64 rows per place, small enough to stay in the nearest cache.
struct SliderTables {
    std::array<std::array<uint8_t, 64>, 8> rank;   // [file][inner] files attacked on the rank
    std::array<std::array<Bitboard, 64>, 8> file;  // [rank][index] squares attacked on file a
    std::array<std::array<Bitboard, 64>, 8> fill;  // [file][inner] rank attacks on every rank
    std::array<Bitboard, 64> rising;   // the a1-h8 diagonal through the square, less the square
    std::array<Bitboard, 64> falling;  // the h1-a8 diagonal
};

// Multiplying file a's squares a2..a7 (taken by themselves) by the c2-h7 diagonal brings each to
// its own bit of 58..63 without carries: a 6-bit index of the file's inner occupancy.
constexpr Bitboard kFileIndexMultiplier = 0x0080402010080400;
// Multiplying a diagonal's squares (one per file) by file b's squares stacks each square's file
// into the top byte; bits 58..63 are then files b to g, the same index as a rank's.
constexpr Bitboard kDiagonalIndexMultiplier = 0x0202020202020202;

constexpr uint32_t FileIndex(Bitboard fileA) {
    return static_cast<uint32_t>((fileA * kFileIndexMultiplier) >> 58);
}

constexpr SliderTables MakeSliderTables() {
    SliderTables tables{};
    for (int32_t place = 0; place < 8; ++place) {
        const auto at = static_cast<size_t>(place);
        for (uint32_t inner = 0; inner < 64; ++inner) {
            const Bitboard onRank = WalkSliderAttacks(Slider::Rook, place, Bitboard{inner} << 1);
            tables.rank[at][inner] = static_cast<uint8_t>(onRank & RankBits(0));
            tables.fill[at][inner] = (onRank & RankBits(0)) * kFileABits;
            // The same inner pattern on file a: a2 for bit 0 up to a7 for bit 5.
            Bitboard fileA = kNoSquares;
            for (int32_t bit = 0; bit < 6; ++bit) {
                if ((inner >> bit) & 1) fileA |= SquareBit(SquareIndex(0, bit + 1));
            }
            tables.file[at][FileIndex(fileA)] =
                WalkSliderAttacks(Slider::Rook, SquareIndex(0, place), fileA) & FileBits(0);
        }
    }
    for (int32_t square = 0; square < 64; ++square) {
        const auto at = static_cast<size_t>(square);
        tables.rising[at] = kMovement.lines[4][at] | kMovement.lines[7][at];
        tables.falling[at] = kMovement.lines[5][at] | kMovement.lines[6][at];
    }
    return tables;
}

inline constexpr SliderTables kSliders = MakeSliderTables();

// A diagonal's attacks: its squares projected onto a rank, looked up, and masked back onto it.
constexpr Bitboard DiagonalLookup(Bitboard line, int32_t file, Bitboard occupied) {
    const auto index = static_cast<size_t>(((line & occupied) * kDiagonalIndexMultiplier) >> 58);
    return line & kSliders.fill[static_cast<size_t>(file)][index];
}

// The squares a bishop, rook or queen on the square attacks: up to and including the first
// occupied square along each of its lines.
constexpr Bitboard BishopAttacks(int32_t square, Bitboard occupied) {
    const auto at = static_cast<size_t>(square);
    const int32_t file = FileOfSquare(square);
    return DiagonalLookup(kSliders.rising[at], file, occupied) |
           DiagonalLookup(kSliders.falling[at], file, occupied);
}

constexpr Bitboard RookAttacks(int32_t square, Bitboard occupied) {
    const int32_t file = FileOfSquare(square);
    const int32_t rank = RankOfSquare(square);
    const auto rankInner = static_cast<size_t>((occupied >> (8 * rank + 1)) & 63);
    const Bitboard onRank = Bitboard{kSliders.rank[static_cast<size_t>(file)][rankInner]}
                            << (8 * rank);
    const Bitboard fileA = (occupied >> file) & kFileABits & ~RankBits(0) & ~RankBits(7);
    const Bitboard onFile = kSliders.file[static_cast<size_t>(rank)][FileIndex(fileA)] << file;
    return onRank | onFile;
}

constexpr Bitboard QueenAttacks(int32_t square, Bitboard occupied) {
    return BishopAttacks(square, occupied) | RookAttacks(square, occupied);
}

// The squares of a slider's lines that can block it: all but the edge squares, beyond which
// nothing lies. Every occupancy within them is a different case for the lookup.
constexpr Bitboard SliderBlockers(Slider slider, int32_t square) {
    const size_t first = slider == Slider::Rook ? 0 : kFirstDiagonalLine;
    Bitboard blockers = kNoSquares;
    for (size_t line = first; line < first + 4; ++line) {
        const Bitboard squares = kMovement.lines[line][static_cast<size_t>(square)];
        if (squares == kNoSquares) continue;
        const int32_t edge = LineRisesFrom(line) ? LastSquare(squares) : FirstSquare(squares);
        blockers |= squares & ~SquareBit(edge);
    }
    return blockers;
}
