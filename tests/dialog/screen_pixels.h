#pragma once
// Reading what the saver's dialogs put on the screen: the screen's pixels (the dialog is a
// top-level window of another process, so it is read from the screen, not from its own DC), and
// the skin cells the preview is expected to show.

#include <windows.h>

#include <string>

struct MeanColour {
    double red;
    double green;
    double blue;
};

// A control's client area in screen coordinates.
RECT ClientScreenRect(HWND control);

// The mean colour of a screen rectangle, and whether every pixel in it is exactly colour.
MeanColour MeanScreenColour(const RECT& area);
bool ScreenAreaIs(const RECT& area, COLORREF colour);

// The mean colour of a skin bitmap's area (left, top, right, bottom in the bitmap's pixels).
MeanColour MeanSkinColour(const std::wstring& skinPath, const RECT& area);

// Largest difference of the three channels.
double ColourDistance(const MeanColour& a, const MeanColour& b);

// The screen rectangle of square (file, rank) of a board scaled into the preview control, shrunk
// by a quarter of a square on every side so that the halftone seams stay out.
RECT PreviewSquareInterior(HWND preview, int file, int rank);
