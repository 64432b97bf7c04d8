#include "apps/pgn-tool/output_text.h"

#include <cstdint>

namespace {

// Length of the well-formed UTF-8 sequence at bytes[i] (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when there is none.
size_t Utf8SequenceAt(std::string_view bytes, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

void AppendHex(std::string& out, const char* prefix, unsigned char value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += prefix;
    out += kDigits[value >> 4];
    out += kDigits[value & 0x0F];
}

// Calls plain(byte) for ASCII, sequence(i, length) for well-formed UTF-8 and stray(byte) for
// every other byte of 0x80 and above.
template <typename Plain, typename Sequence, typename Stray>
void ForEachPiece(std::string_view bytes, Plain plain, Sequence sequence, Stray stray) {
    for (size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            plain(b);
            ++i;
        } else if (const size_t length = Utf8SequenceAt(bytes, i); length > 0) {
            sequence(i, length);
            i += length;
        } else {
            stray(b);
            ++i;
        }
    }
}

}  // namespace

std::string JsonString(std::string_view bytes) {
    std::string out = "\"";
    ForEachPiece(
        bytes,
        [&](unsigned char b) {
            if (b == '"' || b == '\\') {
                out += '\\';
                out += static_cast<char>(b);
            } else if (b < 0x20 || b == 0x7F) {
                AppendHex(out, "\\u00", b);
            } else {
                out += static_cast<char>(b);
            }
        },
        [&](size_t i, size_t length) { out.append(bytes.substr(i, length)); },
        [&](unsigned char b) { AppendHex(out, "\\u00", b); });
    out += '"';
    return out;
}

std::string SafeText(std::string_view bytes) {
    std::string out;
    ForEachPiece(
        bytes,
        [&](unsigned char b) {
            if (b < 0x20 || b == 0x7F) {
                AppendHex(out, "\\x", b);
            } else {
                out += static_cast<char>(b);
            }
        },
        [&](size_t i, size_t length) {
            // U+0080 to U+009F are control characters too, CSI among them.
            if (length == 2 && static_cast<unsigned char>(bytes[i]) == 0xC2 &&
                static_cast<unsigned char>(bytes[i + 1]) < 0xA0) {
                AppendHex(out, "\\x", 0xC2);
                AppendHex(out, "\\x", static_cast<unsigned char>(bytes[i + 1]));
                return;
            }
            out.append(bytes.substr(i, length));
        },
        [&](unsigned char b) {
            if (b < 0xA0) {
                AppendHex(out, "\\x", b);
                return;
            }
            // Latin-1 from U+00A0 up: two UTF-8 bytes.
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        });
    return out;
}
