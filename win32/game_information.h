#pragma once
// The text around the full-screen board: players, date, event and site, and at the end of a game
// the maker's home page in the top-right corner.

#include <windows.h>

#include <cstdint>

#include "display/settings.h"
#include "pgn/pgn_reader.h"

// The five information lines in their bands around the board at (boardLeft, boardTop), in the
// surface's selected font and colours.
void DrawGameInformation(HDC surface, const GameInfo& info, int32_t boardLeft, int32_t boardTop);

// The home page address, right-aligned in the top 40 pixels; full-screen only.
void DrawHomePageLine(HDC surface, int32_t fullScreen, const SaverSettings& settings, RECT area);
