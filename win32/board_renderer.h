#pragma once
// Draws the board of a picture from the skin's cells into any device context: the saver's
// off-screen surface, the settings dialog's preview, or a test's memory surface.

#include <windows.h>

#include <cstdint>

#include "chess/game_state.h"
#include "display/board_layout.h"
#include "display/board_picture.h"
#include "display/piece_overlay.h"
#include "display/saver_picture.h"

// Where the cells come from, beyond the picture itself.
struct BoardPaint {
    HDC skin;
    int32_t skinCellSize;    // the cells of the drawing selected in skin; scaled with halftone if
                             // not the layout's
    PixelView targetPixels;  // the target's pixels, for travelling pieces; null pixels: none
    ConstPixelView skinPixels;  // the skin's pixels, at the layout's cell size
    PixelPoint targetOrigin;    // where targetPixels' first pixel lies in the layout's coordinates
};

// The squares of the board that meet clip, then its travelling pieces. No background is drawn.
void PaintBoardFrame(HDC target, const PictureBoard& board, const BoardPaint& paint,
                     const TextBand& clip = kNoClip);

// The position at rest on a board of layout, from a skin of classic 64-pixel cells: the settings
// dialog's previews.
void DrawBoardAtRest(HDC target, HDC skin, const BoardLayout& layout, const GameState& state,
                     bool showLastMove);
