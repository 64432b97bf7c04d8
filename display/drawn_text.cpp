#include "display/drawn_text.h"

#include <cstdint>
#include <string>

namespace {

// Code page 1252's characters for 0x80..0x9F; its five unassigned bytes read as the C1 control
// of the same number, as Windows' conversion does.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Length of the sequence that starts at i, 0 when it is invalid, -1 when the text ends inside an
// otherwise valid start of one.
int32_t SequenceLength(const CharString& bytes, int32_t i) {
    const unsigned char lead = bytes.at(i);
    if (lead < 0x80) return 1;
    int32_t length = 0;
    unsigned char low = 0x80;   // bounds of the second byte: they rule out overlong forms,
    unsigned char high = 0xBF;  // surrogates and code points past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    if (length == 0) return 0;
    for (int32_t k = 1; k < length; ++k) {
        if (i + k >= bytes.length()) return -1;
        const unsigned char next = bytes.at(i + k);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return 0;
    }
    return length;
}

// Bytes of the valid text, or -1 when the text is not UTF-8.
int32_t ValidUtf8Length(const CharString& bytes) {
    int32_t i = 0;
    while (i < bytes.length()) {
        const int32_t length = SequenceLength(bytes, i);
        if (length == 0) return -1;
        if (length < 0) return i;  // cut short at the end
        i += length;
    }
    return i;
}

}  // namespace

bool IsUtf8Text(const CharString& bytes) {
    return ValidUtf8Length(bytes) >= 0;
}

CharString DrawnTextUtf8(const CharString& bytes) {
    const int32_t valid = ValidUtf8Length(bytes);
    if (valid >= 0) return bytes.left(valid);
    std::string out;
    out.reserve(static_cast<size_t>(bytes.length()) * 2);
    for (int32_t i = 0; i < bytes.length(); ++i) {
        const unsigned char byte = bytes.at(i);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte);
    }
    return CharString(out.data(), static_cast<int32_t>(out.size()));
}
