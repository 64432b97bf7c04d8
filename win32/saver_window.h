#pragma once
// The one window of the full-screen and preview runs: builds its surfaces, skin and game at
// creation, steps the playback on a one-second timer, paints through an off-screen surface, and
// in full-screen ends on input, after the password check, storing the game on screen.

#include <windows.h>

#include <cstdint>

#include "display/saver_texts.h"

// Timer 1, once a second, drives the playback.
constexpr UINT_PTR kPlaybackTimerId = 1;
constexpr UINT kPlaybackTimerMilliseconds = 1000;

// Timer 2 runs only while a move's piece slides, asking for a frame at this interval: some eight
// frames a slide, smooth to the eye and light on the processor.
constexpr UINT_PTR kSlideTimerId = 2;
constexpr UINT kSlideTimerMilliseconds = 30;

// A mouse-move that finds the cursor further than this from the anchor, in x or y, ends the run.
constexpr int32_t kMouseJumpLimit = 10;

// Registers the saver's window class (className of the shell's state); false on failure.
bool RegisterSaverClass(HINSTANCE instance);

// Creates the window for the shell state's mode, shows it and paints it; false when not created.
bool CreateSaverWindow(HINSTANCE instance, int showCommand);

// A close request as the window handles it on the given platform family: once the window is
// cleaned up there is nothing to guard, so no password is asked for.
void CloseSaverWindowOnPlatform(DWORD platformId);

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the current picture (error text, or the position) into the off-screen surface.
void RenderSaverSurface();

// Renders and copies the whole surface to target at (0, 0).
void PaintSaverSurface(HDC target);

// Redraws the board's squares alone (a frame of a slide) and copies part, which lies within the
// board, to target.
void PaintBoardPart(HDC target, RECT part);

// Milliseconds since the latest slide began; kSlideMilliseconds or more when none runs.
int32_t SlideElapsed();

// The board's rectangle in the client area.
RECT BoardRect();
