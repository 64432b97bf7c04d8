#include "win32/board_renderer.h"

#include "display/board_layout.h"
#include "win32/game_information.h"

namespace {

void DrawSquares(const BoardLayout& layout, bool fullScreen, const SaverSettings& settings,
                 const GameState& state, HDC target, HDC skin) {
    if (!fullScreen) {
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);  // halftone wants the brush origin reset
    }
    const int32_t size = layout.cellSize;
    for (int32_t rank = 7; rank >= 0; --rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const SkinCell cell = SkinCellFor(state, file, rank, settings.showLastMove != 0);
            const PixelPoint at = SquareOrigin(layout, file, rank);
            if (fullScreen) {
                BitBlt(target, at.x, at.y, size, size, skin, cell.x, cell.y, SRCCOPY);
            } else {
                StretchBlt(target, at.x, at.y, size, size, skin, cell.x, cell.y, kSkinCellSize,
                           kSkinCellSize, SRCCOPY);
            }
        }
    }
}

}  // namespace

void DrawPosition(int32_t fullScreen, const SaverSettings& settings, const GameState& state,
                  const GameInfo& info, HDC target, HDC skin, RECT area) {
    const bool isFullScreen = fullScreen == 1;
    const BoardLayout layout = ComputeBoardLayout(area.right, area.bottom, isFullScreen);
    if (layout.cellSize > 0) DrawSquares(layout, isFullScreen, settings, state, target, skin);
    if (isFullScreen && settings.showInfo != 0) {
        DrawGameInformation(target, info, layout.left, layout.top);
    }
    if (IsFinalPosition(state)) DrawHomePageLine(target, fullScreen, settings, area);
}
