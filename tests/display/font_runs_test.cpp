// Runs of one font over a line: four fonts, 0 the information font, 1 a fallback with Latin and
// Cyrillic, 2 one with Han, 3 one with Arabic; each character written as a letter of its class.

#include "display/font_runs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CharacterClass {
    char code;
    CharacterFonts fonts;
};

constexpr CharacterClass kClasses[] = {
    {'L', {0b0011, true}},   // Latin letter, in the information font and the fallback
    {'C', {0b0010, true}},   // Cyrillic letter the information font lacks
    {'H', {0b0100, true}},   // Han
    {'A', {0b1000, true}},   // Arabic letter
    {'x', {0b1111, true}},   // a letter every font has
    {'?', {0b0000, true}},   // a letter no font has
    {' ', {0b1111, false}},  // space
    {',', {0b0001, false}},  // punctuation only the information font has
    {'m', {0b1001, false}},  // an Arabic mark the information font has too
    {'j', {0b0000, false}},  // a joiner, or half a surrogate pair: asked of no font
};

const CharacterClass& ClassOf(char code) {
    for (const CharacterClass& c : kClasses) {
        if (c.code == code) return c;
    }
    ADD_FAILURE() << "no class " << code;
    return kClasses[0];
}

// The font of each character, as digits.
std::string FontsOf(const std::string& text) {
    std::vector<CharacterFonts> characters;
    for (const char code : text)
        characters.push_back(ClassOf(code).fonts);
    std::string fonts;
    for (const FontRun& run : SplitFontRuns(characters)) {
        EXPECT_EQ(run.start, static_cast<int32_t>(fonts.size())) << text << ": runs leave a gap";
        fonts += std::string(static_cast<size_t>(run.length), static_cast<char>('0' + run.font));
    }
    return fonts;
}

TEST(FontRuns, EachLetterInTheFirstFontThatHasItOthersStayInTheirRun) {
    const struct {
        const char* name;
        std::string text;
        std::string fonts;
    } cases[] = {
        {"one font for all", "LLL LL", "000000"},
        {"a space stays with the Latin before it", "LLL HH", "000022"},
        {"and with the Han before it", "HH LL", "22200"},
        {"a letter every font has goes back to the first", "LHx", "020"},
        {"Cyrillic in the fallback, its space too", "CC LL", "11100"},
        {"punctuation the run's font lacks starts a run", "HH, L", "22000"},
        {"a mark stays on its Arabic letter", "AmA", "333"},
        {"a joiner no font has stays in the word", "AjA", "333"},
        {"a letter no font has goes to the first font", "HH?", "220"},
        {"a line that starts with a mark takes its first font", "mAA", "033"},
        {"a line that starts with a joiner", "jHH", "022"},
        {"empty", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FontsOf(c.text), c.fonts) << c.name << ": " << c.text;
}

}  // namespace
