#pragma once
// The settings as a text file of Name=value lines, with the registry's value names: reading them
// over a settings record, and writing the game number back while keeping every other line.

#include <cstdint>

#include "display/settings.h"
#include "text/char_string.h"

// Name of the line that holds the game to continue with.
constexpr const char* kGameNumberName = "Current game number";

// Reads every known "Name=value" line of text into settings, as the registry store reads its
// values: a name matches whatever its case, the last line of a name wins, and a value of the
// wrong kind (a number that is not one whole 32-bit number, a text of kPathCapacity characters or
// more) leaves the field as it was. Blank lines, lines starting with # or ;, lines without = and
// unknown names are passed over. Text values are taken one byte per character.
void ApplySettingsText(SaverSettings& settings, const CharString& text);

// text with every "Current game number" line's value replaced by number, or with one such line
// added at the end when there is none; every other byte of text stays as it was.
CharString WithCurrentGameNumber(const CharString& text, int32_t number);

// The number of a value: decimal with an optional sign, or hexadecimal after 0x, spaces around
// it allowed; anything outside -2147483648 .. 4294967295 or with other characters is refused.
// A number above 2147483647 keeps its 32 bits, as a registry DWORD does.
bool ParseSettingNumber(const CharString& value, uint32_t& number);
