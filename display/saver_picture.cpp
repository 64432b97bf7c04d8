#include "display/saver_picture.h"

#include <cstring>

bool operator==(const PictureText& a, const PictureText& b) {
    return a.align == b.align && a.fontHeight == b.fontHeight && a.band.left == b.band.left &&
           a.band.top == b.band.top && a.band.right == b.band.right &&
           a.band.bottom == b.band.bottom && a.bytes.length() == b.bytes.length() &&
           std::memcmp(a.bytes.chars(), b.bytes.chars(), static_cast<size_t>(a.bytes.length())) ==
               0;
}

TextBand BoardBand(const BoardLayout& layout) {
    return TextBand{layout.left, layout.top, layout.left + 8 * layout.cellSize,
                    layout.top + 8 * layout.cellSize};
}

bool SquareMeets(const BoardLayout& layout, int32_t file, int32_t rank, const TextBand& area) {
    if (area.right <= area.left || area.bottom <= area.top) return true;
    const PixelPoint at = SquareOrigin(layout, file, rank);
    return at.x < area.right && at.x + layout.cellSize > area.left && at.y < area.bottom &&
           at.y + layout.cellSize > area.top;
}

PictureBoard OffsetBoard(const PictureBoard& board, int32_t dx, int32_t dy) {
    PictureBoard moved = board;
    moved.layout.left += dx;
    moved.layout.top += dy;
    for (int32_t i = 0; i < moved.frame.slidingCount; ++i) {
        moved.frame.sliding[i].at.x += dx;
        moved.frame.sliding[i].at.y += dy;
    }
    return moved;
}
