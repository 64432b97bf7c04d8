#include "display/piece_overlay.h"

#include <algorithm>
#include <cstdlib>

namespace {

int32_t Channel(uint32_t pixel, int32_t shift) {
    return static_cast<int32_t>((pixel >> shift) & 0xFF);
}

bool DiffersFromSquare(uint32_t pixel, uint32_t square) {
    for (int32_t shift = 0; shift < 24; shift += 8) {
        if (std::abs(Channel(pixel, shift) - Channel(square, shift)) > kPieceTolerance) {
            return true;
        }
    }
    return false;
}

bool CellInside(ConstPixelView skin, SkinCell cell, int32_t cellSize) {
    return cell.x >= 0 && cell.y >= 0 && cell.x + cellSize <= skin.width &&
           cell.y + cellSize <= skin.height;
}

}  // namespace

SkinCell TravellingPieceCell(int32_t kind, int32_t colour) {
    const int32_t offset = colour == kBlack ? kBlackPieceOffset : 0;
    return SkinCell{kDarkSquareColumn + offset, kSkinCellSize * kind};
}

SkinCell BareSquareCell() {
    return SkinCell{kDarkSquareColumn, 0};
}

SkinCell ScaledCell(SkinCell cell, int32_t cellSize) {
    return SkinCell{cell.x / kSkinCellSize * cellSize, cell.y / kSkinCellSize * cellSize};
}

void OverlayPiece(PixelView target, PixelPoint at, ConstPixelView skin, SkinCell piece,
                  SkinCell bare, int32_t cellSize) {
    if (!CellInside(skin, piece, cellSize) || !CellInside(skin, bare, cellSize)) return;
    const int32_t firstRow = std::max(0, -at.y);
    const int32_t lastRow = std::min(cellSize, target.height - at.y);
    const int32_t firstColumn = std::max(0, -at.x);
    const int32_t lastColumn = std::min(cellSize, target.width - at.x);
    for (int32_t row = firstRow; row < lastRow; ++row) {
        const uint32_t* pieceRow = skin.pixels + (piece.y + row) * skin.stride + piece.x;
        const uint32_t* bareRow = skin.pixels + (bare.y + row) * skin.stride + bare.x;
        uint32_t* out = target.pixels + (at.y + row) * target.stride + at.x;
        for (int32_t column = firstColumn; column < lastColumn; ++column) {
            if (DiffersFromSquare(pieceRow[column], bareRow[column]))
                out[column] = pieceRow[column];
        }
    }
}
