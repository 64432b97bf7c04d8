#include "win32/board_renderer.h"

#include "display/move_animation.h"

namespace {

bool IsMarked(const BoardFrame& frame, int32_t file, int32_t rank) {
    const int32_t index = SquareIndex(file, rank);
    return index == frame.markedFrom || index == frame.markedTo;
}

void CopyCell(const BoardPaint& paint, int32_t size, HDC target, PixelPoint at, SkinCell cell) {
    const int32_t skinSize = paint.skinCellSize;
    const SkinCell from = ScaledCell(cell, skinSize);
    if (skinSize == size) {
        BitBlt(target, at.x, at.y, size, size, paint.skin, from.x, from.y, SRCCOPY);
    } else {
        StretchBlt(target, at.x, at.y, size, size, paint.skin, from.x, from.y, skinSize, skinSize,
                   SRCCOPY);
    }
}

void DrawTravellingPieces(const BoardPaint& paint, int32_t size, HDC target,
                          const BoardFrame& frame) {
    const bool overlay = paint.targetPixels.pixels != nullptr &&
                         paint.skinPixels.pixels != nullptr && paint.skinCellSize == size;
    if (overlay) GdiFlush();  // the squares must be in the pixels before the piece goes on them
    for (int32_t i = 0; i < frame.slidingCount; ++i) {
        const SlidingPiece& piece = frame.sliding[i];
        const SkinCell cell = TravellingPieceCell(piece.kind, piece.colour);
        if (overlay) {
            const PixelPoint at{piece.at.x - paint.targetOrigin.x,
                                piece.at.y - paint.targetOrigin.y};
            OverlayPiece(paint.targetPixels, at, paint.skinPixels, ScaledCell(cell, size),
                         ScaledCell(BareSquareCell(), size), size);
        } else {
            CopyCell(paint, size, target, piece.at, cell);  // no pixels to reach: the whole cell
        }
    }
}

}  // namespace

void PaintBoardFrame(HDC target, const PictureBoard& board, const BoardPaint& paint,
                     const TextBand& clip) {
    const int32_t size = board.layout.cellSize;
    if (size <= 0) return;
    if (paint.skinCellSize != size) {
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);  // halftone wants the brush origin reset
    }
    const BoardFrame& frame = board.frame;
    for (int32_t rank = 7; rank >= 0; --rank) {
        for (int32_t file = 0; file < 8; ++file) {
            if (!SquareMeets(board.layout, file, rank, clip)) continue;
            const Square& square = frame.board[static_cast<size_t>(SquareIndex(file, rank))];
            CopyCell(paint, size, target, SquareOrigin(board.layout, file, rank),
                     SquareCell(square, file, rank, IsMarked(frame, file, rank)));
        }
    }
    DrawTravellingPieces(paint, size, target, frame);
}

void DrawBoardAtRest(HDC target, HDC skin, const BoardLayout& layout, const GameState& state,
                     bool showLastMove) {
    PictureBoard board{};
    board.layout = layout;
    board.skinScale = 1;
    ComposeBoardFrame(state, layout, kSlideMilliseconds, showLastMove, board.frame);
    PaintBoardFrame(target, board, BoardPaint{skin, kSkinCellSize, {}, {}, {}});
}
