#include "text/utf8_text.h"

namespace {

// Length of the sequence the byte at bytes[at] starts and its code point; 0 when ill-formed.
struct Decoded {
    int32_t length;
    uint32_t codePoint;
};

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Lead bytes of multi-byte sequences: the bits that mark the form, the sequence's length, and
// the smallest code point it may carry (anything below is an overlong form).
struct LeadForm {
    unsigned char mask;
    unsigned char value;
    int32_t length;
    uint32_t smallest;
};
constexpr LeadForm kLeadForms[] = {
    {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};

// Code page 1252's characters for 0x80..0x9F; the rest of the page is Latin-1.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

Decoded DecodeAt(const char* bytes, int32_t count, int32_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) return {1, lead};
    const LeadForm* form = nullptr;
    for (const LeadForm& candidate : kLeadForms) {
        if ((lead & candidate.mask) == candidate.value) form = &candidate;
    }
    if (form == nullptr) return {0, 0};
    const int32_t length = form->length;
    uint32_t codePoint = lead & static_cast<unsigned char>(~form->mask);
    if (count - at < length) return {0, 0};
    for (int32_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if (!IsContinuation(next)) return {0, 0};
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < form->smallest || surrogate || codePoint > 0x10FFFF) return {0, 0};
    return {length, codePoint};
}

}  // namespace

bool IsValidUtf8(const char* bytes, int32_t count) {
    for (int32_t at = 0; at < count;) {
        const Decoded decoded = DecodeAt(bytes, count, at);
        if (decoded.length == 0) return false;
        at += decoded.length;
    }
    return true;
}

uint32_t Cp1252CodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

int32_t DecodeUtf8At(const char* bytes, int32_t count, int32_t at, uint32_t& codePoint) {
    const Decoded decoded = DecodeAt(bytes, count, at);
    codePoint = decoded.codePoint;
    return decoded.length;
}

int32_t Utf8CutLength(const char* bytes, int32_t count, int32_t limit) {
    if (count <= limit) return count;
    if (limit <= 0) return 0;
    if (!IsValidUtf8(bytes, count)) return limit;
    // Step back over the continuation bytes of the character the limit falls inside.
    int32_t cut = limit;
    while (cut > 0 && IsContinuation(static_cast<unsigned char>(bytes[cut])))
        --cut;
    return cut;
}

int32_t Utf8ToUtf16(const char* bytes, int32_t count, WideChar* out, int32_t capacity) {
    out[0] = 0;
    if (!IsValidUtf8(bytes, count)) return -1;
    int32_t written = 0;
    for (int32_t at = 0; at < count;) {
        const Decoded decoded = DecodeAt(bytes, count, at);
        const int32_t units = decoded.codePoint > 0xFFFF ? 2 : 1;
        if (written + units > capacity - 1) break;
        if (units == 1) {
            out[written++] = static_cast<WideChar>(decoded.codePoint);
        } else {
            const uint32_t offset = decoded.codePoint - 0x10000;
            out[written++] = static_cast<WideChar>(0xD800 + (offset >> 10));
            out[written++] = static_cast<WideChar>(0xDC00 + (offset & 0x3FF));
        }
        at += decoded.length;
    }
    out[written] = 0;
    return written;
}
