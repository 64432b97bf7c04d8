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
