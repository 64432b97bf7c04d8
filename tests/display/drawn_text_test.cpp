#include "display/drawn_text.h"

#include <gtest/gtest.h>

#include <string>

#include "text/utf8_text.h"

namespace {

struct DrawnCase {
    const char* name;
    std::string bytes;
    bool utf8;
    std::string drawn;
};

std::string Drawn(const std::string& bytes) {
    const CharString text =
        DrawnTextUtf8(CharString(bytes.data(), static_cast<int32_t>(bytes.size())));
    return std::string(text.chars(), static_cast<size_t>(text.length()));
}

TEST(DrawnText, Utf8IsDrawnAsWrittenAndAnythingElseThroughCodePage1252) {
    const DrawnCase cases[] = {
        {"ASCII", "Carlsen, M.", true, "Carlsen, M."},
        {"German in UTF-8",
         "D\xC3\xBC"
         "ckhorn",
         true,
         "D\xC3\xBC"
         "ckhorn"},
        {"Cyrillic", "\xD0\x9A\xD0\xB0\xD1\x80\xD0\xBF\xD0\xBE\xD0\xB2", true,
         "\xD0\x9A\xD0\xB0\xD1\x80\xD0\xBF\xD0\xBE\xD0\xB2"},
        {"Chinese", "\xE4\xB8\x81\xE7\xAB\x8B", true, "\xE4\xB8\x81\xE7\xAB\x8B"},
        {"four-byte character", "\xF0\x9F\x98\x80", true, "\xF0\x9F\x98\x80"},
        {"cut inside a character", "ab\xE4\xB8", false, "ab\xC3\xA4\xC2\xB8"},
        {"Latin-1 byte",
         "D\xFC"
         "ckhorn",
         false,
         "D\xC3\xBC"
         "ckhorn"},
        {"1252's own characters", "\x80\x8A\x9F", false, "\xE2\x82\xAC\xC5\xA0\xC5\xB8"},
        {"1252's unassigned byte", "\x81", false, "\xC2\x81"},
        {"overlong form", "\xC0\xAF", false, "\xC3\x80\xC2\xAF"},
        {"surrogate", "\xED\xA0\x80", false, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false, "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
        {"stray continuation byte", "a\xA9", false, "a\xC2\xA9"},
        {"cut sequence not at the end", "\xE4\xB8z", false, "\xC3\xA4\xC2\xB8z"},
        {"empty", "", true, ""},
    };
    for (const DrawnCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsValidUtf8(c.bytes.data(), static_cast<int32_t>(c.bytes.size())), c.utf8);
        EXPECT_EQ(Drawn(c.bytes), c.drawn);
    }
}

}  // namespace
