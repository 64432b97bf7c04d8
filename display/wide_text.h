#pragma once
// Fixed-buffer 16-bit text: paths and skin names live in buffers of a fixed capacity (terminator
// included), and every copy or append either fits whole or is refused, leaving the buffer as it
// was.

#include <cstddef>
#include <cstdint>

#include "text/char_string.h"

// Capacity of every path and name buffer, in characters, terminator included.
constexpr int32_t kPathCapacity = 260;

// Characters before the terminator, counting at most limit of them.
int32_t WideLength(const WideChar* text, int32_t limit);

// Copies source into dest when it fits with its terminator; else returns false, dest untouched.
bool CopyWideText(WideChar* dest, int32_t capacity, const WideChar* source);

// Adds source after dest's text when the whole result fits; else returns false, dest untouched.
bool AppendWideText(WideChar* dest, int32_t capacity, const WideChar* source);

// As AppendWideText, for a 7-bit text such as a fixed file or folder name.
bool AppendAsciiText(WideChar* dest, int32_t capacity, const char* source);

// Takes a registry text value: count is the value's size in bytes as the registry reported it.
// The text ends at the first zero character or at the data's end; a text longer than capacity - 1
// is refused (false, dest untouched).
bool TakeRegistryText(WideChar* dest, int32_t capacity, const WideChar* data, int32_t byteCount);

// Removes one trailing backslash, if the text has one.
void DropTrailingBackslash(WideChar* text, int32_t capacity);

// Builds first + middle + last into dest; false (dest emptied) when the whole does not fit.
bool ComposePath(WideChar* dest, int32_t capacity, const WideChar* first, const char* middle,
                 const WideChar* last);

template <size_t N>
bool CopyWideText(WideChar (&dest)[N], const WideChar* source) {
    return CopyWideText(dest, static_cast<int32_t>(N), source);
}
template <size_t N>
bool AppendWideText(WideChar (&dest)[N], const WideChar* source) {
    return AppendWideText(dest, static_cast<int32_t>(N), source);
}
template <size_t N>
bool AppendAsciiText(WideChar (&dest)[N], const char* source) {
    return AppendAsciiText(dest, static_cast<int32_t>(N), source);
}
template <size_t N>
bool ComposePath(WideChar (&dest)[N], const WideChar* first, const char* middle,
                 const WideChar* last) {
    return ComposePath(dest, static_cast<int32_t>(N), first, middle, last);
}
