#pragma once
// What list takes from a settings file of Name=value lines (the native saver's file): the game
// file or folder, the order, the filters and where the saver stands. Names match whatever their
// case and the last line of a name wins; lines starting with # or ; are comments; a value that is
// not a whole number where one is wanted leaves the setting as it was.

#include <string>

#include "display/game_chooser.h"

struct ListSettings {
    std::string path;  // "Path to PGN file"; a leading ~/ is the home folder
    GameOrder order = GameOrder::FileOrder;
    GameFilters filters;
    ResumePoint at;
};

// Reads the file at path over settings; false with a one-line reason when it cannot be read.
bool ReadListSettings(const std::string& path, ListSettings& settings, std::string& error);

// The same over a file's text.
void ApplyListSettings(const std::string& text, ListSettings& settings);
