#include "display/drawn_text.h"

#include <cstdint>
#include <string>

#include "text/utf8_text.h"

namespace {

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
        AppendUtf8(out, Cp1252CodePoint(byte));
    }
    return CharString(out.data(), static_cast<int32_t>(out.size()));
}
