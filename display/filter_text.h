#pragma once
// The filters in words: the saver's error text when no game passes them, and why one game does
// not (quorvane-pgn list --why).

#include <string>

#include "pgn/game_list.h"

// Shown in place of the board when games there are but none passes the filters: a first line
// naming the file (or the folder, when folder), then one line per filter that is on.
std::string NoGamePassesText(const std::string& name, bool folder, const GameFilters& filters);

// The filters that refuse a game, with what the game has, on one line, such as
// "minimum rating 2700: White 2650, Black unrated; decisive games only: Result 1/2-1/2".
std::string RefusalText(const ListedGame& game, const GameFilters& filters);

// A Result as the tag writes it; "none" for a game without one, "other" for any other value.
const char* ResultText(GameResult result);
