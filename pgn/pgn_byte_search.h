#pragma once
// Finding the first of a few chosen bytes in a long run, and crossing a tag section laid out line
// by line, 16 bytes at a time where SSE2 is there (always on x86-64); one byte at a time
// elsewhere and for the last bytes of the text, so no load ever reaches past its end.

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "pgn/pgn_cursor.h"

// Up to three bytes looked for at once; a set of fewer repeats one of them.
struct WantedBytes {
    unsigned char a;
    unsigned char b;
    unsigned char c;
};

inline bool IsWanted(unsigned char byte, WantedBytes wanted) {
    return byte == wanted.a || byte == wanted.b || byte == wanted.c;
}

#if defined(__SSE2__)
// Lanes of 0xFF where the 16 bytes at p hold a wanted byte: one compare per wanted byte, ORed.
// movemask then packs each lane's top bit into bit i of an int, so the first hit is its lowest
// set bit.
inline __m128i WantedLanesOf16(const unsigned char* p, __m128i a, __m128i b, __m128i c) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, a), _mm_cmpeq_epi8(chunk, b)),
                        _mm_cmpeq_epi8(chunk, c));
}

// Whether any of the 64 bytes at p is wanted: the four blocks' lanes ORed, one movemask.
inline bool AnyWantedIn64(const unsigned char* p, __m128i a, __m128i b, __m128i c) {
    const __m128i low = _mm_or_si128(WantedLanesOf16(p, a, b, c), WantedLanesOf16(p + 16, a, b, c));
    const __m128i high =
        _mm_or_si128(WantedLanesOf16(p + 32, a, b, c), WantedLanesOf16(p + 48, a, b, c));
    return _mm_movemask_epi8(_mm_or_si128(low, high)) != 0;
}

// Index of the first wanted byte among the 16 at p, or -1 when none is.
inline int FirstWantedIn16(const unsigned char* p, __m128i a, __m128i b, __m128i c) {
    const auto bits = static_cast<uint32_t>(_mm_movemask_epi8(WantedLanesOf16(p, a, b, c)));
    return bits == 0 ? -1 : __builtin_ctz(bits);
}

// Moves over whole 16-byte blocks to the first wanted byte (true), or to where fewer than 16
// bytes are left (false). The first block is tried alone, as short runs are common; long runs
// are crossed 64 bytes a round, and the hit is then found 16 at a time.
inline bool SkipToWantedInBlocks(ByteCursor& cursor, WantedBytes wanted) {
    const __m128i a = _mm_set1_epi8(static_cast<char>(wanted.a));
    const __m128i b = _mm_set1_epi8(static_cast<char>(wanted.b));
    const __m128i c = _mm_set1_epi8(static_cast<char>(wanted.c));
    const unsigned char* at = cursor.at;
    if (cursor.end - at >= 16 && FirstWantedIn16(at, a, b, c) < 0) {
        at += 16;
        while (cursor.end - at >= 64 && !AnyWantedIn64(at, a, b, c))
            at += 64;
    }
    for (; cursor.end - at >= 16; at += 16) {
        const int hit = FirstWantedIn16(at, a, b, c);
        if (hit >= 0) {
            cursor.at = at + hit;
            return true;
        }
    }
    cursor.at = at;
    return false;
}

// Where the brackets and line ends lie in 64 bytes: bit i stands for byte i.
struct BlockMasks {
    uint64_t open;     // [
    uint64_t close;    // ]
    uint64_t lineEnd;  // CR or LF
};

// The movemask of 16 lanes, placed at bit shift of a 64-bit mask.
inline uint64_t PlacedBits(__m128i lanes, int shift) {
    return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(lanes))) << shift;
}

inline BlockMasks MasksOf64(const unsigned char* p) {
    const __m128i open = _mm_set1_epi8('[');
    const __m128i close = _mm_set1_epi8(']');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    BlockMasks masks{0, 0, 0};
    for (int shift = 0; shift < 64; shift += 16, p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        masks.open |= PlacedBits(_mm_cmpeq_epi8(chunk, open), shift);
        masks.close |= PlacedBits(_mm_cmpeq_epi8(chunk, close), shift);
        masks.lineEnd |=
            PlacedBits(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)), shift);
    }
    return masks;
}

// Bit i of the result is the XOR of bits 0 to i: each step folds in the bits twice as far below.
inline uint64_t PrefixXor(uint64_t bits) {
    for (int width = 1; width < 64; width *= 2)
        bits ^= bits << width;
    return bits;
}

// The lowest set bit's index; bits must not be 0.
inline int LowestBit(uint64_t bits) {
    return __builtin_ctzll(bits);
}

inline int HighestBit(uint64_t bits) {
    return 63 - __builtin_clzll(bits);
}

// Skips, 64 bytes at a time, the part of a tag section laid out as tag pairs between line ends,
// from the [ of a tag pair met outside tag pairs and comments. In such a run the brackets
// alternate, so "inside a tag pair" is the running XOR of the bracket bits (the [ counted in, the
// ] counted out). The skip stops on the first byte that breaks the layout: a ] outside tag pairs,
// a byte other than CR and LF outside them (e.g. where move text starts), or a [ inside one,
// from which a byte-at-a-time scan reaches the same ] as from the tag pair's own [. The last
// bytes of the text (under 64) are left to that scan, from an outside byte or the [ of the tag
// pair the skip is in.
inline void SkipLaidOutTagPairs(ByteCursor& cursor) {
    const unsigned char* block = cursor.at;
    const unsigned char* opener = cursor.at;  // the last bracket passed: when inside, its [
    uint64_t carriedInside = 0;               // all ones when a block starts inside a tag pair
    for (; cursor.end - block >= 64; block += 64) {
        const BlockMasks m = MasksOf64(block);
        const uint64_t brackets = m.open | m.close;
        const uint64_t inside = PrefixXor(brackets) ^ carriedInside;
        const uint64_t outOfLayout =
            (m.open & ~inside) | (m.close & inside) | (~inside & ~brackets & ~m.lineEnd);
        if (outOfLayout != 0) {
            cursor.at = block + LowestBit(outOfLayout);
            return;
        }
        if (brackets != 0) opener = block + HighestBit(brackets);
        carriedInside = (inside >> 63) != 0 ? ~uint64_t{0} : 0;
    }
    cursor.at = block;
    if (carriedInside != 0) cursor.at = opener;
}
#else
inline void SkipLaidOutTagPairs(ByteCursor&) {}
#endif

// Moves to the first wanted byte among at most limit bytes; true when it found one.
inline bool SkipToWantedWithin(ByteCursor& cursor, WantedBytes wanted, int64_t limit) {
    const unsigned char* at = cursor.at;
    const unsigned char* const stop = cursor.end - at > limit ? at + limit : cursor.end;
    while (at != stop && !IsWanted(*at, wanted))
        ++at;
    cursor.at = at;
    return at != stop;
}

// The same for a run that is seldom short, such as a tag's value: blocks from the first byte.
inline bool SkipToWantedInLongRun(ByteCursor& cursor, WantedBytes wanted) {
#if defined(__SSE2__)
    if (SkipToWantedInBlocks(cursor, wanted)) return true;
#endif
    return SkipToWantedWithin(cursor, wanted, cursor.end - cursor.at);
}

// Moves to the first wanted byte; false (at the end) when there is none. The same stop as
// SkipUntil with the classes holding exactly those bytes.
inline bool SkipToWanted(ByteCursor& cursor, WantedBytes wanted) {
    // Short runs are common (a tag pair, the bytes before the next one): the first few bytes
    // are cheaper to look at one by one than to load as a block.
    constexpr int64_t kFirstBytesAlone = 8;
    if (SkipToWantedWithin(cursor, wanted, kFirstBytesAlone)) return true;
#if defined(__SSE2__)
    if (SkipToWantedInBlocks(cursor, wanted)) return true;
#endif
    return SkipToWantedWithin(cursor, wanted, cursor.end - cursor.at);
}
