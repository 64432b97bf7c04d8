#pragma once
// The texts of the five information lines around the full-screen board, as bytes of the game file.

#include "display/board_layout.h"
#include "pgn/pgn_reader.h"
#include "text/char_string.h"

// The line's text: a name alone, or the date, event and site after their labels. A field is never
// read past its end, even when its terminator is missing.
CharString InformationText(const GameInfo& info, InfoLine line);
