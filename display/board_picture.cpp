#include "display/board_picture.h"

#include <algorithm>

#include "display/piece_overlay.h"

namespace {

constexpr int32_t kSkinColumns = 10;
constexpr int32_t kSkinRows = 7;

uint32_t SkinPixel(const PixelImage& skin, int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= skin.width || y >= skin.height) return 0;
    return skin
        .pixels[static_cast<size_t>(y) * static_cast<size_t>(skin.width) + static_cast<size_t>(x)];
}

// The mean colour of the skin's pixels in [x0, x1) x [y0, y1).
uint32_t MeanPixel(const PixelImage& skin, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    uint64_t red = 0;
    uint64_t green = 0;
    uint64_t blue = 0;
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            const uint32_t p = SkinPixel(skin, x, y);
            red += (p >> 16) & 0xFF;
            green += (p >> 8) & 0xFF;
            blue += p & 0xFF;
        }
    }
    const auto count = static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0);
    return static_cast<uint32_t>((red / count) << 16 | (green / count) << 8 | (blue / count));
}

// The skin span [start, end) that target pixel i of a cell of target size covers.
void SourceSpan(int32_t i, int32_t source, int32_t target, int32_t& start, int32_t& end) {
    start = static_cast<int32_t>(static_cast<int64_t>(i) * source / target);
    end = static_cast<int32_t>(static_cast<int64_t>(i + 1) * source / target);
    if (end <= start) end = start + 1;  // enlarging: one skin pixel per target pixel
}

}  // namespace

PixelImage MakePixelImage(int32_t width, int32_t height, uint32_t rgb) {
    const int32_t w = std::max(width, 0);
    const int32_t h = std::max(height, 0);
    return PixelImage{w, h,
                      std::vector<uint32_t>(static_cast<size_t>(w) * static_cast<size_t>(h), rgb)};
}

uint32_t PixelFromColorRef(uint32_t colorRef) {
    return (colorRef & 0xFF) << 16 | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

int32_t SkinCellSizeOf(const PixelImage& skin) {
    return std::max(kSkinCellSize, std::min(skin.width / kSkinColumns, skin.height / kSkinRows));
}

void DrawCell(PixelImage& target, const PixelImage& skin, PixelPoint at, int32_t size,
              SkinCell cell) {
    const int32_t source = SkinCellSizeOf(skin);
    // Cell positions are given in 64-pixel units; a larger skin has them at its own scale.
    const int32_t cellX = cell.x / kSkinCellSize * source;
    const int32_t cellY = cell.y / kSkinCellSize * source;
    const int32_t rowFirst = std::max(0, -at.y);
    const int32_t rowLast = std::min(size, target.height - at.y);
    const int32_t columnFirst = std::max(0, -at.x);
    const int32_t columnLast = std::min(size, target.width - at.x);
    if (rowLast <= rowFirst || columnLast <= columnFirst) return;  // wholly outside the target
    const bool inside =
        cellX >= 0 && cellY >= 0 && cellX + size <= skin.width && cellY + size <= skin.height;
    if (source == size && inside) {
        // The common case, a board at the skin's own size: whole rows at a time.
        for (int32_t row = rowFirst; row < rowLast; ++row) {
            const uint32_t* from =
                skin.pixels.data() +
                static_cast<size_t>(cellY + row) * static_cast<size_t>(skin.width) +
                static_cast<size_t>(cellX + columnFirst);
            uint32_t* to = target.pixels.data() +
                           static_cast<size_t>(at.y + row) * static_cast<size_t>(target.width) +
                           static_cast<size_t>(at.x + columnFirst);
            std::copy(from, from + (columnLast - columnFirst), to);
        }
        return;
    }
    for (int32_t row = rowFirst; row < rowLast; ++row) {
        int32_t y0 = 0;
        int32_t y1 = 0;
        SourceSpan(row, source, size, y0, y1);
        uint32_t* line = target.pixels.data() +
                         static_cast<size_t>(at.y + row) * static_cast<size_t>(target.width) +
                         static_cast<size_t>(at.x);
        for (int32_t column = columnFirst; column < columnLast; ++column) {
            int32_t x0 = 0;
            int32_t x1 = 0;
            SourceSpan(column, source, size, x0, x1);
            line[column] = source == size
                               ? SkinPixel(skin, cellX + column, cellY + row)
                               : MeanPixel(skin, cellX + x0, cellX + x1, cellY + y0, cellY + y1);
        }
    }
}

PixelImage ScaleSkinSheet(const PixelImage& skin, int32_t cellSize) {
    PixelImage sheet = MakePixelImage(kSkinColumns * cellSize, kSkinRows * cellSize, 0);
    for (int32_t row = 0; row < kSkinRows; ++row) {
        for (int32_t column = 0; column < kSkinColumns; ++column) {
            DrawCell(sheet, skin, PixelPoint{column * cellSize, row * cellSize}, cellSize,
                     SkinCell{column * kSkinCellSize, row * kSkinCellSize});
        }
    }
    return sheet;
}

void DrawBoardFrame(PixelImage& target, const PixelImage& skin, const BoardLayout& layout,
                    const BoardFrame& frame, const TextBand& clip) {
    const int32_t size = layout.cellSize;
    if (size <= 0) return;
    for (int32_t rank = 0; rank < 8; ++rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const PixelPoint at = SquareOrigin(layout, file, rank);
            if (at.x >= clip.right || at.y >= clip.bottom || at.x + size <= clip.left ||
                at.y + size <= clip.top) {
                continue;
            }
            const int32_t index = SquareIndex(file, rank);
            const bool marked = index == frame.markedFrom || index == frame.markedTo;
            DrawCell(target, skin, at, size,
                     SquareCell(frame.board[static_cast<size_t>(index)], file, rank, marked));
        }
    }
    // The travelling piece's and the bare square's cells at the board's size, side by side, for
    // the overlay to tell the piece's pixels from its square's.
    for (int32_t i = 0; i < frame.slidingCount; ++i) {
        const SlidingPiece& piece = frame.sliding[i];
        PixelImage cells = MakePixelImage(2 * size, size, 0);
        DrawCell(cells, skin, PixelPoint{0, 0}, size,
                 TravellingPieceCell(piece.kind, piece.colour));
        DrawCell(cells, skin, PixelPoint{size, 0}, size, BareSquareCell());
        OverlayPiece(PixelView{target.pixels.data(), target.width, target.height, target.width},
                     piece.at,
                     ConstPixelView{cells.pixels.data(), cells.width, cells.height, cells.width},
                     SkinCell{0, 0}, SkinCell{size, 0}, size);
    }
}

void DrawBoardPicture(PixelImage& target, const PixelImage& skin, const BoardLayout& layout,
                      const GameState& state, bool showLastMove, int32_t elapsed,
                      const TextBand& clip) {
    if (layout.cellSize <= 0) return;
    BoardFrame frame;
    ComposeBoardFrame(state, layout, elapsed, showLastMove, frame);
    DrawBoardFrame(target, skin, layout, frame, clip);
}
