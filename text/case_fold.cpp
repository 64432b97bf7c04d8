#include "text/case_fold.h"

#include "text/utf8_text.h"

namespace {

// Upper-case letters first..last, every step-th one, whose lower-case letter lies delta above.
// Step 2 describes the blocks where upper and lower case alternate.
struct CaseRange {
    uint32_t first;
    uint32_t last;
    int32_t delta;
    uint32_t step;
};

constexpr CaseRange kCaseRanges[] = {
    {0x00C0, 0x00D6, 32, 1},   {0x00D8, 0x00DE, 32, 1},  // Latin-1: À..Ö, Ø..Þ
    {0x0100, 0x012E, 1, 2},    {0x0132, 0x0136, 1, 2},   // Latin Extended-A: Ā..Į, Ĳ..Ķ
    {0x0139, 0x0147, 1, 2},    {0x014A, 0x0176, 1, 2},   // Ĺ..Ň, Ŋ..Ŷ
    {0x0178, 0x0178, -121, 1}, {0x0179, 0x017D, 1, 2},   // Ÿ (to ÿ), Ź..Ž
    {0x0370, 0x0372, 1, 2},    {0x0376, 0x0376, 1, 1},   // Greek: Heta, archaic Sampi, Pamphylian
    {0x037F, 0x037F, 116, 1},  {0x0386, 0x0386, 38, 1},  // Yot, Ά
    {0x0388, 0x038A, 37, 1},   {0x038C, 0x038C, 64, 1},  // Έ..Ί, Ό
    {0x038E, 0x038F, 63, 1},   {0x0391, 0x03A1, 32, 1},  // Ύ Ώ, Α..Ρ
    {0x03A3, 0x03AB, 32, 1},   {0x03CF, 0x03CF, 8, 1},   // Σ..Ϋ, Kai
    {0x03D8, 0x03EE, 1, 2},    {0x03F7, 0x03F7, 1, 1},   // archaic and Coptic pairs, Sho
    {0x03F9, 0x03F9, -7, 1},   {0x03FA, 0x03FA, 1, 1},   // lunate Sigma, San
    {0x03FD, 0x03FF, -130, 1}, {0x0400, 0x040F, 80, 1},  // reversed lunate Sigmas; Ѐ..Џ
    {0x0410, 0x042F, 32, 1},   {0x0460, 0x0480, 1, 2},   // А..Я, Ѡ..Ҁ
    {0x048A, 0x04BE, 1, 2},    {0x04C0, 0x04C0, 15, 1},  // Ҋ..Ҿ, Palochka
    {0x04C1, 0x04CD, 1, 2},    {0x04D0, 0x04FE, 1, 2},   // Ӂ..Ӎ, Ӑ..Ӿ
};

// Characters that fold to a letter whose capital they are not: the micro sign, the dotted capital
// I, the long s, and Greek's final sigma and symbol forms. UpperCodePoint has no way back to them.
struct SingleFold {
    uint32_t from;
    uint32_t to;
};

constexpr SingleFold kSingleFolds[] = {
    {0x00B5, 0x03BC},  // micro sign: μ
    {0x0130, 0x0069},  // İ: i
    {0x017F, 0x0073},  // long s: s
    {0x03C2, 0x03C3},  // final sigma: σ
    {0x03D0, 0x03B2}, {0x03D1, 0x03B8}, {0x03D5, 0x03C6}, {0x03D6, 0x03C0},
    {0x03F0, 0x03BA}, {0x03F1, 0x03C1}, {0x03F4, 0x03B8}, {0x03F5, 0x03B5},
};

bool InRange(const CaseRange& range, uint32_t c) {
    return c >= range.first && c <= range.last && (c - range.first) % range.step == 0;
}

uint32_t Shifted(uint32_t c, int32_t delta) {
    return static_cast<uint32_t>(static_cast<int32_t>(c) + delta);
}

}  // namespace

uint32_t FoldedCodePoint(uint32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    if (c > 0x04FF) return c;
    for (const SingleFold& fold : kSingleFolds)
        if (fold.from == c) return fold.to;
    for (const CaseRange& range : kCaseRanges)
        if (InRange(range, c)) return Shifted(c, range.delta);
    return c;
}

uint32_t UpperCodePoint(uint32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 32 : c;
    if (c > 0x04FF) return c;
    for (const CaseRange& range : kCaseRanges) {
        const uint32_t upper = Shifted(c, -range.delta);
        if (upper != c && InRange(range, upper)) return upper;
    }
    return c;
}

CharReader CharReaderOver(const char* bytes, int32_t count) {
    return {bytes, count, 0, IsValidUtf8(bytes, count)};
}

bool NextChar(CharReader& reader, uint32_t& c) {
    if (reader.at >= reader.count) return false;
    const auto byte = static_cast<unsigned char>(reader.bytes[reader.at]);
    if (byte < 0x80) {
        // Names are mostly ASCII, the same in both readings.
        c = byte;
        ++reader.at;
    } else if (reader.utf8) {
        reader.at += DecodeUtf8At(reader.bytes, reader.count, reader.at, c);
    } else {
        c = Cp1252CodePoint(byte);
        ++reader.at;
    }
    return true;
}

FoldedNeedle FoldedNeedleOf(const char* bytes, int32_t count) {
    FoldedNeedle needle;
    CharReader reader = CharReaderOver(bytes, count);
    for (uint32_t c = 0; NextChar(reader, c);)
        needle.chars.push_back(FoldedCodePoint(c));
    needle.fallback.assign(needle.chars.size(), 0);
    int32_t border = 0;
    for (size_t i = 1; i < needle.chars.size(); ++i) {
        while (border > 0 && needle.chars[i] != needle.chars[static_cast<size_t>(border)])
            border = needle.fallback[static_cast<size_t>(border - 1)];
        if (needle.chars[i] == needle.chars[static_cast<size_t>(border)]) ++border;
        needle.fallback[i] = border;
    }
    return needle;
}

bool ContainsFolded(const char* bytes, int32_t count, const FoldedNeedle& needle) {
    const auto wanted = static_cast<int32_t>(needle.chars.size());
    if (wanted == 0) return true;
    CharReader reader = CharReaderOver(bytes, count);
    int32_t matched = 0;
    for (uint32_t c = 0; NextChar(reader, c);) {
        const uint32_t folded = FoldedCodePoint(c);
        while (matched > 0 && needle.chars[static_cast<size_t>(matched)] != folded)
            matched = needle.fallback[static_cast<size_t>(matched - 1)];
        if (needle.chars[static_cast<size_t>(matched)] == folded) ++matched;
        if (matched == wanted) return true;
    }
    return false;
}
