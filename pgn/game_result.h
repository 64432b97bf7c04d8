#pragma once
// A game's result as its Result tag gives it: read once here for the filters that choose the games
// and for the line that tells the result at a game's end.

#include <cstdint>

enum class GameResult : uint8_t { Missing, WhiteWins, BlackWins, Draw, Unfinished, Other };

// The result a Result tag's value names, spaces around it allowed; "½-½" is a draw too.
GameResult ResultOfValue(const char* bytes, int32_t count);

// A win for one side, or a draw.
bool IsDecided(GameResult result);
