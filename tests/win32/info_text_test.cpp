// Unicode information lines drawn in runs, on memory surfaces: each run in a font that has its
// letters, Arabic joined and right-to-left text in its order, and the measure the fitting of lines
// relies on. The references are drawn by plain GDI calls in fonts the test picks itself, and the
// right-to-left ones from glyphs shaped by hand.

#include "win32/info_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "saver_window_harness.h"

namespace {

constexpr int32_t kFontHeight = 24;
constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 48;
constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

// The pixels of a drawing, black where nothing was drawn.
struct Picture {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;

    uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

HFONT TestFont(const wchar_t* face, BYTE charset) {
    return CreateFontW(kFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

// White on black with the information font selected, as the saver's surface has it.
template <typename Draw>
Picture DrawOnSurface(Draw draw) {
    Surface surface(kWidth, kHeight);
    HFONT font = CreateInfoFont(kFontHeight);
    HGDIOBJ previous = SelectObject(surface.dc, font);
    SetTextColor(surface.dc, RGB(255, 255, 255));
    SetBkColor(surface.dc, RGB(0, 0, 0));
    draw(surface.dc);
    GdiFlush();
    Picture picture{kWidth, kHeight, {surface.pixels, surface.pixels + kWidth * kHeight}};
    SelectObject(surface.dc, previous);
    DeleteObject(font);
    return picture;
}

Picture DrawnByInfoText(const std::string& utf8, RECT rect = {0, 0, kWidth, kHeight},
                        UINT format = kCentred) {
    return DrawOnSurface([&](HDC dc) {
        InfoFonts fonts{};
        fonts.height = kFontHeight;
        DrawInfoText(dc, &fonts, utf8.data(), static_cast<int32_t>(utf8.size()), rect, format);
        ReleaseInfoFonts(fonts);
    });
}

// The text by DrawTextW alone, in one font.
Picture DrawnPlainly(const std::wstring& text, const wchar_t* face, BYTE charset,
                     RECT rect = {10, 0, kWidth, kHeight}, UINT format = DT_VCENTER) {
    return DrawOnSurface([&](HDC dc) {
        HFONT font = TestFont(face, charset);
        HGDIOBJ previous = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect,
                  format | DT_SINGLELINE | DT_NOPREFIX);
        DeleteObject(SelectObject(dc, previous));
    });
}

// The glyphs the font maps these characters to, drawn left to right with no shaping.
Picture DrawnAsGlyphs(const std::wstring& characters, BYTE charset) {
    return DrawOnSurface([&](HDC dc) {
        HFONT font = TestFont(L"", charset);
        HGDIOBJ previous = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        std::vector<WORD> glyphs(characters.size());
        GetGlyphIndicesW(dc, characters.data(), static_cast<int>(characters.size()), glyphs.data(),
                         0);
        ExtTextOutW(dc, 10, 10, ETO_GLYPH_INDEX, nullptr,
                    reinterpret_cast<const WCHAR*>(glyphs.data()), static_cast<UINT>(glyphs.size()),
                    nullptr);
        DeleteObject(SelectObject(dc, previous));
    });
}

// Whether the font has a glyph for every character.
bool FontHas(const wchar_t* face, BYTE charset, const std::wstring& text) {
    Surface surface(1, 1);
    HFONT font = TestFont(face, charset);
    HGDIOBJ previous = SelectObject(surface.dc, font);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(surface.dc, text.data(), static_cast<int>(text.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    DeleteObject(SelectObject(surface.dc, previous));
    for (const WORD glyph : glyphs) {
        if (glyph == 0xFFFF) return false;
    }
    return true;
}

// The smallest rectangle holding every drawn pixel, with the pixels in it.
struct Ink {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = -1;  // inclusive; right < left when nothing was drawn
    int32_t bottom = -1;
    std::vector<uint32_t> pixels;

    int32_t Width() const { return right - left + 1; }
    bool operator==(const Ink& other) const {
        return Width() == other.Width() && bottom - top == other.bottom - other.top &&
               pixels == other.pixels;
    }
};

Ink InkOf(const Picture& picture) {
    Ink ink{picture.width, picture.height, -1, -1, {}};
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == 0) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    for (int32_t y = ink.top; y <= ink.bottom; ++y) {
        for (int32_t x = ink.left; x <= ink.right; ++x)
            ink.pixels.push_back(picture.At(x, y));
    }
    return ink;
}

bool MatchesAt(const Picture& picture, const Ink& ink, int32_t left, int32_t top) {
    const int32_t height = ink.bottom - ink.top + 1;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < ink.Width(); ++x) {
            if (picture.At(left + x, top + y) !=
                ink.pixels[static_cast<size_t>(y * ink.Width() + x)])
                return false;
        }
    }
    return true;
}

// The column where the ink appears, pixel for pixel, in the picture; -1 when it does not.
int32_t FindInk(const Picture& picture, const Ink& ink) {
    if (ink.pixels.empty()) return -1;
    for (int32_t top = 0; top + ink.bottom - ink.top < picture.height; ++top) {
        for (int32_t left = 0; left + ink.Width() <= picture.width; ++left) {
            if (MatchesAt(picture, ink, left, top)) return left;
        }
    }
    return -1;
}

// A word of one script, and the font the platform gives that script, which must have it.
struct Word {
    const char* utf8;
    std::wstring wide;
    const wchar_t* face;
    BYTE charset;
};

const Word kLatin{"Ivanov", L"Ivanov", L"Palatino Linotype", DEFAULT_CHARSET};
const Word kCyrillic{"Иван", L"\u0418\u0432\u0430\u043D", L"Palatino Linotype", DEFAULT_CHARSET};
const Word kHan{"伊万", L"\u4F0A\u4E07", L"", GB2312_CHARSET};
// Alef with hamza below, yeh, feh, alef, noon: "Ivan".
const Word kArabic{"\xD8\xA5\xD9\x8A\xD9\x81\xD8\xA7\xD9\x86", L"\u0625\u064A\u0641\u0627\u0646",
                   L"", ARABIC_CHARSET};

TEST(InfoText, EachRunOfAMixedLineIsDrawnInAFontThatHasItsLetters) {
    for (const Word* word : {&kLatin, &kCyrillic, &kHan, &kArabic}) {
        ASSERT_TRUE(FontHas(word->face, word->charset, word->wide))
            << "no font here for " << word->utf8;
    }
    ASSERT_FALSE(FontHas(kLatin.face, kLatin.charset, kHan.wide + kArabic.wide))
        << "the information font has every letter: nothing would need a second font";
    const struct {
        const char* name;
        std::string line;
        std::vector<const Word*> leftToRight;
    } cases[] = {
        {"four scripts",
         "Ivanov Иван 伊万 " + std::string(kArabic.utf8),
         {&kLatin, &kCyrillic, &kHan, &kArabic}},
        {"a line that starts in Arabic reads right to left",
         std::string(kArabic.utf8) + " Ivanov",
         {&kLatin, &kArabic}},
        {"Arabic between Cyrillic and Han",
         "Иван " + std::string(kArabic.utf8) + " 伊万",
         {&kCyrillic, &kArabic, &kHan}},
    };
    for (const auto& c : cases) {
        const Picture line = DrawnByInfoText(c.line);
        int32_t previousColumn = -1;
        for (const Word* word : c.leftToRight) {
            const Ink alone = InkOf(DrawnPlainly(word->wide, word->face, word->charset));
            const int32_t column = FindInk(line, alone);
            EXPECT_GT(column, previousColumn)
                << c.name << ": " << word->utf8 << " is not drawn as in its own font, or not after "
                << "the word before it";
            previousColumn = std::max(previousColumn, column);
        }
    }
}

TEST(InfoText, OneFontForTheWholeLineWouldShowBoxes) {
    const std::wstring line = L"Ivanov \u0418\u0432\u0430\u043D \u4F0A\u4E07 " + kArabic.wide;
    const Picture oneFont =
        DrawnPlainly(line, kLatin.face, kLatin.charset, {0, 0, kWidth, kHeight}, kCentred);
    const Picture inRuns = DrawnByInfoText("Ivanov Иван 伊万 " + std::string(kArabic.utf8));
    EXPECT_TRUE(oneFont.pixels != inRuns.pixels);
    for (const Word* word : {&kHan, &kArabic}) {
        const Ink alone = InkOf(DrawnPlainly(word->wide, word->face, word->charset));
        EXPECT_LT(FindInk(oneFont, alone), 0) << word->utf8 << " drawn right in the one font";
    }
}

TEST(InfoText, RightToLeftWordsAreShapedAndReversed) {
    const struct {
        const char* name;
        std::string utf8;
        std::wstring leftToRightForms;  // shaped by hand: the presentation forms as seen
        std::wstring logical;
        BYTE charset;
    } cases[] = {
        // Noon alone, alef final, feh medial, yeh initial, alef with hamza below alone.
        {"Arabic, joined", kArabic.utf8, L"\uFEE5\uFE8E\uFED4\uFEF3\uFE87", kArabic.wide,
         ARABIC_CHARSET},
        {"Hebrew", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", L"\u05DD\u05D5\u05DC\u05E9",
         L"\u05E9\u05DC\u05D5\u05DD", HEBREW_CHARSET},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(FontHas(L"", c.charset, c.leftToRightForms + c.logical)) << c.name;
        const Ink drawn = InkOf(DrawnByInfoText(c.utf8));
        const Ink byHand = InkOf(DrawnAsGlyphs(c.leftToRightForms, c.charset));
        const Ink oneByOne = InkOf(DrawnAsGlyphs(c.logical, c.charset));
        ASSERT_FALSE(byHand == oneByOne) << c.name << ": the hand-shaped word shows no change";
        EXPECT_TRUE(drawn == byHand) << c.name << ": not as shaped by hand";
    }
}

// Placed as DrawTextW places them: the same rows, and the same columns give or take the pixel that
// the font's kerning moves (Uniscribe under Wine applies it, DrawTextW does not).
TEST(InfoText, LinesInOneFontStandWhereDrawTextPutsThem) {
    const std::wstring tal = L"\u041C\u0438\u0445\u0430\u0438\u043B \u0422\u0430\u043B\u044C";
    const struct {
        const char* name;
        std::string utf8;
        std::wstring wide;
        RECT rect;
        UINT format;
    } cases[] = {
        {"centred", "Михаил Таль", tal, {100, 4, 400, 44}, kCentred},
        {"right-aligned",
         "Михаил Таль",
         tal,
         {100, 4, 400, 44},
         DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
        {"at the left and top", "Михаил Таль", tal, {100, 4, 400, 44}, DT_SINGLELINE},
        {"wider than its band: cut at both ends", "Михаил Таль", tal, {200, 10, 260, 30}, kCentred},
        {"an ampersand is a letter",
         "Таль & Co",
         L"\u0422\u0430\u043B\u044C & Co",
         {100, 4, 400, 44},
         kCentred},
    };
    for (const auto& c : cases) {
        const Ink plain =
            InkOf(DrawnPlainly(c.wide, kLatin.face, kLatin.charset, c.rect, c.format));
        const Ink drawn = InkOf(DrawnByInfoText(c.utf8, c.rect, c.format));
        EXPECT_EQ(drawn.top, plain.top) << c.name;
        EXPECT_EQ(drawn.bottom, plain.bottom) << c.name;
        EXPECT_NEAR(drawn.left, plain.left, 1) << c.name;
        EXPECT_NEAR(drawn.right, plain.right, 1) << c.name;
        EXPECT_GE(drawn.left, c.rect.left) << c.name;
        EXPECT_LT(drawn.right, c.rect.right) << c.name;
    }
    // Bytes that are not UTF-8 are the 8-bit code page's, drawn by the 8-bit call as ever.
    const std::string latin1 = "D\xFCsseldorf";
    const RECT rect{100, 4, 400, 44};
    const Picture narrow = DrawOnSurface([&](HDC dc) {
        RECT drawn = rect;
        DrawTextA(dc, latin1.data(), static_cast<int>(latin1.size()), &drawn, kCentred);
    });
    EXPECT_TRUE(DrawnByInfoText(latin1, rect).pixels == narrow.pixels);
}

TEST(InfoText, TheMeasureIsTheWidthOfTheInk) {
    const std::string lines[] = {"Ivanov Иван 伊万 " + std::string(kArabic.utf8), kArabic.utf8,
                                 "Михаил Таль", "丁立人", "D\xFCsseldorf"};
    for (const std::string& line : lines) {
        const RECT left{10, 0, kWidth, kHeight};
        const Ink ink = InkOf(DrawnByInfoText(line, left, DT_VCENTER | DT_SINGLELINE));
        int32_t measured = 0;
        DrawOnSurface([&](HDC dc) {
            InfoFonts fonts{};
            fonts.height = kFontHeight;
            measured = InfoTextWidth(dc, &fonts, line.data(), static_cast<int32_t>(line.size()));
            ReleaseInfoFonts(fonts);
        });
        // The first and last letters' side bearings: a pixel or two each.
        EXPECT_NEAR(measured, ink.Width(), 3) << line;
        EXPECT_NEAR(ink.left, 10, 2) << line << ": not drawn from the left edge";
    }
}

}  // namespace
