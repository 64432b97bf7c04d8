#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/pgn-tool/output_text.h"

namespace {

struct TextCase {
    const char* name;
    std::string bytes;
    std::string json;  // without the surrounding quotes
    std::string text;
};

TEST(OutputText, StaysValidForAnyBytes) {
    const std::vector<TextCase> cases = {
        {"plain ASCII", "Tal, Mikhail", "Tal, Mikhail", "Tal, Mikhail"},
        {"quotes and backslashes", "a\"b\\c", "a\\\"b\\\\c", "a\"b\\c"},
        {"control bytes", "a\tb\r\n\x1b[31m\x7f", "a\\u0009b\\u000d\\u000a\\u001b[31m\\u007f",
         "a\\x09b\\x0d\\x0a\\x1b[31m\\x7f"},
        {"well-formed UTF-8 passes", "Jos\xC3\xA9 \xD0\x92 \xE2\x82\xAC \xF0\x9F\x98\x80",
         "Jos\xC3\xA9 \xD0\x92 \xE2\x82\xAC \xF0\x9F\x98\x80",
         "Jos\xC3\xA9 \xD0\x92 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"a Latin-1 byte is read as Latin-1", "Jos\xE9", "Jos\\u00e9", "Jos\xC3\xA9"},
        {"a cut UTF-8 sequence", "ab\xE2\x82", "ab\\u00e2\\u0082", "ab\xC3\xA2\\x82"},
        {"overlong and surrogate forms are not UTF-8", "\xC0\xAF\xED\xA0\x80",
         "\\u00c0\\u00af\\u00ed\\u00a0\\u0080", "\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\\u00f4\\u0090\\u0080\\u0080",
         "\xC3\xB4\\x90\\x80\\x80"},
        {"C1 controls written in UTF-8",
         "a\xC2\x9B"
         "b",
         "a\xC2\x9B"
         "b",
         "a\\xc2\\x9bb"},
        {"empty", "", "", ""},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(JsonString(c.bytes), "\"" + c.json + "\"") << c.name;
        EXPECT_EQ(SafeText(c.bytes), c.text) << c.name;
    }
}

}  // namespace
