#pragma once
// UTF-8 in byte texts: whether a text is well-formed UTF-8, where a text may be cut without
// splitting a character, and its UTF-16 form for wide-character drawing.

#include <cstdint>

#include "text/char_string.h"

// True when every byte belongs to a well-formed sequence: no stray continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF. Plain ASCII is valid.
bool IsValidUtf8(const char* bytes, int32_t count);

// Length of the well-formed sequence that starts at bytes[at], with its code point in codePoint;
// 0 when the bytes there are not one.
int32_t DecodeUtf8At(const char* bytes, int32_t count, int32_t at, uint32_t& codePoint);

// The character code page 1252 gives a byte; its five unassigned bytes read as the C1 control
// of the same number, as Windows' conversion does.
uint32_t Cp1252CodePoint(unsigned char byte);

// How many of count bytes to keep when at most limit fit. A valid UTF-8 text is cut before the
// first character that would not fit whole; any other text is cut at the byte.
int32_t Utf8CutLength(const char* bytes, int32_t count, int32_t limit);

// Writes the UTF-16 form of a valid UTF-8 text into out, characters beyond U+FFFF as surrogate
// pairs, stopping before a character that would not fit whole, and adds a terminator. Returns the
// code units written before the terminator; -1 (out empty) when the text is not valid UTF-8.
// capacity counts the terminator and must be at least 1.
int32_t Utf8ToUtf16(const char* bytes, int32_t count, WideChar* out, int32_t capacity);
