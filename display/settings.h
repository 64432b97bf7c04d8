#pragma once
// The user settings of the saver: colours, what to show, the pause, the skin, the PGN file, the
// game to continue with, the board's size and the moves' slide, plus the installation folder
// every default path is built from. A plain value, copied freely.

#include <cstdint>

#include "display/wide_text.h"

struct SaverSettings {
    WideChar installPath[kPathCapacity];  // without a trailing backslash
    uint32_t fontColor;                   // 0x00BBGGRR
    uint32_t backgroundColor;             // 0x00BBGGRR
    int32_t showInfo;
    int32_t timeMode;  // 0 Small, 1 Medium, 2 Large
    int32_t currentGameNumber;
    WideChar pgnPath[kPathCapacity];
    WideChar skinName[kPathCapacity];  // file name inside the Skin folder
    int32_t randomSkin;
    int32_t showLastMove;
    int32_t fitBoard;      // full-screen board and texts scaled to the screen; 0 the classic size
    int32_t animateMoves;  // each move's piece slides to its square; 0 it jumps
    int32_t monitors;      // 0 the board on the primary monitor, 1 the same game on every
                           // monitor, 2 a game of its own on each
    int32_t drift;         // the board and its texts move a few pixels every few minutes
    // What the screen tells besides the players, date, event and site; all off by default, so
    // the classic screen stands as it always has.
    int32_t showResult;       // the result and how it ended, at a game's final position
    int32_t showRatings;      // titles and ratings beside the names
    int32_t showOpening;      // the opening reached, named
    int32_t showMoveText;     // the last move in notation, under the board
    int32_t showClocks;       // each side's time left, from the file's clock comments
    int32_t showCoordinates;  // a to h and 1 to 8 around the board
    int32_t gameOrder;        // 0 file order, 1 shuffled rounds
    int32_t minimumRating;    // above 0: only games whose players are both rated at least this
    int32_t decisiveOnly;     // only games won by one side
    WideChar player[kPathCapacity];       // not empty: only games of a player of this name
    WideChar currentFile[kPathCapacity];  // with a folder: the file currentGameNumber is in
    int32_t shuffleSeed;                  // the shuffled round's seed (its 32 bits); 0 before
    int32_t shufflePosition;              // the stored game's place in its round
};

// What joins the installation folder and a file in it, as the platform writes paths.
#ifdef _WIN32
constexpr const char* kFolderSeparator = "\\";
#else
constexpr const char* kFolderSeparator = "/";
#endif

// Every field but installPath to its default (display/settings_table.h); the PGN path is built
// from installPath as it is now. An installPath too long to take the separator and "varnoth.pgn"
// leaves pgnPath empty rather than cut short.
void SetDefaultSettings(SaverSettings& settings);
