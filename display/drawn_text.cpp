#include "display/drawn_text.h"

#include <cstdint>
#include <string>

#include "text/utf8_text.h"

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

}  // namespace

CharString DrawnTextUtf8(const CharString& bytes) {
    if (IsValidUtf8(bytes.chars(), bytes.length())) return bytes;
    std::string out;
    out.reserve(static_cast<size_t>(bytes.length()) * 2);
    for (int32_t i = 0; i < bytes.length(); ++i) {
        const unsigned char byte = bytes.at(i);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte);
    }
    return CharString(out.data(), static_cast<int32_t>(out.size()));
}
