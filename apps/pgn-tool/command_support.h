#pragma once
// What the commands share: reading their file argument and a game's texts.

#include <cstdint>
#include <string>

#include "apps/pgn-tool/commands.h"
#include "apps/pgn-tool/game_walk.h"
#include "text/char_string.h"

// A non-negative decimal number; false for anything else.
bool ParseCount(const std::string& word, int32_t& value);

std::string Text(const CharString& s);

// A GameInfo field as bytes, up to its terminator.
std::string FieldText(const char* field, size_t width);

#define QV_FIELD(info, name) FieldText((info).name, sizeof((info).name))

// The first refused token of the game last read, or the empty string.
std::string RefusedToken(const GameWalk& walk);

// Writes out to stdout and empties it.
void Flush(std::string& out);
