#include "display/wide_text.h"

int32_t WideLength(const WideChar* text, int32_t limit) {
    if (text == nullptr) return 0;
    int32_t n = 0;
    while (n < limit && text[n] != 0)
        ++n;
    return n;
}

namespace {

// Writes count characters of source at dest[at] and the terminator; the caller checked the room.
void PutText(WideChar* dest, int32_t at, const WideChar* source, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        dest[at + i] = source[i];
    dest[at + count] = 0;
}

}  // namespace

bool CopyWideText(WideChar* dest, int32_t capacity, const WideChar* source) {
    if (capacity <= 0) return false;
    const int32_t count = WideLength(source, capacity);
    if (count >= capacity) return false;
    PutText(dest, 0, source, count);
    return true;
}

bool AppendWideText(WideChar* dest, int32_t capacity, const WideChar* source) {
    if (capacity <= 0) return false;
    const int32_t have = WideLength(dest, capacity);
    if (have >= capacity) return false;  // dest itself is unterminated: refuse to grow it
    const int32_t count = WideLength(source, capacity - have);
    if (have + count >= capacity) return false;
    PutText(dest, have, source, count);
    return true;
}

bool AppendAsciiText(WideChar* dest, int32_t capacity, const char* source) {
    WideChar wide[kPathCapacity];
    int32_t n = 0;
    for (; source != nullptr && source[n] != 0; ++n) {
        if (n >= kPathCapacity - 1) return false;
        wide[n] = static_cast<WideChar>(static_cast<unsigned char>(source[n]));
    }
    wide[n] = 0;
    return AppendWideText(dest, capacity, wide);
}

bool TakeRegistryText(WideChar* dest, int32_t capacity, const WideChar* data, int32_t byteCount) {
    if (capacity <= 0 || data == nullptr || byteCount < 0) return false;
    const int32_t units = byteCount / 2;
    const int32_t count = WideLength(data, units);
    if (count >= capacity) return false;
    PutText(dest, 0, data, count);
    return true;
}

void DropTrailingBackslash(WideChar* text, int32_t capacity) {
    const int32_t count = WideLength(text, capacity);
    if (count > 0 && count < capacity && text[count - 1] == '\\') text[count - 1] = 0;
}

bool ComposePath(WideChar* dest, int32_t capacity, const WideChar* first, const char* middle,
                 const WideChar* last) {
    if (capacity <= 0) return false;
    dest[0] = 0;
    if (CopyWideText(dest, capacity, first) && AppendAsciiText(dest, capacity, middle) &&
        AppendWideText(dest, capacity, last)) {
        return true;
    }
    dest[0] = 0;
    return false;
}
