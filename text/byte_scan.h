#pragma once
// Finding the first of a few byte values in a run of bytes, sixteen at a time where the processor
// has SSE2 (every x86-64 has), one at a time elsewhere. The PGN scanners cross whole files for a
// handful of bytes such as [ { ; and line ends; comparing a block at once beats a lookup per byte.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// One to four byte values; the unused slots repeat the first, so every slot can be compared.
struct ByteSet {
    std::array<unsigned char, 4> bytes;
    int32_t count;
};

constexpr ByteSet ByteSetOf(const char* values) {
    ByteSet set{{0, 0, 0, 0}, 0};
    for (; values[set.count] != 0 && set.count < 4; ++set.count)
        set.bytes[static_cast<size_t>(set.count)] = static_cast<unsigned char>(values[set.count]);
    for (int32_t i = set.count; i < 4; ++i)
        set.bytes[static_cast<size_t>(i)] = set.bytes[0];
    return set;
}

inline bool InByteSet(const ByteSet& set, unsigned char byte) {
    return byte == set.bytes[0] || byte == set.bytes[1] || byte == set.bytes[2] ||
           byte == set.bytes[3];
}

// The first byte in [at, end) that is in the set, or end when there is none.
inline const unsigned char* FindFirstOf(const unsigned char* at, const unsigned char* end,
                                        const ByteSet& set) {
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(static_cast<char>(set.bytes[0]));
    const __m128i second = _mm_set1_epi8(static_cast<char>(set.bytes[1]));
    const __m128i third = _mm_set1_epi8(static_cast<char>(set.bytes[2]));
    const __m128i fourth = _mm_set1_epi8(static_cast<char>(set.bytes[3]));
    while (end - at >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, first), _mm_cmpeq_epi8(block, second)),
                         _mm_or_si128(_mm_cmpeq_epi8(block, third), _mm_cmpeq_epi8(block, fourth)));
        // One bit per byte of the block, the first byte lowest.
        const auto found = static_cast<uint32_t>(_mm_movemask_epi8(hits));
        if (found != 0) return at + std::countr_zero(found);
        at += 16;
    }
#endif
    while (at != end && !InByteSet(set, *at))
        ++at;
    return at;
}
