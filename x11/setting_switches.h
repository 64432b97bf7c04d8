#pragma once
// The settings as command-line switches in XScreenSaver's style, one for each row of the settings
// table that names one: --pgn FILE, --pause 3, --info and --no-info, --background #RRGGBB. A
// switch overrides the settings file for one run; it is never written back.

#include <cstdint>
#include <string>
#include <vector>

#include "display/settings_table.h"

// One switch read from the command line, its value checked and converted.
struct SettingOverride {
    const SettingRow* row;
    uint32_t number;   // Colour, Flag, Choice and Number rows
    std::string text;  // Text and Path rows: one byte per character
};

// When words[at], with one dash or two, is a setting's switch: reads it and its value into
// overrides (a later switch of the same row wins), leaves at on the last word read and returns
// true; error tells why when the value is missing or refused. False for any other word.
bool ReadSettingSwitch(const std::vector<std::string>& words, size_t& at,
                       std::vector<SettingOverride>& overrides, std::string& error);

void ApplySettingOverrides(SaverSettings& settings, const std::vector<SettingOverride>& overrides);

// A colour of the settings (0x00BBGGRR) as X writes it: #rrggbb.
std::string HashColourText(uint32_t colour);

// One line for each setting's switch, with its help text and default, for --help.
std::string SettingSwitchesHelp();
