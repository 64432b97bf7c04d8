#pragma once
// The drawing side of the native program: one off-screen pixmap the size of the target window,
// into which the session's picture is drawn (background, board, texts) and from which the window
// is copied in one piece, or in the part a slide's frame changed.

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "display/board_picture.h"
#include "display/saver_picture.h"
#include "x11/text_drawing.h"

struct SaverView {
    Display* display;
    Window window;
    Visual* visual;
    Colormap colormap;
    int32_t depth;
    int32_t width;
    int32_t height;
    Pixmap pixmap;
    GC gc;
    TextPainter painter;
    uint32_t fontColor;  // 0x00BBGGRR, for the painter made with each pixmap
};

// Takes the window's size, visual and colour map and makes the pixmap; false when the window is
// gone or the text font does not open.
bool OpenSaverView(SaverView& view, Display* display, Window window, uint32_t fontColor);

// Makes the pixmap again for the window's new size; false (the old one kept) when unchanged.
bool ResizeSaverView(SaverView& view, int32_t width, int32_t height);

void CloseSaverView(SaverView& view);

// Draws the whole picture into the pixmap; skins[i] is the drawing the cells of the picture's
// board i come from, at any cell size.
void RenderSaverPicture(SaverView& view, const SaverPicture& picture,
                        const std::vector<const PixelImage*>& skins);

// Draws the squares of board that meet area, and its travelling pieces, into the pixmap, over what
// the last whole render left there.
void RenderPictureBoard(SaverView& view, const PictureBoard& board, uint32_t backgroundColor,
                        const PixelImage& skin, const TextBand& area);

// Copies the whole pixmap to the window.
void PresentSaverView(SaverView& view);

// Copies one area of the pixmap to the window.
void PresentSaverArea(SaverView& view, const TextBand& area);
