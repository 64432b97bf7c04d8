#pragma once
// The module's description for XScreenSaver's settings panel (quorvane.xml, made at build time):
// a widget for every setting switch of the given rows, so the panel offers each setting.

#include <span>
#include <string>

#include "display/settings_table.h"

// The XML text: the module's name, the --root every run gets, then a <file> for a Path, a
// <select> for a Choice, a <boolean> for a Flag, a <number> slider for a Number and a <string> for
// a Text or a Colour, each setting its row's switch; and the description text.
std::string XScreenSaverDescription(std::span<const SettingRow> rows);
