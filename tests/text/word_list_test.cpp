#include "text/word_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// All words of a list, read back with word() until the empty word.
std::vector<std::string> Words(const WordList& list) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < lineCount(list); ++i) {
        const CharString w = word(list, i);
        out.emplace_back(w.chars(), static_cast<size_t>(w.length()));
    }
    return out;
}

using Strings = std::vector<std::string>;

TEST(SplitCommandLine, WordsQuotesAndSwitchPrefixes) {
    struct Case {
        const char* text;
        Strings expected;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"    ", {}},
        {"a  /x   -y", {"a", "x", "y"}},
        {"a //x", {"a", "/x"}},
        {"a - b", {"a", "b"}},
        {"/s", {"/s"}},
        {"a \"  b e  \" d", {"a", "b e", "d"}},
        {"a b\"e d\"", {"a", "b\"e", "d\""}},
        {"a \"b e", {"a", "b e"}},
        {"a \"b\"e", {"a", "b", "e"}},
        {"a \"\"", {"a"}},
        {"a\tb c", {"a\tb", "c"}},
        {"\"C:\\Program Files\\Quorvane.scr\" /p 1234",
         {"C:\\Program Files\\Quorvane.scr", "p", "1234"}},
        {"\"C:\\x y\\q.scr\" /a:1234", {"C:\\x y\\q.scr", "a:1234"}},
        {"saver.scr /s", {"saver.scr", "s"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Words(SplitCommandLine(CharString(c.text))), c.expected) << '[' << c.text << ']';
    }
}

TEST(SplitWords, SpacesOnly) {
    EXPECT_EQ(Words(SplitWords(CharString("  a   b "))), (Strings{"a", "b"}));
    EXPECT_TRUE(SplitWords(CharString("")).equals(""));
    EXPECT_TRUE(SplitWords(CharString("  a   b ")).equals("a\r\nb"));
    EXPECT_EQ(Words(SplitWords(CharString("a\tb c"))), (Strings{"a\tb", "c"}));
}

TEST(Lines, CountAndCut) {
    const CharString two("a\r\nb");
    EXPECT_EQ(lineCount(two), 2);
    EXPECT_EQ(lineCount(CharString("a")), 1);
    EXPECT_EQ(lineCount(CharString("")), 0);
    CharString out("keep");
    line(two, 1, out);
    EXPECT_TRUE(out.equals("b"));
    out = CharString("keep");
    line(two, 2, out);
    EXPECT_TRUE(out.equals("keep")) << "a missing line leaves out untouched";
    EXPECT_TRUE(word(two, 2).equals(""));
    // An LF without CR: one line by the count, but the cut at the LF drops the byte before it.
    out = CharString();
    line(CharString("ab\ncd"), 0, out);
    EXPECT_TRUE(out.equals("a"));
}

TEST(ParseNumber, FirstRunOfDigits) {
    struct Case {
        const char* word;
        int32_t expected;
    };
    const std::vector<Case> cases = {
        {"a:1234", 1234},
        {"p", 0},
        {"-5", 5},
        {"12ab34", 12},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647},
        {"", 0},
        {"c:0", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseNumber(c.word), c.expected) << c.word;
    EXPECT_EQ(ParseNumber(nullptr), 0);
}

}  // namespace
