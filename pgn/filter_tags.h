#pragma once
// The few tags the game filters look at (White, Black, WhiteElo, BlackElo, Result), read from one
// game's tag section as ParseGame reads tags: names without regard to ASCII case, values with
// their surrounding double quotes taken off as the screen shows them, and the last tag of a name
// counting. The move text is not read.

#include <cstdint>
#include <string>

#include "pgn/game_result.h"

// A run of bytes, in the game's text or in the scratch below.
struct TagValueRun {
    const char* bytes;
    int32_t count;
};

struct FilterTags {
    uint16_t whiteElo;  // 0 when missing or not a whole number from 1 to 65535
    uint16_t blackElo;
    GameResult result;  // None when there is no Result tag
    bool hasWhite;
    bool hasBlack;
    TagValueRun white;  // valid while the text and the scratch are
    TagValueRun black;
};

// Room for a tag pair that holds a [ of its own: the reader gathers its name and value from
// several runs then, as ParseGame does. Reused from game to game so that such pairs allocate once.
struct TagScratch {
    std::string name;
    std::string value;
    std::string white;
    std::string black;
};

// Reads the tag pairs of the game in bytes[0, count), up to where its move text begins.
FilterTags ReadFilterTags(const char* bytes, int32_t count, TagScratch& scratch);

// A rating value: a whole number from 1 to 65535, spaces around it allowed; 0 for anything else.
uint16_t RatingOfValue(const char* bytes, int32_t count);
