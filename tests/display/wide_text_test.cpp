#include "display/wide_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/display/wide_literal.h"

namespace {

// A full-size buffer holding text; the cells after the terminator hold a marker, so that a write
// past the text's end shows.
struct Buffer {
    WideChar chars[kPathCapacity];
};

constexpr WideChar kMarker = 0x7777;

Buffer Filled(const std::string& text) {
    Buffer buffer;
    for (WideChar& ch : buffer.chars)
        ch = kMarker;
    const WideText wide = Wide(text);
    for (size_t i = 0; i < wide.size(); ++i)
        buffer.chars[i] = wide[i];
    buffer.chars[wide.size()] = 0;
    return buffer;
}

bool SameCells(const Buffer& a, const Buffer& b) {
    for (int32_t i = 0; i < kPathCapacity; ++i) {
        if (a.chars[i] != b.chars[i]) return false;
    }
    return true;
}

struct CopyCase {
    const char* name;
    size_t sourceLength;
    bool fits;
};

TEST(WideText, CopyTakesTextsThatFitWithTheirTerminatorOnly) {
    const CopyCase cases[] = {{"empty", 0, true},
                              {"short", 12, true},
                              {"longest", 259, true},
                              {"one too long", 260, false},
                              {"far too long", 1000, false}};
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const WideText source = Wide(std::string(c.sourceLength, 'q'));
        Buffer dest = Filled("before");
        const Buffer original = dest;
        EXPECT_EQ(CopyWideText(dest.chars, source.c_str()), c.fits);
        if (c.fits) {
            EXPECT_EQ(Narrow(dest.chars), std::string(c.sourceLength, 'q'));
        } else {
            EXPECT_TRUE(SameCells(dest, original)) << "a refused copy changed the buffer";
        }
    }
}

struct AppendCase {
    const char* name;
    size_t haveLength;
    size_t addLength;
    bool fits;
};

TEST(WideText, AppendIsWholeOrRefused) {
    const AppendCase cases[] = {{"to empty", 0, 5, true},
                                {"exactly full", 200, 59, true},
                                {"one over", 200, 60, false},
                                {"nothing to add", 259, 0, true},
                                {"full buffer, one more", 259, 1, false}};
    for (const AppendCase& c : cases) {
        SCOPED_TRACE(c.name);
        Buffer dest = Filled(std::string(c.haveLength, 'a'));
        const Buffer original = dest;
        const WideText add = Wide(std::string(c.addLength, 'b'));
        EXPECT_EQ(AppendWideText(dest.chars, add.c_str()), c.fits);
        if (c.fits) {
            EXPECT_EQ(Narrow(dest.chars),
                      std::string(c.haveLength, 'a') + std::string(c.addLength, 'b'));
        } else {
            EXPECT_TRUE(SameCells(dest, original));
        }
    }
}

TEST(WideText, AppendRefusesToGrowAnUnterminatedBuffer) {
    Buffer dest;
    for (WideChar& ch : dest.chars)
        ch = 'z';
    const Buffer original = dest;
    EXPECT_FALSE(AppendAsciiText(dest.chars, ""));
    EXPECT_FALSE(AppendAsciiText(dest.chars, "x"));
    EXPECT_TRUE(SameCells(dest, original));
}

TEST(WideText, AsciiAppendWidensEachByte) {
    Buffer dest = Filled("C:");
    EXPECT_TRUE(AppendAsciiText(dest.chars, "\\Skin\\"));
    EXPECT_EQ(Narrow(dest.chars), "C:\\Skin\\");
    EXPECT_EQ(dest.chars[8], 0);
}

struct RegistryCase {
    const char* name;
    WideText data;
    int32_t byteCount;
    bool taken;
    std::string expected;
};

TEST(WideText, RegistryTextEndsAtItsTerminatorOrItsData) {
    const WideText terminated = Wide("Quorvane.bmp") + WideChar(0);
    const WideText unterminated = Wide("abc") + Wide("zzzz");
    const WideText embedded = Wide("ab") + WideChar(0) + Wide("cd") + WideChar(0);
    const WideText longest = Wide(std::string(259, 'x')) + WideChar(0);
    const WideText tooLong = Wide(std::string(260, 'x'));
    const RegistryCase cases[] = {
        {"with terminator", terminated, 26, true, "Quorvane.bmp"},
        {"size counts only three characters", unterminated, 6, true, "abc"},
        {"odd byte count drops the half character", unterminated, 7, true, "abc"},
        {"embedded zero ends the text", embedded, 10, true, "ab"},
        {"empty value", terminated, 0, true, ""},
        {"259 characters", longest, 520, true, std::string(259, 'x')},
        {"260 characters without terminator", tooLong, 520, false, "keep"},
        {"negative size", terminated, -2, false, "keep"}};
    for (const RegistryCase& c : cases) {
        SCOPED_TRACE(c.name);
        Buffer dest = Filled("keep");
        EXPECT_EQ(TakeRegistryText(dest.chars, kPathCapacity, c.data.c_str(), c.byteCount),
                  c.taken);
        EXPECT_EQ(Narrow(dest.chars), c.expected);
    }
}

TEST(WideText, DropTrailingBackslashRemovesOneAtMost) {
    const std::pair<const char*, const char*> cases[] = {{"D:\\Games\\Saver\\", "D:\\Games\\Saver"},
                                                         {"D:\\Games\\\\", "D:\\Games\\"},
                                                         {"D:\\Games", "D:\\Games"},
                                                         {"\\", ""},
                                                         {"", ""}};
    for (const auto& [given, expected] : cases) {
        SCOPED_TRACE(given);
        Buffer text = Filled(given);
        DropTrailingBackslash(text.chars, kPathCapacity);
        EXPECT_EQ(Narrow(text.chars), expected);
    }
}

TEST(WideText, ComposePathEmptiesTheBufferWhenTheWholeDoesNotFit) {
    const WideText folder = Wide("C:\\Quorvane");
    Buffer path = Filled("old");
    EXPECT_TRUE(ComposePath(path.chars, folder.c_str(), "\\Skin\\", Wide("Oak.bmp").c_str()));
    EXPECT_EQ(Narrow(path.chars), "C:\\Quorvane\\Skin\\Oak.bmp");

    // 11 + 6 + 242 = 259 characters fit; one more does not.
    EXPECT_TRUE(
        ComposePath(path.chars, folder.c_str(), "\\Skin\\", Wide(std::string(242, 'n')).c_str()));
    EXPECT_EQ(Narrow(path.chars).size(), 259u);
    path = Filled("old");
    EXPECT_FALSE(
        ComposePath(path.chars, folder.c_str(), "\\Skin\\", Wide(std::string(243, 'n')).c_str()));
    EXPECT_EQ(path.chars[0], 0);
    EXPECT_EQ(path.chars[259], kMarker) << "an over-long path wrote to the buffer's end";
}

}  // namespace
