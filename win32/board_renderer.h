#pragma once
// Draws the position from the skin's cells into any device context: the saver's off-screen
// surface, the settings dialog's preview, or a test's memory surface.

#include <windows.h>

#include <cstdint>

#include "chess/game_state.h"
#include "display/board_layout.h"
#include "display/piece_overlay.h"
#include "display/settings.h"
#include "pgn/pgn_reader.h"
#include "win32/info_text.h"

// What one paint of the board draws with, beyond the position and the settings.
struct BoardPaint {
    int32_t fullScreen;  // 1: texts around the board and the home page line
    RECT area;           // where the board and its texts go; the home page line's top-right corner
    BoardLayout layout;  // the board, on the target
    HDC skin;
    int32_t skinCellSize;    // the cells of the skin selected in skin; scaled with halftone if not
                             // the layout's
    int32_t slideElapsed;    // milliseconds since the ply was stepped; kSlideMilliseconds or more
                             // when no piece travels
    PixelView targetPixels;  // the target's pixels, for travelling pieces; null pixels: none
    ConstPixelView skinPixels;  // the skin's pixels, at the layout's cell size
    InfoFonts* fonts;           // wide-text fonts for UTF-8 names; null: 8-bit drawing only
    RECT only;  // squares outside it are left as they are; an empty rectangle: all squares
};

// The 64 squares (unscaled and centred when fullScreen is 1, halftone-scaled into area otherwise),
// then, full-screen only, the game information and at a game's final position the home page line.
// area's right and bottom are the width and height; its left and top are taken as 0. No background
// is drawn.
void DrawPosition(int32_t fullScreen, const SaverSettings& settings, const GameState& state,
                  const GameInfo& info, HDC target, HDC skin, RECT area);

// The same with everything chosen by the caller: the board's size and place, the skin's cell
// size, a travelling piece and the fonts.
void PaintBoard(const SaverSettings& settings, const GameState& state, const GameInfo& info,
                HDC target, const BoardPaint& paint);

// Only the 64 squares and any travelling piece, for the frames of a slide.
void PaintSquares(const SaverSettings& settings, const GameState& state, HDC target,
                  const BoardPaint& paint);
