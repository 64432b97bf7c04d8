#pragma once
// The current game's texts for display, read from its tags.

// Fixed fields, cut to their width, never cleared between games (a game overwrites only the
// fields whose tags it has).
struct GameInfo {
    char white[51];
    char black[51];
    char date[11];
    char event[51];
    char site[51];
};
