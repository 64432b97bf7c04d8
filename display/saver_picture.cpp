#include "display/saver_picture.h"

#include <cstring>
#include <utility>

bool operator==(const PictureText& a, const PictureText& b) {
    const auto same = [](const TextBand& x, const TextBand& y) {
        return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
    };
    return a.align == b.align && a.fontHeight == b.fontHeight && same(a.band, b.band) &&
           same(a.room, b.room) && a.bytes.length() == b.bytes.length() &&
           std::memcmp(a.bytes.chars(), b.bytes.chars(), static_cast<size_t>(a.bytes.length())) ==
               0;
}

PictureText BandText(CharString bytes, const TextBand& band, TextAlign align, int32_t fontHeight) {
    return PictureText{std::move(bytes), band, align, fontHeight, band};
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
