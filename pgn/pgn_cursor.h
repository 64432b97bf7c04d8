#pragma once
// A tiny forward cursor over bytes and the byte classes the PGN scanners look for. The scanners
// skip whole runs of uninteresting bytes with one table lookup per byte, so a 16 MiB file is
// crossed in a few milliseconds.

#include <array>
#include <cstdint>

#include "text/char_string.h"

// Bit masks of the byte classes; one byte may belong to several.
enum ByteClass : uint32_t {
    kClassTagOpen = 1u << 0,     // [
    kClassTagClose = 1u << 1,    // ]
    kClassBraceOpen = 1u << 2,   // {
    kClassBraceClose = 1u << 3,  // }
    kClassSemicolon = 1u << 4,   // ;
    kClassLineEnd = 1u << 5,     // CR or LF
    kClassGameStart = 1u << 6,   // 1-9, a-h and N: the first byte of a game's move text
    kClassMoveStart = 1u << 7,   // a byte that may begin a move token
    kClassMoveChar = 1u << 8,    // a byte that may continue a move token
    kClassDigit = 1u << 9,       // 0-9, the digits of a numeric annotation glyph
    kClassVariation = 1u << 10,  // ( or )
    kClassDollar = 1u << 11,     // $
    kClassSpace = 1u << 12,      // the space that ends a tag name
    kClassCarriageReturn = 1u << 13,
    kClassZero = 1u << 14,  // 0, which may begin castling written with zeros
};

struct ByteClassTable {
    std::array<uint32_t, 256> masks;
};

constexpr ByteClassTable MakeByteClassTable() {
    ByteClassTable table{};
    auto mark = [&table](const char* bytes, uint32_t mask) {
        for (const char* b = bytes; *b != 0; ++b)
            table.masks[static_cast<unsigned char>(*b)] |= mask;
    };
    mark("[", kClassTagOpen);
    mark("]", kClassTagClose);
    mark("{", kClassBraceOpen);
    mark("}", kClassBraceClose);
    mark(";", kClassSemicolon);
    mark("\r\n", kClassLineEnd);
    mark("\r", kClassCarriageReturn);
    mark("123456789abcdefghN", kClassGameStart);
    mark("abcdefghNBRQKO", kClassMoveStart);
    mark("abcdefghNBRQKO123456789-x=", kClassMoveChar);
    mark("0123456789", kClassDigit);
    mark("()", kClassVariation);
    mark("$", kClassDollar);
    mark(" ", kClassSpace);
    mark("0", kClassZero);
    return table;
}

inline constexpr ByteClassTable kByteClasses = MakeByteClassTable();

inline bool HasClass(unsigned char byte, uint32_t mask) {
    return (kByteClasses.masks[byte] & mask) != 0;
}

// The bytes not yet read, [at, end).
struct ByteCursor {
    const unsigned char* at;
    const unsigned char* end;
};

inline ByteCursor CursorOver(const CharString& text, int32_t from = 0) {
    const auto* base = reinterpret_cast<const unsigned char*>(text.chars());
    return {base + from, base + text.length()};
}

inline bool AtEnd(const ByteCursor& cursor) {
    return cursor.at == cursor.end;
}

// Moves to the first byte of one of the classes in mask; false (at the end) when there is none.
inline bool SkipUntil(ByteCursor& cursor, uint32_t mask) {
    const unsigned char* at = cursor.at;
    const unsigned char* const end = cursor.end;
    while (at != end && (kByteClasses.masks[*at] & mask) == 0)
        ++at;
    cursor.at = at;
    return at != end;
}

// Moves past the run of bytes of the classes in mask.
inline void SkipWhile(ByteCursor& cursor, uint32_t mask) {
    const unsigned char* at = cursor.at;
    const unsigned char* const end = cursor.end;
    while (at != end && (kByteClasses.masks[*at] & mask) != 0)
        ++at;
    cursor.at = at;
}
