#pragma once
// Where the lines around a full-screen board stand: the classic five (Black's name above the
// board, White's below, then date, event and site) and the ones a user may add: the result at a
// game's end and the opening above Black's name, the board's coordinates, each side's clock beside
// its name, the last move under White's name. With none of them on, the classic bands stand as
// they always have; with some on, the board moves so that the whole block fits the screen.

#include <cstdint>

#include "display/board_layout.h"

// The lines a screen shows, from the settings.
struct LineSet {
    bool info;  // the players, date, event and site
    bool result;
    bool opening;
    bool coordinates;
    bool clocks;
    bool lastMove;
};

enum class ScreenLine : int32_t {
    Result = 0,
    Opening,
    BlackName,
    BlackClock,
    WhiteName,
    WhiteClock,
    LastMove,
    Date,
    Event,
    Site,
    Files,  // a to h, under the board
};

// The band of a line around the board (its clock beside the name, to the right of the board).
// Lines that are not in the set still get their band, where they would stand.
TextBand LineBand(const BoardLayout& board, const LineSet& lines, ScreenLine line);

// The band of one rank's number (rank 0 is the first rank), left of the board; and of one file's
// letter, under the board.
TextBand RankBand(const BoardLayout& board, int32_t rank);
TextBand FileBand(const BoardLayout& board, const LineSet& lines, int32_t file);

// The font height of the coordinates, smaller than the information font.
int32_t CoordinateFontHeight(int32_t cellSize);

// Whether the set shows the line.
bool IsShown(const LineSet& lines, ScreenLine line);

// What the lines of the set cover above and below the board's top, at the board's cell size.
struct LineExtent {
    int32_t above;  // pixels above the board's top
    int32_t below;  // pixels below the board's top
};
LineExtent LinesExtent(const LineSet& lines, int32_t cellSize);

// The board of a full-screen layout moved up or down so that the lines of the set fit an area of
// height pixels whose top is areaTop: unchanged when they already do, as the classic lines always
// have on the screens they were made for; else the block of board and lines centred, or pinned to
// the top when it is taller than the area.
BoardLayout FitLinesVertically(const BoardLayout& board, const LineSet& lines, int32_t areaTop,
                               int32_t height);
