#pragma once
// The movement model's geometry, one table per fact: the squares a knight, a king and a pawn of
// each colour attack from every square, the eight lines from every square, and the sliding
// pieces' attacks for any occupancy, looked up through magic multipliers. Move generation, the
// attack test and the SAN interpreter's origin search all read these and nothing else.

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

// Magic lookup: the squares of a slider's lines that can block it (the board's edge squares
// cannot: nothing lies beyond them) are multiplied by a number chosen so that every blocker
// pattern lands its distinct attack sets on distinct indices in the top bits of the product.
struct MagicEntry {
    Bitboard blockers;  // the squares that can block, edges left out
    Bitboard multiplier;
    uint32_t shift;   // 64 minus the number of blocker squares
    uint32_t offset;  // where this square's attack sets start in kSliderAttacks
};

enum class Slider { Bishop, Rook };

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

// The multipliers, found once by a seeded random search that keeps the first sparse number
// without a harmful collision; the slider test checks every blocker pattern of every square.
constexpr std::array<Bitboard, 64> kRookMultipliers = {
    0x1080004008801020, 0x0840092002c03000, 0x1900200010400900, 0x0880100008000480,
    0x4200100420080200, 0x8100020100080400, 0x0200040110886200, 0x0200008040220411,
    0x0404800084400220, 0x0000401000402000, 0x0086001081220440, 0x0408800800100280,
    0x000a001201040820, 0x8848800200840080, 0x4001000100040200, 0x0442000102105084,
    0x9080010020804100, 0x0040404000201009, 0x0000808010002009, 0x2200090021d00100,
    0x0008008008040080, 0x0004004002010040, 0x0011040008015042, 0x00000a0001768104,
    0x0000800080204009, 0x2010004140002001, 0x9800200280100080, 0x1000100080080080,
    0x0442000a00049020, 0x2100040080020080, 0x0800120400900148, 0x0010040a00128541,
    0x2800804000800030, 0x1010002000400041, 0x4000200011004100, 0x0610008410800800,
    0x0400802402800800, 0xc100020080800400, 0x0002000802000401, 0x0182085882000401,
    0x0220204000808000, 0x2860100040024022, 0x0001002004110040, 0x99101042000a0020,
    0x0004080004008080, 0x0010040002008080, 0x2012004881020004, 0x8300842444820011,
    0x0088403882010200, 0x0820400080210100, 0x0110910040a00300, 0x0801100280080480,
    0x0242009008200600, 0x1002000489500200, 0x0040800200010080, 0x0091800041000080,
    0x0000209300488001, 0x04c1002414824001, 0x020020000b001041, 0x7000100004200901,
    0x8002002004100802, 0x30010002084c0007, 0x0888221800813004, 0x4000002840840112,
};
constexpr std::array<Bitboard, 64> kBishopMultipliers = {
    0xa010041108003100, 0x006082020a002900, 0x6810010619200000, 0x08281a0520000408,
    0x0001104001000400, 0x0018901008048400, 0x00040a0210245280, 0x000200210808a402,
    0x9140048410821200, 0x0800091010820041, 0x20504804832202c0, 0x0100091401081000,
    0x8021011140000012, 0x0810020804450400, 0x208b0542109008a2, 0x0080084a08040204,
    0x0040e2a80811244c, 0x2505022008008108, 0x0430220100420040, 0x010a040420220040,
    0x1105000290400000, 0x0093001200822120, 0x4000a62048043004, 0x280120048a015004,
    0x006090002a020814, 0x44042000240800d0, 0x01102800040a4400, 0x1004080080220040,
    0x0001001011004024, 0x0010044000805040, 0x0914041200820100, 0x0004821012821480,
    0x0024040500c05021, 0x0088611002080200, 0x0116080a00040020, 0x4000020080080080,
    0x2450450140840040, 0x0000880201484100, 0x0222020404020092, 0x8081110600002e00,
    0x2842101105000801, 0x1100809008001025, 0x00020202221c0400, 0x0422014022009020,
    0x0210046102100c00, 0xc004008082029102, 0x00aa461801101200, 0x0404080080201108,
    0x020542108c205002, 0x0410544804100100, 0x0040910841100000, 0x0400200042021100,
    0x00004204850400c0, 0x0200100410a42102, 0x1040020801210102, 0x0805040410420000,
    0x2884804130100200, 0x800c262201242000, 0x1058000194108800, 0x0014221054420204,
    0x0104000012a02200, 0x0200881003300100, 0x0140400202840100, 0x0402020801010201,
};

struct MagicTables {
    std::array<MagicEntry, 64> rook;
    std::array<MagicEntry, 64> bishop;
    uint32_t size;  // attack sets of both sliders together
};

constexpr MagicTables MakeMagicTables() {
    MagicTables tables{};
    uint32_t offset = 0;
    for (const Slider slider : {Slider::Rook, Slider::Bishop}) {
        const bool rook = slider == Slider::Rook;
        for (int32_t square = 0; square < 64; ++square) {
            const auto at = static_cast<size_t>(square);
            const Bitboard blockers = SliderBlockers(slider, square);
            const auto bits = static_cast<uint32_t>(CountSquares(blockers));
            MagicEntry& entry = rook ? tables.rook[at] : tables.bishop[at];
            entry = {blockers, rook ? kRookMultipliers[at] : kBishopMultipliers[at], 64 - bits,
                     offset};
            offset += 1u << bits;
        }
    }
    tables.size = offset;
    return tables;
}

inline constexpr MagicTables kMagics = MakeMagicTables();

// Every attack set of both sliders, filled before main from the lines and the multipliers.
// Until then it reads as empty, never out of bounds.
struct SliderAttackTable {
    std::array<Bitboard, kMagics.size> sets;
};
extern const SliderAttackTable& kSliderAttacks;

inline Bitboard MagicLookup(const MagicEntry& entry, Bitboard occupied) {
    const Bitboard index = ((occupied & entry.blockers) * entry.multiplier) >> entry.shift;
    return kSliderAttacks.sets[entry.offset + static_cast<size_t>(index)];
}

// The squares a bishop, rook or queen on the square attacks: up to and including the first
// occupied square along each of its lines.
inline Bitboard BishopAttacks(int32_t square, Bitboard occupied) {
    return MagicLookup(kMagics.bishop[static_cast<size_t>(square)], occupied);
}
inline Bitboard RookAttacks(int32_t square, Bitboard occupied) {
    return MagicLookup(kMagics.rook[static_cast<size_t>(square)], occupied);
}
inline Bitboard QueenAttacks(int32_t square, Bitboard occupied) {
    return BishopAttacks(square, occupied) | RookAttacks(square, occupied);
}

// The same attacks walked square by square along the lines: what the table is filled from, and
// what the tests compare it with.
Bitboard WalkSliderAttacks(Slider slider, int32_t square, Bitboard occupied);
