#include "text/char_string.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Str(const CharString& s) {
    return std::string(s.chars(), static_cast<size_t>(s.length()));
}

TEST(CharString, EmptyStringsHoldOnlyTheTerminator) {
    const CharString byDefault;
    const CharString fromEmptyText("");
    const CharString fromNull(static_cast<const char*>(nullptr));
    for (const CharString* s : {&byDefault, &fromEmptyText, &fromNull}) {
        EXPECT_EQ(s->length(), 0);
        ASSERT_NE(s->chars(), nullptr);
        EXPECT_EQ(s->chars()[0], 0);
    }
}

TEST(CharString, ConstructionStopsAtTheFirstZeroByte) {
    const char text[] = {'a', 'b', 0, 'c', 0};
    EXPECT_EQ(Str(CharString(text)), "ab");
}

struct Extraction {
    const char* name;
    CharString (*cut)(const CharString&);
    const char* source;
    const char* expected;
};

TEST(CharString, LeftRightAndMidClipOrGiveEmpty) {
    const std::vector<Extraction> cases = {
        {"left(0)", [](const CharString& s) { return s.left(0); }, "abc", ""},
        {"left(-3)", [](const CharString& s) { return s.left(-3); }, "abc", ""},
        {"left(100)", [](const CharString& s) { return s.left(100); }, "abc", "abc"},
        {"left(2)", [](const CharString& s) { return s.left(2); }, "abc", "ab"},
        {"right(2)", [](const CharString& s) { return s.right(2); }, "abc", "bc"},
        {"right(0)", [](const CharString& s) { return s.right(0); }, "abc", ""},
        {"right(9)", [](const CharString& s) { return s.right(9); }, "abc", "abc"},
        {"mid(1,-1)", [](const CharString& s) { return s.mid(1, -1); }, "abc", "bc"},
        {"mid(3,0)", [](const CharString& s) { return s.mid(3, 0); }, "abc", ""},
        {"mid(3,-1)", [](const CharString& s) { return s.mid(3, -1); }, "abc", ""},
        {"mid(-1,2)", [](const CharString& s) { return s.mid(-1, 2); }, "abc", ""},
        {"mid(1,-2)", [](const CharString& s) { return s.mid(1, -2); }, "abc", ""},
        {"mid(1,10)", [](const CharString& s) { return s.mid(1, 10); }, "abc", "bc"},
        {"mid(0,-1) of empty", [](const CharString& s) { return s.mid(0, -1); }, "", ""},
        {"mid(1,1)", [](const CharString& s) { return s.mid(1, 1); }, "abc", "b"},
    };
    for (const Extraction& c : cases) {
        const CharString source(c.source);
        EXPECT_EQ(Str(c.cut(source)), c.expected) << c.name;
        EXPECT_EQ(Str(source), c.source) << c.name << " must leave its source alone";
    }
}

TEST(CharString, TrimmingRemovesSpacesOnly) {
    struct Case {
        const char* source;
        const char* left;
        const char* right;
        const char* both;
    };
    const std::vector<Case> cases = {
        {"  a ", "a ", "  a", "a"},
        {"  a b  ", "a b  ", "  a b", "a b"},
        {"   ", "", "", ""},
        {"", "", "", ""},
        {"\ta\r", "\ta\r", "\ta\r", "\ta\r"},
        {" \na\n ", "\na\n ", " \na\n", "\na\n"},
    };
    for (const Case& c : cases) {
        CharString l(c.source);
        l.trimLeft();
        CharString r(c.source);
        r.trimRight();
        EXPECT_EQ(Str(l), c.left) << '"' << c.source << '"';
        EXPECT_EQ(Str(r), c.right) << '"' << c.source << '"';
        EXPECT_EQ(Str(CharString(c.source).trimmed()), c.both) << '"' << c.source << '"';
    }
}

TEST(CharString, UpperMapsAsciiLettersOnly) {
    EXPECT_EQ(Str(CharString("e8=q").upper()), "E8=Q");
    EXPECT_EQ(Str(CharString("\xe9z{`").upper()), "\xe9Z{`");
    EXPECT_FALSE(CharString("White").equals("WHITE"));
    EXPECT_TRUE(CharString("White").upper().equals("WHITE"));
}

TEST(CharString, EqualsIsExact) {
    EXPECT_TRUE(CharString().equals(""));
    EXPECT_TRUE(CharString().equals(nullptr));
    EXPECT_FALSE(CharString("OO").equals("OOO"));
    EXPECT_FALSE(CharString("OOO").equals("OO"));
    EXPECT_TRUE(CharString("OO").equals("OO"));
    EXPECT_FALSE(CharString("a").equals(""));
}

TEST(CharString, AppendingNothingChangesNothing) {
    CharString s("ab");
    s.appendChar(0);
    s.append(CharString());
    s.append("");
    s.append(static_cast<const char*>(nullptr));
    EXPECT_EQ(Str(s), "ab");
    s.appendChar('c');
    s.append(CharString("de"));
    s.append("f");
    EXPECT_EQ(Str(s), "abcdef");
    s.assignChar(0);
    EXPECT_EQ(Str(s), "");
    s.assignChar('x');
    EXPECT_EQ(Str(s), "x");
}

TEST(CharString, RemoveAllClosesTheGaps) {
    CharString capture("Nxe5");
    capture.removeAll('x');
    EXPECT_EQ(Str(capture), "Ne5");
    CharString quiet("e4");
    const char* before = quiet.chars();
    quiet.removeAll('+');
    EXPECT_EQ(Str(quiet), "e4");
    EXPECT_EQ(quiet.chars(), before) << "no occurrence must leave the buffer as it was";
    CharString all("xxx");
    all.removeAll('x');
    EXPECT_EQ(Str(all), "");
}

TEST(CharString, AssignWideKeepsTheLowByteOfEachUnit) {
    const WideChar text[] = {u'C', u':', 0x0141, u'\\', 0};
    CharString s;
    s.assignWide(text);
    EXPECT_EQ(Str(s), "C:A\\");
}

TEST(CharString, CopiesAreIndependent) {
    CharString a("abc");
    CharString b(a);
    CharString c;
    c = a;
    a.appendChar('d');
    EXPECT_EQ(Str(b), "abc");
    EXPECT_EQ(Str(c), "abc");
    EXPECT_NE(b.chars(), c.chars());
    CharString& alias = c;
    c = alias;  // self-assignment keeps the content
    EXPECT_EQ(Str(c), "abc");
    CharString moved(std::move(a));
    EXPECT_EQ(Str(moved), "abcd");
    EXPECT_EQ(a.length(), 0);  // NOLINT(bugprone-use-after-move): a moved-from string stays usable
    EXPECT_EQ(a.chars()[0], 0);
}

TEST(CharString, LengthIsCappedAtTheLimit) {
    const int32_t limit = CharString::kMaxStringLength;
    std::string big(static_cast<size_t>(limit) + 10, 'a');
    const CharString s(big.c_str());
    EXPECT_EQ(s.length(), limit);
    CharString full(s);
    full.append("b");
    EXPECT_EQ(full.length(), limit) << "an append past the limit is not performed";
    CharString almost(s.left(limit - 1));
    almost.append(CharString("bc"));
    EXPECT_EQ(almost.length(), limit - 1);
    almost.append("b");
    EXPECT_EQ(almost.length(), limit);
}

}  // namespace
