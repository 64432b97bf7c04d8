#pragma once
// What the saver's screen shows at one moment, as plain data for a front end to draw: the
// background, the board (its place, the frame of its squares and travelling pieces, the drawing
// its cells come from) and the texts with their bands. Nothing here draws.

#include <cstdint>
#include <vector>

#include "display/board_layout.h"
#include "display/move_animation.h"
#include "text/char_string.h"

enum class TextAlign : int32_t {
    Centre,       // one line, centred both ways in its band
    Right,        // one line against the band's right edge, centred up and down
    Left,         // one line against the band's left edge, centred up and down
    WrapTopLeft,  // lines from the band's top-left corner, broken at newlines and spaces
};

struct PictureText {
    CharString bytes;  // the file's bytes (UTF-8 or the 8-bit code page) or the saver's own text
    TextBand band;
    TextAlign align;
    int32_t fontHeight;  // the information font's height for the board (24 at the classic
                         // board); 0 for the surface's own small font (a preview)
    // How wide a centred line may grow when it does not fit its band (display/text_fit.h): the
    // band widened to the monitor; a line wider still is shortened with an ellipsis.
    TextBand room;
};

// A text that stays in its band: room is the band itself.
PictureText BandText(CharString bytes, const TextBand& band, TextAlign align, int32_t fontHeight);

bool operator==(const PictureText& a, const PictureText& b);

struct PictureBoard {
    BoardLayout layout;
    BoardFrame frame;
    int32_t skinScale;  // the drawing the cells come from: 1 the classic one
};

struct SaverPicture {
    uint32_t backgroundColor;          // 0x00BBGGRR, the whole surface
    uint32_t fontColor;                // 0x00BBGGRR, every text
    std::vector<PictureBoard> boards;  // none while an error text stands in their place
    std::vector<PictureText> texts;
};

// The same board drawn dx, dy further right and down: its squares and its travelling pieces.
PictureBoard OffsetBoard(const PictureBoard& board, int32_t dx, int32_t dy);

// The rectangle the board covers.
TextBand BoardBand(const BoardLayout& layout);

// Whether the square of the board's frame at file, rank meets area (an empty area meets all).
bool SquareMeets(const BoardLayout& layout, int32_t file, int32_t rank, const TextBand& area);
