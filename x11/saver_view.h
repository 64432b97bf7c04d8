#pragma once
// The drawing side of the native program: one off-screen pixmap the size of the target window,
// drawn whole (background, board picture, texts) when the picture changes and copied to the
// window in one piece on every repaint, as the Windows saver paints through its memory surface.

#include <X11/Xlib.h>

#include <cstdint>
#include <string>

#include "chess/game_state.h"
#include "display/board_picture.h"
#include "display/settings.h"
#include "display/skin_scale.h"
#include "pgn/pgn_reader.h"
#include "x11/text_drawing.h"

// What one frame shows: the error text when there is one, else the position, slideElapsed
// milliseconds after its ply was stepped (kSlideMilliseconds or more: at rest).
struct SaverScene {
    const SaverSettings* settings;
    const GameState* state;
    const GameInfo* info;
    const PixelImage* skin;  // the drawing the board is copied from, at any cell size
    std::string errorText;   // UTF-8
    int32_t slideElapsed;
};

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

// The full-screen layout (the classic 64-pixel cells, or fitted with "Fit board"; information
// texts, home page) needs room for the classic board; a smaller window, such as XScreenSaver's
// preview, gets the board scaled to fit alone.
bool UsesClassicLayout(int32_t width, int32_t height);

// The board's place on a width x height view for the settings.
BoardLayout ViewLayout(int32_t width, int32_t height, const SaverSettings& settings);

// Takes the window's size, visual and colour map and makes the pixmap; false when the window is
// gone or the text font does not open.
bool OpenSaverView(SaverView& view, Display* display, Window window, uint32_t fontColor);

// Makes the pixmap again for the window's new size; false (the old one kept) when unchanged.
bool ResizeSaverView(SaverView& view, int32_t width, int32_t height);

void CloseSaverView(SaverView& view);

// Draws the scene into the pixmap.
void RenderSaverScene(SaverView& view, const SaverScene& scene);

// Copies the whole pixmap to the window.
void PresentSaverView(SaverView& view);

// Draws the scene's board alone into the pixmap, over the board of the last full render (a frame
// of a slide: the texts stay); with onlySlide, only the squares the slide passes over. Returns the
// area drawn, empty when there is no board.
TextBand RenderSaverBoard(SaverView& view, const SaverScene& scene, bool onlySlide = false);

// Copies one area of the pixmap to the window.
void PresentSaverBoard(SaverView& view, const TextBand& area);
