#include "text/case_fold.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <string>

namespace {

// Characters that fold to a letter without being its capital: the micro sign, İ, the long s and
// Greek's final sigma and symbol forms.
bool FoldsWithoutCapital(uint32_t c) {
    return c == 0xB5 || c == 0x130 || c == 0x17F || c == 0x3C2 || (c >= 0x3D0 && c <= 0x3D6) ||
           (c >= 0x3F0 && c <= 0x3F5);
}

bool Contains(const std::string& text, const std::string& wanted) {
    const FoldedNeedle needle = FoldedNeedleOf(wanted.data(), static_cast<int32_t>(wanted.size()));
    return ContainsFolded(text.data(), static_cast<int32_t>(text.size()), needle);
}

struct SearchCase {
    const char* name;
    std::string text;
    std::string wanted;
    bool found;
};

TEST(CaseFold, FindsATextWhateverTheCaseOfEither) {
    const SearchCase cases[] = {
        {"ASCII", "IVANOV, Ivan", "ivanov", true},
        {"ASCII inside", "Nepomniachtchi,Ian", "MNIACH", true},
        {"Cyrillic", "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2",  // Иванов
         "\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2", true},       // иванов
        {"Cyrillic Ё and ё", "\xD0\x81", "\xD1\x91", true},
        {"Cyrillic Ѣ and ѣ (alternating block)", "\xD1\xA2", "\xD1\xA3", true},
        {"Latin-1 Ä and ä", "\xC3\x84", "\xC3\xA4", true},
        {"Latin-1 Þ and þ", "\xC3\x9E", "\xC3\xBE", true},
        {"Ÿ and ÿ lie in different blocks", "\xC5\xB8", "\xC3\xBF", true},
        {"Latin Extended-A Ł and ł", "\xC5\x81ukasz", "\xC5\x82ukasz", true},
        {"Latin Extended-A Ľ and ľ (odd capitals)", "\xC4\xBD", "\xC4\xBE", true},
        {"İ folds to a plain i", "\xC4\xB0stanbul", "istanbul", true},
        {"Greek with tonos", "\xCE\x86\xCE\xBD\xCE\xBD\xCE\xB1", "\xCE\xAC\xCE\xBD\xCE\xBD\xCE\xB1",
         true},  // Άννα, άννα
        {"Greek final sigma matches sigma", "\xCE\xA3", "\xCF\x82", true},
        {"× is no capital of ÷", "\xC3\x97", "\xC3\xB7", false},
        {"ß has no one-letter capital",
         "Stra\xC3\x9F"
         "e",
         "STRASSE", false},
        {"code page 1252 text against a UTF-8 needle", "Jos\xC9", "jos\xC3\xA9", true},
        {"code page 1252 Š (0x8A)",
         "\x8A"
         "ahovi\x9A",
         "\xC5\xA1"
         "ahovi\xC5\xA1",
         true},
        {"a needle longer than the text", "Tal", "Tall", false},
        {"a near miss", "Carlsen", "carlsem", false},
        {"the search falls back inside a partial match", "aabaabaaab", "aabaaab", true},
        {"overlapping partial matches", "abababc", "ababc", true},
        {"the empty needle occurs everywhere", "", "", true},
    };
    for (const SearchCase& c : cases)
        EXPECT_EQ(Contains(c.text, c.wanted), c.found) << c.name;
}

TEST(CaseFold, UpperCaseUndoesEveryLetterPairOfTheFolding) {
    // Characters that fold without being a capital (micro sign, İ, long s, Greek variants) have
    // no way back; every other folded character must come back as itself.
    int pairs = 0;
    for (uint32_t c = 0; c < 0x0500; ++c) {
        const uint32_t lower = FoldedCodePoint(c);
        if (lower == c || FoldsWithoutCapital(c)) continue;
        EXPECT_EQ(UpperCodePoint(lower), c) << std::hex << c;
        EXPECT_EQ(FoldedCodePoint(lower), lower) << std::hex << c;
        ++pairs;
    }
    // ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic capitals: some 300.
    EXPECT_GT(pairs, 250);
    EXPECT_EQ(UpperCodePoint('q'), static_cast<uint32_t>('Q'));
    EXPECT_EQ(UpperCodePoint('_'), static_cast<uint32_t>('_'));
    EXPECT_EQ(UpperCodePoint(0x4E2D), 0x4E2Du);
}

#ifndef _WIN32
TEST(CaseFold, LowersEveryCapitalOfTheCoveredBlocksAsTheCLibraryDoes) {
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
    for (uint32_t c = 0; c < 0x0500; ++c) {
        const bool covered = c < 0x0180 || c >= 0x0370;  // not Latin Extended-B, IPA, accents
        if (!covered || FoldsWithoutCapital(c)) continue;
        EXPECT_EQ(FoldedCodePoint(c), static_cast<uint32_t>(std::towlower(static_cast<wint_t>(c))))
            << std::hex << c;
    }
    std::setlocale(LC_CTYPE, "C");
}
#endif

TEST(CaseFold, ReadsValidUtf8AsUtf8AndAnythingElseAsCodePage1252) {
    const std::string mixed = "\xC3\xA9\x80";  // é in UTF-8, then a byte that breaks it
    CharReader reader = CharReaderOver(mixed.data(), static_cast<int32_t>(mixed.size()));
    uint32_t c = 0;
    ASSERT_TRUE(NextChar(reader, c));
    EXPECT_EQ(c, 0xC3u);
    ASSERT_TRUE(NextChar(reader, c));
    EXPECT_EQ(c, 0xA9u);
    ASSERT_TRUE(NextChar(reader, c));
    EXPECT_EQ(c, 0x20ACu);  // the euro sign
    EXPECT_FALSE(NextChar(reader, c));
}

}  // namespace
