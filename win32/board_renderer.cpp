#include "win32/board_renderer.h"

#include "display/board_layout.h"
#include "display/move_animation.h"
#include "win32/game_information.h"

namespace {

bool IsMarked(const BoardFrame& frame, int32_t file, int32_t rank) {
    const int32_t index = SquareIndex(file, rank);
    return index == frame.markedFrom || index == frame.markedTo;
}

// Whether the square at this corner meets the part of the board the paint asks for.
bool IsWanted(const BoardPaint& paint, PixelPoint at) {
    const RECT& only = paint.only;
    if (only.right <= only.left || only.bottom <= only.top) return true;
    const int32_t size = paint.layout.cellSize;
    return at.x < only.right && at.x + size > only.left && at.y < only.bottom &&
           at.y + size > only.top;
}

void CopyCell(const BoardPaint& paint, HDC target, PixelPoint at, SkinCell cell) {
    const int32_t size = paint.layout.cellSize;
    const int32_t skinSize = paint.skinCellSize;
    const SkinCell from = ScaledCell(cell, skinSize);
    if (skinSize == size) {
        BitBlt(target, at.x, at.y, size, size, paint.skin, from.x, from.y, SRCCOPY);
    } else {
        StretchBlt(target, at.x, at.y, size, size, paint.skin, from.x, from.y, skinSize, skinSize,
                   SRCCOPY);
    }
}

void DrawTravellingPieces(const BoardPaint& paint, HDC target, const BoardFrame& frame) {
    const int32_t size = paint.layout.cellSize;
    const bool overlay = paint.targetPixels.pixels != nullptr &&
                         paint.skinPixels.pixels != nullptr && paint.skinCellSize == size;
    if (overlay) GdiFlush();  // the squares must be in the pixels before the piece goes on them
    for (int32_t i = 0; i < frame.slidingCount; ++i) {
        const SlidingPiece& piece = frame.sliding[i];
        const SkinCell cell = TravellingPieceCell(piece.kind, piece.colour);
        if (overlay) {
            OverlayPiece(paint.targetPixels, piece.at, paint.skinPixels, ScaledCell(cell, size),
                         ScaledCell(BareSquareCell(), size), size);
        } else {
            CopyCell(paint, target, piece.at, cell);  // no pixels to reach: the whole cell
        }
    }
}

}  // namespace

void PaintSquares(const SaverSettings& settings, const GameState& state, HDC target,
                  const BoardPaint& paint) {
    if (paint.layout.cellSize <= 0) return;
    if (paint.skinCellSize != paint.layout.cellSize) {
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);  // halftone wants the brush origin reset
    }
    BoardFrame frame;
    ComposeBoardFrame(state, paint.layout, paint.slideElapsed, settings.showLastMove != 0, frame);
    for (int32_t rank = 7; rank >= 0; --rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const PixelPoint at = SquareOrigin(paint.layout, file, rank);
            if (!IsWanted(paint, at)) continue;
            const Square& square = frame.board[static_cast<size_t>(SquareIndex(file, rank))];
            CopyCell(paint, target, at,
                     SquareCell(square, file, rank, IsMarked(frame, file, rank)));
        }
    }
    DrawTravellingPieces(paint, target, frame);
}

void PaintBoard(const SaverSettings& settings, const GameState& state, const GameInfo& info,
                HDC target, const BoardPaint& paint) {
    PaintSquares(settings, state, target, paint);
    const bool isFullScreen = paint.fullScreen == 1;
    if (isFullScreen && settings.showInfo != 0) {
        DrawGameInformation(target, info, paint.layout, paint.fonts);
    }
    if (IsFinalPosition(state)) {
        DrawHomePageLine(target, paint.fullScreen, settings, paint.area, paint.layout.cellSize);
    }
}

void DrawPosition(int32_t fullScreen, const SaverSettings& settings, const GameState& state,
                  const GameInfo& info, HDC target, HDC skin, RECT area) {
    BoardPaint paint{};
    paint.fullScreen = fullScreen;
    paint.area = RECT{0, 0, area.right, area.bottom};
    paint.layout = ComputeBoardLayout(area.right, area.bottom, fullScreen == 1);
    paint.skin = skin;
    paint.skinCellSize = kSkinCellSize;
    paint.slideElapsed = kSlideMilliseconds;
    PaintBoard(settings, state, info, target, paint);
}
