#pragma once
// The texts both front ends show instead of the board when the set-up fails.

// Shown when no skin loads.
constexpr const char* kSkinsMissingText = "Skins not found! Please reinstall the screen saver.";
// Shown by the Windows saver when the PGN file does not open.
constexpr const char* kPgnMissingText =
    "PGN file not found. Please open \"Settings dilog box\" for select (right click on desktop "
    "-> properties -> TAB \"Screen Saver\")";
// Shown when the PGN file's text does not fit in memory.
constexpr const char* kOutOfMemoryText = "Fatal error! Out of memory!";
