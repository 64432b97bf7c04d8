#include "display/text_layout.h"

#include <algorithm>

namespace {

struct Rows {
    int32_t top;
    int32_t bottom;
};

// The classic rows, relative to the board's top at the classic cell.
constexpr Rows kBlackName{-40, 0};
constexpr Rows kWhiteName{512, 552};
constexpr int32_t kSmallLine = 24;    // a date, event or site line
constexpr int32_t kFilesHeight = 20;  // the letters under the board
constexpr int32_t kCoordinateFont = 16;
constexpr int32_t kRankWidth = 20;
constexpr int32_t kClockWidth = 136;
constexpr int32_t kClockGap = 8;

int32_t Scaled(int32_t classic, int32_t cellSize) {
    return classic * cellSize / kSkinCellSize;
}

// Under the board: the files' letters, White's name, the last move, then date, event and site.
int32_t BelowBoardStart(const LineSet& lines) {
    return 512 + (lines.coordinates ? kFilesHeight : 0);
}

Rows RowsOf(const LineSet& lines, ScreenLine line) {
    const int32_t white = BelowBoardStart(lines);
    const int32_t afterWhite = white + (kWhiteName.bottom - kWhiteName.top);
    const int32_t dates = afterWhite + (lines.lastMove ? kSmallLine : 0);
    switch (line) {
        case ScreenLine::Result:
            return Rows{kBlackName.top - (lines.opening ? 2 : 1) * kSmallLine,
                        kBlackName.top - (lines.opening ? 1 : 0) * kSmallLine};
        case ScreenLine::Opening:
            return Rows{kBlackName.top - kSmallLine, kBlackName.top};
        case ScreenLine::BlackName:
        case ScreenLine::BlackClock:
            return kBlackName;
        case ScreenLine::WhiteName:
        case ScreenLine::WhiteClock:
            return Rows{white, afterWhite};
        case ScreenLine::LastMove:
            return Rows{afterWhite, afterWhite + kSmallLine};
        case ScreenLine::Date:
            return Rows{dates, dates + kSmallLine};
        case ScreenLine::Event:
            return Rows{dates + kSmallLine, dates + 2 * kSmallLine};
        case ScreenLine::Site:
            return Rows{dates + 2 * kSmallLine, dates + 3 * kSmallLine};
        case ScreenLine::Files:
            return Rows{512, 512 + kFilesHeight};
    }
    return kBlackName;
}

bool IsClock(ScreenLine line) {
    return line == ScreenLine::BlackClock || line == ScreenLine::WhiteClock;
}

}  // namespace

TextBand LineBand(const BoardLayout& board, const LineSet& lines, ScreenLine line) {
    const Rows rows = RowsOf(lines, line);
    const int32_t cell = board.cellSize;
    const int32_t top = board.top + Scaled(rows.top, cell);
    const int32_t bottom = board.top + Scaled(rows.bottom, cell);
    if (IsClock(line)) {
        const int32_t left = board.left + 8 * cell + Scaled(kClockGap, cell);
        return TextBand{left, top, left + Scaled(kClockWidth, cell), bottom};
    }
    return TextBand{board.left, top, board.left + 8 * cell, bottom};
}

TextBand RankBand(const BoardLayout& board, int32_t rank) {
    const PixelPoint square = SquareOrigin(board, 0, rank);
    return TextBand{square.x - Scaled(kRankWidth, board.cellSize), square.y, square.x,
                    square.y + board.cellSize};
}

TextBand FileBand(const BoardLayout& board, const LineSet& lines, int32_t file) {
    const PixelPoint square = SquareOrigin(board, file, 0);
    const TextBand row = LineBand(board, lines, ScreenLine::Files);
    return TextBand{square.x, row.top, square.x + board.cellSize, row.bottom};
}

int32_t CoordinateFontHeight(int32_t cellSize) {
    return Scaled(kCoordinateFont, cellSize);
}

bool IsShown(const LineSet& lines, ScreenLine line) {
    switch (line) {
        case ScreenLine::Result:
            return lines.result;
        case ScreenLine::Opening:
            return lines.opening;
        case ScreenLine::BlackName:
        case ScreenLine::WhiteName:
        case ScreenLine::Date:
        case ScreenLine::Event:
        case ScreenLine::Site:
            return lines.info;
        case ScreenLine::BlackClock:
        case ScreenLine::WhiteClock:
            return lines.clocks;
        case ScreenLine::LastMove:
            return lines.lastMove;
        case ScreenLine::Files:
            return lines.coordinates;
    }
    return false;
}

LineExtent LinesExtent(const LineSet& lines, int32_t cellSize) {
    int32_t top = 0;
    int32_t bottom = 512;
    for (int32_t i = 0; i <= static_cast<int32_t>(ScreenLine::Files); ++i) {
        const auto line = static_cast<ScreenLine>(i);
        if (!IsShown(lines, line)) continue;
        const Rows rows = RowsOf(lines, line);
        top = std::min(top, rows.top);
        bottom = std::max(bottom, rows.bottom);
    }
    return LineExtent{-Scaled(top, cellSize), Scaled(bottom, cellSize)};
}

BoardLayout FitLinesVertically(const BoardLayout& board, const LineSet& lines, int32_t areaTop,
                               int32_t height) {
    // The classic screen stands as it always has, clipped where the screen is too small for it.
    if (!lines.result && !lines.opening && !lines.coordinates && !lines.clocks && !lines.lastMove) {
        return board;
    }
    const LineExtent extent = LinesExtent(lines, board.cellSize);
    const int32_t top = board.top - extent.above;
    const int32_t bottom = board.top + extent.below;
    if (top >= areaTop && bottom <= areaTop + height) return board;
    const int32_t block = extent.above + extent.below;
    BoardLayout moved = board;
    moved.top = areaTop + extent.above + (block < height ? (height - block) / 2 : 0);
    return moved;
}
