#pragma once
// The current game's texts for display, read from its tags and move text.

#include "pgn/game_facts.h"

// The five classic fields, cut to their width, are never cleared between games (a game
// overwrites only the fields whose tags it has): the saver's four classic lines show them so.
// facts is the game's own, read anew with every game.
struct GameInfo {
    char white[51];
    char black[51];
    char date[11];
    char event[51];
    char site[51];
    GameFacts facts;
};
