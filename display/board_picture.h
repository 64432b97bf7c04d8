#pragma once
// The board as pixels: skin cells copied (or box-filtered to another size) into a picture held in
// memory, for a front end that paints from its own buffer rather than from a device context.

#include <cstdint>
#include <vector>

#include "chess/game_state.h"
#include "display/board_layout.h"
#include "display/move_animation.h"

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

// Copies a cell of skin (its corner given at the classic 64-pixel scale) into target as a
// size-pixel square at at: pixel for pixel when the skin's cells are that size, else each target
// pixel the mean of the skin pixels it covers. Skin pixels outside the skin read as black;
// target pixels outside target are not drawn.
void DrawCell(PixelImage& target, const PixelImage& skin, PixelPoint at, int32_t size,
              SkinCell cell);

// The whole skin sheet (ten columns, seven rows of cells) drawn at cellSize, each cell as DrawCell
// draws it: a board of that size then copies its cells pixel for pixel, however often it is drawn.
PixelImage ScaleSkinSheet(const PixelImage& skin, int32_t cellSize);

// Everything: no clip.
constexpr TextBand kNoClip{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

// One frame of the board as the layout places it: the standing pieces and marked squares (those
// that meet clip), then the travelling pieces drawn over them (their pixels only, not their
// squares).
void DrawBoardFrame(PixelImage& target, const PixelImage& skin, const BoardLayout& layout,
                    const BoardFrame& frame, const TextBand& clip = kNoClip);

// The 64 squares of the position, as the layout places them, elapsed milliseconds after its
// ply was stepped (kSlideMilliseconds or more: the position at rest); squares that miss clip are
// left as they are.
void DrawBoardPicture(PixelImage& target, const PixelImage& skin, const BoardLayout& layout,
                      const GameState& state, bool showLastMove,
                      int32_t elapsed = kSlideMilliseconds, const TextBand& clip = kNoClip);
