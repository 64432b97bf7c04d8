#pragma once
// One frame of play in a terminal: the board on show and the game's texts around it, laid out as
// the saver paints them (Black's name above the board, White's below, then date, event and site;
// the home page at the top while a game's final position is on show). Every square takes the look
// of the skin cell the saver would copy for it.

#include <cstdint>
#include <string>

#include "chess/game_state.h"
#include "display/settings.h"
#include "pgn/pgn_reader.h"

enum class FrameColours : int32_t {
    None,        // plain text: pieces as letters, the last move's two squares in brackets
    Palette256,  // the xterm 256-colour palette, pieces as Unicode chess symbols
    TrueColour,  // 24-bit colour, pieces as Unicode chess symbols
};

// The area a frame is centred in, in character cells. Zero in a direction fits the frame to its
// own size: no padding there, and with no rows the home page's row only when it shows.
struct FrameArea {
    int32_t columns;
    int32_t rows;
};

// The position on state's board with info's texts (only when settings.showInfo is non-zero) and,
// on the game's final position, the home page. The last move is marked when
// settings.showLastMove is non-zero. Texts are escaped for a terminal. Every line ends with LF;
// in colour each line also clears the rest of its row in the saver's background colour.
std::string RenderFrame(const GameState& state, const GameInfo& info, const SaverSettings& settings,
                        FrameColours colours, FrameArea area);
