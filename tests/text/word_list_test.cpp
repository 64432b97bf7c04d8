#include "text/word_list.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The splitter as it was first written (rest of the text copied per word, the list per append):
// slow, but the meaning to keep.
WordList SplitWordsByCopies(const CharString& text) {
    WordList words;
    CharString rest = text.trimmed();
    while (!rest.empty()) {
        int32_t space = 0;
        while (space < rest.length() && rest.at(space) != ' ')
            ++space;
        if (!words.empty()) words.append("\r\n");
        words.append(rest.left(space));
        rest = rest.mid(space + 1, -1).trimmed();
    }
    return words;
}

std::string Text(const CharString& s) {
    return std::string(s.chars(), static_cast<size_t>(s.length()));
}

TEST(SplitWords, EqualsTheCopyingSplitterOnLargeAndOddTexts) {
    std::string fields;  // a FEN tag of many fields, as a crafted file has it
    for (int i = 0; i < 3000; ++i)
        fields += (i % 7 == 0 ? "  " : " ") + std::string(static_cast<size_t>(i % 5), 'p') + "8";
    const std::vector<std::string> texts = {
        fields,
        " " + fields + "   ",
        std::string(20000, ' '),
        std::string(20000, 'x'),
        std::string("a\0b c\0 \0", 9),  // zero bytes are bytes like any other
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "\t a\r\nb \t",
    };
    for (const std::string& t : texts) {
        const CharString text(t.data(), static_cast<int32_t>(t.size()));
        const WordList whole = SplitWordsByCopies(text);
        EXPECT_EQ(Text(SplitWords(text)), Text(whole)) << t.substr(0, 40);
        // The first six words, all a FEN set-up reads, are the first six lines of the whole list.
        const WordList six = SplitWords(text, 6);
        EXPECT_EQ(lineCount(six), std::min(lineCount(whole), 6)) << t.substr(0, 40);
        for (int32_t n = 0; n < 7; ++n)
            EXPECT_EQ(Text(word(six, n)), n < 6 ? Text(word(whole, n)) : "") << t.substr(0, 40);
    }
}

TEST(SplitWords, AListThatWouldPassTheLongestTextDropsThePiecesBeyond) {
    // 2^24 bytes of "a ": the list of 2^23 words would need 2^24 * 3 / 2 bytes.
    std::string t;
    t.reserve(static_cast<size_t>(CharString::kMaxStringLength));
    while (t.size() < static_cast<size_t>(CharString::kMaxStringLength))
        t += "a ";
    const WordList words = SplitWords(CharString(t.data(), static_cast<int32_t>(t.size())));
    EXPECT_EQ(words.length(), CharString::kMaxStringLength);
    EXPECT_EQ(Text(words.right(4)), "a\r\na");
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
