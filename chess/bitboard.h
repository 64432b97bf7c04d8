#pragma once
// A set of squares as 64 bits, bit n standing for the square of index n (rank * 8 + file), and
// the few operations on it the movement model needs. Every one compiles to baseline x86-64 code:
// no POPCNT, no BMI, whatever machine the saver meets.

#include <bit>
#include <cstdint>

using Bitboard = uint64_t;

constexpr Bitboard kNoSquares = 0;
constexpr Bitboard kFileABits = 0x0101010101010101;
constexpr Bitboard kRank1Bits = 0xFF;

constexpr Bitboard SquareBit(int32_t square) {
    return Bitboard{1} << square;
}
constexpr Bitboard FileBits(int32_t file) {
    return kFileABits << file;
}
constexpr Bitboard RankBits(int32_t rank) {
    return kRank1Bits << (8 * rank);
}
constexpr bool Contains(Bitboard set, int32_t square) {
    return ((set >> square) & 1) != 0;
}
constexpr int32_t FileOfSquare(int32_t square) {
    return square & 7;
}
constexpr int32_t RankOfSquare(int32_t square) {
    return square >> 3;
}

// The first square of a non-empty set in a1..h8 order.
constexpr int32_t FirstSquare(Bitboard set) {
    return std::countr_zero(set);
}
// The last square of a non-empty set in a1..h8 order.
constexpr int32_t LastSquare(Bitboard set) {
    return 63 - std::countl_zero(set);
}
// Removes the first square from the set and returns it.
constexpr int32_t PopFirstSquare(Bitboard& set) {
    const int32_t square = FirstSquare(set);
    set &= set - 1;  // clears the lowest set bit
    return square;
}

// The number of squares in the set. std::popcount becomes a library call without POPCNT, so the
// bits are summed in parallel: pairs, then nibbles, then the multiply adds the eight byte counts
// into the top byte.
constexpr int32_t CountSquares(Bitboard set) {
    set = set - ((set >> 1) & 0x5555555555555555);
    set = (set & 0x3333333333333333) + ((set >> 2) & 0x3333333333333333);
    set = (set + (set >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<int32_t>((set * 0x0101010101010101) >> 56);
}
