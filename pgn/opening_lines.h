#pragma once
// The named-openings table as the build generates it from games/openings (make_opening_lines.py):
// the families' names, and one record per named line, sorted by moves, each line giving only the
// moves after those it shares with the line before:
//     "<eco> <family index> <shared plies> <moves...>\t<rest of the name>\n"

#include <cstdint>

extern const char* const kOpeningFamilies[];
extern const int32_t kOpeningFamilyCount;
extern const char kOpeningLines[];
extern const int32_t kOpeningLineCount;
