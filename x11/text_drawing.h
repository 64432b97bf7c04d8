#pragma once
// Text on the off-screen picture with Pango over Xft: the information lines centred in their
// bands, the home page right-aligned, and the set-up failure texts wrapped at spaces. Texts are
// UTF-8, shaped and laid out in both directions as their scripts ask (Arabic joined, right to
// left); characters the main face lacks come from a face fontconfig finds for them, run by run.

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <pango/pangoxft.h>

#include <cstdint>
#include <string>

#include "display/board_layout.h"

struct TextPainter {
    Display* display;
    XftDraw* draw;
    PangoContext* context;
    PangoFontDescription* font;  // null while the painter is closed
    XftColor color;
    bool colorAllocated;
    int32_t pixelSize;
    int32_t ascent;  // of the main face, in pixels: lines stand on its baseline whatever falls back
    int32_t descent;
};

// Pixel size of the information font for a font height as the Windows saver asks for it (a cell
// height: 24 at the classic board, in Palatino Linotype, whose face fills about three quarters).
int32_t FontPixelsFor(int32_t cellHeight);

// Opens the painter on drawable in colour colorRef (0x00BBGGRR) at pixelSize; false when no font
// opens.
bool OpenTextPainter(TextPainter& painter, Display* display, Drawable drawable, Visual* visual,
                     Colormap colormap, uint32_t colorRef, int32_t pixelSize);

void CloseTextPainter(TextPainter& painter);

// The width in pixels that one line of utf8 takes when drawn.
int32_t TextWidth(TextPainter& painter, const std::string& utf8);

// One line centred both ways in band and clipped to it.
void DrawCentredText(TextPainter& painter, const std::string& utf8, const TextBand& band);

// One line against band's right edge, centred up and down, clipped to band.
void DrawRightAlignedText(TextPainter& painter, const std::string& utf8, const TextBand& band);

// Lines from the top-left of a width x height area, broken at newlines and, where a line would
// pass the right edge, at the last space before it (a word longer than the width stands alone).
void DrawWrappedText(TextPainter& painter, const std::string& utf8, int32_t width, int32_t height);
