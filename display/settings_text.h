#pragma once
// The settings as a text file of Name=value lines, with the registry's value names (the settings
// table's): reading them over a settings record, writing them all out, and writing the game
// number back while keeping every other line. A line ends at LF, CR or CR LF.

#include <cstdint>

#include "display/settings.h"
#include "text/char_string.h"

// Reads every known "Name=value" line of text into settings, as the registry store reads its
// values: a name matches whatever its case, the last line of a name wins, and a value of the
// wrong kind (a number that is not one whole 32-bit number, a text of kPathCapacity characters or
// more) leaves the field as it was; a colour may also be written #RRGGBB. Blank lines, lines
// starting with # or ;, lines without = and unknown names are passed over. Text values are taken
// one byte per character.
void ApplySettingsText(SaverSettings& settings, const CharString& text);

// text with the lines of the saver's place (the game number, and with a folder or a shuffled
// round the file, seed and position) holding settings' values: every such line's value replaced,
// and a line added at the end, ended as the file's first line is, for a value the file has no
// line for (but for a file, seed or position at its default). Every other byte stays as it was.
CharString WithKeptSettings(const CharString& text, const SaverSettings& settings);

// Every setting as a "Name=value" line, in the table's order, that ApplySettingsText reads back
// to the same record: numbers in decimal, colours as 0x00BBGGRR, texts one byte per character.
CharString SettingsFileText(const SaverSettings& settings);

// The number of a value: decimal with an optional sign, or hexadecimal after 0x, spaces around
// it allowed; anything outside -2147483648 .. 4294967295 or with other characters is refused.
// A number above 2147483647 keeps its 32 bits, as a registry DWORD does.
bool ParseSettingNumber(const CharString& value, uint32_t& number);

// A colour as X programs write it, #RRGGBB, as the 0x00BBGGRR the settings hold; false for any
// other text.
bool ParseHashColour(const CharString& value, uint32_t& colour);
