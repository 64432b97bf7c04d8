#pragma once
// The board as pixels: skin cells copied (or box-filtered to another size) into a picture held in
// memory, for a front end that paints from its own buffer rather than from a device context.

#include <cstdint>
#include <vector>

#include "chess/game_state.h"
#include "display/board_layout.h"

// 0x00RRGGBB pixels, row by row from the top.
struct PixelImage {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;
};

// A picture of the given size, every pixel rgb.
PixelImage MakePixelImage(int32_t width, int32_t height, uint32_t rgb);

// A Windows colour (0x00BBGGRR) as a pixel (0x00RRGGBB).
uint32_t PixelFromColorRef(uint32_t colorRef);

// The skin's cell size: 64 for the classic 640 x 448 skins (and anything smaller), else the
// largest cell ten columns and seven rows of which fit the skin.
int32_t SkinCellSizeOf(const PixelImage& skin);

// Copies the square's cell of skin into target at the layout's square: pixel for pixel when the
// sizes agree, else each target pixel the mean of the skin pixels it covers. Skin pixels outside
// the skin read as black; target pixels outside target are not drawn.
void DrawSquare(PixelImage& target, const PixelImage& skin, const BoardLayout& layout,
                SkinCell cell, int32_t file, int32_t rank);

// The 64 squares of the position, as the layout places them.
void DrawBoardPicture(PixelImage& target, const PixelImage& skin, const BoardLayout& layout,
                      const GameState& state, bool showLastMove);
