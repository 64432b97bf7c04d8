#pragma once
// Finding the games of a PGN text. A game's text runs from the [ of its first tag pair up to the
// [ of the next game's first tag pair; a tag section counts as a game only once move text follows
// it, otherwise it merges with the next one.

#include <cstdint>

#include "text/char_string.h"

// The stretch of text holding game n (from 0), or the empty string when there is no game n; a
// copy of the span the cursor below finds for game n.
CharString ExtractGameText(const CharString& text, int32_t n);

// Where one game's text lies in the whole text.
struct GameSpan {
    int32_t start;
    int32_t length;
};

// Reads the games of a text one after the other in a single pass. The text must outlive the
// cursor.
struct GameTextCursor {
    const CharString* text;
    int32_t position;  // where the search for the next game starts
};

GameTextCursor FirstGameOf(const CharString& text);

// The next game's span, advancing the cursor past it; false when the text holds no further game.
bool NextGameSpan(GameTextCursor& cursor, GameSpan& span);
