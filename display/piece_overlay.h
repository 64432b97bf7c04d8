#pragma once
// Drawing a piece that travels between squares. Skin cells are whole square images with no mask,
// so the piece is told from its square by comparing its cell with the empty cell of the same
// square colour: the pixels that differ are the piece's.

#include <cstdint>

#include "display/board_layout.h"

// 32-bit pixels, rows stride pixels apart, top row first.
struct PixelView {
    uint32_t* pixels;
    int32_t width;
    int32_t height;
    int32_t stride;
};

struct ConstPixelView {
    const uint32_t* pixels;
    int32_t width;
    int32_t height;
    int32_t stride;
};

// A piece's pixels differ from the bare square by more than this in some colour channel; less is
// the filter's noise where a scaled skin blends neighbouring cells at the cell's edge.
constexpr int32_t kPieceTolerance = 24;

// The cell a travelling piece is drawn from: the piece on a dark square, and that bare square.
SkinCell TravellingPieceCell(int32_t kind, int32_t colour);
SkinCell BareSquareCell();

// A cell's corner in a skin drawn at cellSize instead of 64.
SkinCell ScaledCell(SkinCell cell, int32_t cellSize);

// Copies the pixels of the piece cell that differ from the bare cell onto target with the cell's
// corner at at; cells are cellSize square in skin. Clipped to the target and to the skin.
void OverlayPiece(PixelView target, PixelPoint at, ConstPixelView skin, SkinCell piece,
                  SkinCell bare, int32_t cellSize);
