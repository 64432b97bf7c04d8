#pragma once
// Reads the games of a file in order, one pass, through the saver's own reader: each game is
// parsed with the same GameInfo as the games before it, so the texts carry over as the saver
// shows them when it plays the file from game 0.

#include <cstdint>
#include <memory>

#include "chess/game_state.h"
#include "pgn/pgn_game_stream.h"
#include "pgn/pgn_reader.h"
#include "text/char_string.h"

struct GameWalk {
    const CharString* text;  // the whole text, or the stream's window
    GameTextCursor cursor;
    GameStream* stream;                // null when the walk is over a whole text
    std::unique_ptr<GameState> state;  // the last game read, on its final decoded position
    GameInfo info;
    int32_t number;  // of the last game read; -1 before the first
    GameSpan span;   // of the last game read, in text; the outcome's offsets count from its start
    ParseOutcome outcome;
    GameFactsWanted wanted;
};

// A walk before the first game of text, which must outlive it.
GameWalk StartWalk(const CharString& text, GameFactsWanted wanted = GameFactsWanted::All);

// A walk before the stream's next game; the stream must outlive it.
GameWalk StartWalk(GameStream& stream, GameFactsWanted wanted);

// Reads the next game; false after the last. Leaves its final decoded position on the board with
// moveCount set, so that ReplayPlies can step back through it.
bool NextGame(GameWalk& walk);

// The first byte of the last game read, which runs for walk.span.length bytes.
inline const char* GameBytes(const GameWalk& walk) {
    return walk.text->chars() + walk.span.start;
}
