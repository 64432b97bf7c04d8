#pragma once
// Draws the position from the skin's 64 x 64 cells into any device context: the saver's
// off-screen surface, the settings dialog's preview, or a test's memory surface.

#include <windows.h>

#include <cstdint>

#include "chess/game_state.h"
#include "display/settings.h"
#include "pgn/pgn_reader.h"

// The 64 squares (unscaled and centred when fullScreen is 1, halftone-scaled into area otherwise),
// then, full-screen only, the game information and at a game's final position the home page line.
// area's right and bottom are the width and height; its left and top are taken as 0. No background
// is drawn.
void DrawPosition(int32_t fullScreen, const SaverSettings& settings, const GameState& state,
                  const GameInfo& info, HDC target, HDC skin, RECT area);
