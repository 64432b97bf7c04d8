#include "text/utf8_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int32_t Length(const std::string& text) {
    return static_cast<int32_t>(text.size());
}

struct ValidityCase {
    const char* name;
    std::string bytes;
    bool valid;
};

TEST(Utf8Text, TellsWellFormedTextFromTheRest) {
    const ValidityCase cases[] = {{"empty", "", true},
                                  {"ASCII", "Tal, Mikhail", true},
                                  {"Latin-1 letter in UTF-8",
                                   "D\xC3\xBC"
                                   "ckhorn",
                                   true},
                                  {"Cyrillic", "\xD0\xA2\xD0\xB0\xD0\xBB\xD1\x8C", true},
                                  {"Chinese", "\xE4\xB8\xAD\xE5\x9B\xBD", true},
                                  {"four-byte character", "\xF0\x9F\x98\x80", true},
                                  {"largest code point", "\xF4\x8F\xBF\xBF", true},
                                  {"8-bit Latin-1 text",
                                   "D\xFC"
                                   "ckhorn",
                                   false},
                                  {"stray continuation byte", "a\x80", false},
                                  {"lead byte cut off at the end", "ab\xE4\xB8", false},
                                  {"lead byte followed by ASCII",
                                   "\xC3"
                                   "A",
                                   false},
                                  {"overlong two-byte slash", "\xC0\xAF", false},
                                  {"overlong three-byte form", "\xE0\x80\xAF", false},
                                  {"UTF-16 surrogate", "\xED\xA0\x80", false},
                                  {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
                                  {"five-byte lead", "\xF8\x88\x80\x80\x80", false},
                                  {"byte FF", "\xFF", false}};
    for (const ValidityCase& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.bytes.data(), Length(c.bytes)), c.valid) << c.name;
    }
}

struct CutCase {
    const char* name;
    std::string bytes;
    int32_t limit;
    int32_t kept;
};

TEST(Utf8Text, CutsNeverSplitACharacterOfValidText) {
    const std::string chinese = "\xE4\xB8\xAD\xE5\x9B\xBD\xE4\xBA\xBA";  // three 3-byte letters
    const CutCase cases[] = {
        {"short text is kept whole", "abc", 10, 3},
        {"ASCII cut at the limit", "abcdef", 4, 4},
        {"limit falls inside the second letter", chinese, 5, 3},
        {"limit right after the second letter", chinese, 6, 6},
        {"limit inside the first letter keeps nothing", chinese, 2, 0},
        {"two-byte letter straddling the limit", "ab\xC3\xBC", 3, 2},
        {"four-byte character straddling the limit", "a\xF0\x9F\x98\x80", 4, 1},
        {"8-bit text is cut at the byte", "ab\xFC\xFC", 3, 3},
        {"invalid UTF-8 is cut at the byte even inside a sequence", "\xE4\xB8\xAD\xFF", 2, 2},
        {"a limit of zero", "abc", 0, 0}};
    for (const CutCase& c : cases) {
        EXPECT_EQ(Utf8CutLength(c.bytes.data(), Length(c.bytes), c.limit), c.kept) << c.name;
    }
}

struct WideCase {
    const char* name;
    std::string bytes;
    int32_t capacity;
    std::vector<uint16_t> units;  // expected, without the terminator
};

TEST(Utf8Text, ConvertsToUtf16WithSurrogatePairsAndWholeCharactersOnly) {
    const WideCase cases[] = {
        {"ASCII", "Tal", 16, {'T', 'a', 'l'}},
        {"u umlaut", "D\xC3\xBC", 16, {'D', 0xFC}},
        {"Cyrillic", "\xD0\xA2\xD0\xB0", 16, {0x0422, 0x0430}},
        {"Chinese", "\xE4\xB8\xAD\xE5\x9B\xBD", 16, {0x4E2D, 0x56FD}},
        {"beyond the basic plane", "\xF0\x9F\x98\x80", 16, {0xD83D, 0xDE00}},
        {"buffer cut at the terminator", "abcd", 3, {'a', 'b'}},
        {"a pair that does not fit whole is left out", "a\xF0\x9F\x98\x80", 3, {'a'}}};
    for (const WideCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<WideChar> out(static_cast<size_t>(c.capacity), WideChar{0x7777});
        const int32_t written =
            Utf8ToUtf16(c.bytes.data(), Length(c.bytes), out.data(), c.capacity);
        ASSERT_EQ(written, static_cast<int32_t>(c.units.size()));
        for (size_t i = 0; i < c.units.size(); ++i) {
            EXPECT_EQ(static_cast<uint16_t>(out[i]), c.units[i]) << i;
        }
        EXPECT_EQ(out[c.units.size()], 0);
    }
}

TEST(Utf8Text, RefusesToConvertInvalidText) {
    WideChar out[8] = {'x', 'x'};
    EXPECT_EQ(Utf8ToUtf16("D\xFC", 2, out, 8), -1);
    EXPECT_EQ(out[0], 0);
}

}  // namespace
