#pragma once
// The shuffled order: a permutation of [0, count) chosen by a 64-bit key, computed one place at a
// time in both directions (position to index and back) with no table, so a round of any length
// costs nothing to start and a restart can find any game's place in it. Every operation is plain
// integer arithmetic, identical on every platform and standard library.

#include <cstdint>
#include <string>

// The index at a position of the order; position and the result lie in [0, count).
int32_t ShuffledIndex(uint64_t key, int32_t count, int32_t position);

// The position of an index in the same order: ShuffledIndex(key, count, result) == index.
int32_t ShufflePositionOf(uint64_t key, int32_t count, int32_t index);

// The next round's seed; never 0, which stands for "no seed yet".
uint32_t NextRoundSeed(uint32_t seed);

// The key of the order of a folder's files in the round of seed.
uint64_t FileOrderKey(uint32_t seed);

// The key of the order of one file's games in the round of seed; by the file's name, so that
// a file keeps its order when others come or go.
uint64_t GameOrderKey(uint32_t seed, const std::string& fileName);
