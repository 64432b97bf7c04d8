#pragma once
// The one window of the full-screen and preview runs: builds its surfaces at creation and starts
// the saver session, which loads the skin and the game; turns its timer into the session's clock
// and paints the session's picture through an off-screen surface; in full-screen ends on input,
// after the password check, storing the game on screen.

#include <windows.h>

#include <cstdint>

#include "display/saver_texts.h"

// The window's one timer, set again after each wake for the session's next one.
constexpr UINT_PTR kSessionTimerId = 1;

// Registers the saver's window class (className of the shell's state); false on failure.
bool RegisterSaverClass(HINSTANCE instance);

// Creates the window for the shell state's mode, shows it and paints it; false when not created.
bool CreateSaverWindow(HINSTANCE instance, int showCommand);

// A close request as the window handles it on the given platform family: once the window is
// cleaned up there is nothing to guard, so no password is asked for.
void CloseSaverWindowOnPlatform(DWORD platformId);

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the session's whole current picture on target at (0, 0): the background and texts
// directly, each board through the boards' off-screen surface.
void PaintSaverSurface(HDC target);

// Redraws the boards' squares meeting part alone (a frame of a slide) and copies them to target.
void PaintBoardPart(HDC target, RECT part);

// The primary monitor's board's rectangle in the client area.
RECT BoardRect();
