#pragma once
// Which font draws each character of a line that no one font covers: the line is cut into runs
// of one font each, every letter in the first font that has it, and every other character (space,
// punctuation, digit, mark, joiner) in the font of the run before it when that font has it, so a
// word keeps its marks and joiners and a stretch of Chinese keeps its own spaces.

#include <cstdint>
#include <vector>

// At most this many fonts per line: one bit each in a character's mask.
constexpr int32_t kMaxRunFonts = 32;

// What the fonts know of one character.
struct CharacterFonts {
    uint32_t fontsWith;  // bit f set when font f has the character; bit 0 preferred, then up
    bool isLetter;       // false for the characters that may stay in the run before them
};

struct FontRun {
    int32_t start;
    int32_t length;
    int32_t font;
};

// Runs in text order covering every character. A letter no font has goes to font 0; any other
// character no font has stays in the run before it (a box in one font is as good as in another).
std::vector<FontRun> SplitFontRuns(const std::vector<CharacterFonts>& characters);
