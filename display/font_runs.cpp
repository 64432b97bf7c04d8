#include "display/font_runs.h"

namespace {

int32_t FirstFont(uint32_t fontsWith) {
    for (int32_t font = 0; font < kMaxRunFonts; ++font) {
        if ((fontsWith & (uint32_t{1} << font)) != 0) return font;
    }
    return 0;
}

bool StaysIn(const CharacterFonts& character, int32_t font) {
    if (character.isLetter) return false;
    return character.fontsWith == 0 || (character.fontsWith & (uint32_t{1} << font)) != 0;
}

}  // namespace

std::vector<FontRun> SplitFontRuns(const std::vector<CharacterFonts>& characters) {
    std::vector<FontRun> runs;
    int32_t at = 0;
    for (const CharacterFonts& character : characters) {
        if (!runs.empty() && (StaysIn(character, runs.back().font) ||
                              FirstFont(character.fontsWith) == runs.back().font)) {
            ++runs.back().length;
        } else {
            runs.push_back(FontRun{at, 1, FirstFont(character.fontsWith)});
        }
        ++at;
    }
    return runs;
}
