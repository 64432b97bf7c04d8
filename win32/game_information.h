#pragma once
// The text around the full-screen board: players, date, event and site, and at the end of a game
// the maker's home page in the top-right corner.

#include <windows.h>

#include <cstdint>

#include "display/board_layout.h"
#include "display/settings.h"
#include "pgn/pgn_reader.h"
#include "win32/info_text.h"

// The five information lines in their bands around the board, in the surface's selected font and
// colours; with fonts, UTF-8 values in the wide-text font that has their letters.
void DrawGameInformation(HDC surface, const GameInfo& info, const BoardLayout& board,
                         InfoFonts* fonts);

// The home page address, right-aligned in the top 40 pixels of area (both scaled with cellSize);
// full-screen only.
void DrawHomePageLine(HDC surface, int32_t fullScreen, const SaverSettings& settings, RECT area,
                      int32_t cellSize);
