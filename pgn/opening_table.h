#pragma once
// The named openings, found by the key of a position. The table is built once, at first use, by
// playing every named line on a board; later lookups are one probe of a hash table.

#include <cstdint>
#include <string_view>

#include "chess/position_key.h"

struct NamedOpening {
    std::string_view eco;        // "C42"
    std::string_view family;     // "Petrov's Defense"
    std::string_view variation;  // "Classical Attack"; empty for a family's own position
    int32_t plies;               // of the named line: the deeper, the more particular the name
};

// The index of the opening whose position has the key, or -1 when that position is not named.
int32_t FindOpening(PositionKey key);

// The opening of an index FindOpening gave.
NamedOpening OpeningAt(int32_t index);

// For each position p of a game, from 0 to count - 1: the deepest named opening (the one of
// the longest line) among positions 0 to p, or -1 while none is named. The name a game shows
// grows as it reaches deeper named positions and stays when it leaves the table.
void ClassifyPositions(const PositionKey* keys, int32_t count, int16_t* openingByPly);

// What the built table holds, for tests and measurements.
struct OpeningTableSummary {
    int32_t lines;       // named lines read
    int32_t positions;   // distinct positions they reach
    int32_t unplayable;  // lines whose moves could not be played (none, in a sound table)
};
OpeningTableSummary SummarizeOpeningTable();
