#pragma once
// The texts of the lines that tell more about the game on screen, for the game at a position:
// the players with titles and ratings, their clocks, the opening reached, the last move and, at
// the game's own end only, the result. Each is a text of the game file's bytes (a name may be in
// any 8-bit encoding; DrawnTextUtf8 makes it drawable), except the result line, which is always
// UTF-8 ("½-½"). An empty text means the line has nothing to say at this position.

#include <cstdint>

#include "pgn/game_info.h"
#include "text/char_string.h"

enum class GameLine {
    WhitePlayer,  // "GM Magnus Carlsen 2830": title and rating where the tags give them
    BlackPlayer,
    WhiteClock,  // "1:23:45", "5:07" or "0:09.5": the time left after the side's latest move
    BlackClock,  //   that had a [%clk] comment
    Opening,     // "C42 Petrov's Defense: Classical Attack"
    LastMove,    // "23. Rxe6+" or "23... Rxe6+": the move that led to this position
    Result,      // "1-0, checkmate", "½-½, stalemate", "0-1, time forfeit": final position only
};

// The line's text for the game of info at position ply (0 is the start position; the final
// position is info.facts.plyCount). A ply beyond the game is read as its final position.
CharString GameLineText(const GameInfo& info, GameLine line, int32_t ply);

// A time left in tenths of a second as a clock shows it: hours only when there are some, tenths
// only when the file wrote them.
CharString ClockText(int32_t tenths, bool withTenths);
