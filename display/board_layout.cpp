#include "display/board_layout.h"

#include <algorithm>

namespace {

// Centring offset, truncated toward zero; pinned at 0 when the area is no larger than the board.
int32_t CentredEdge(int32_t area, int32_t board) {
    const int32_t edge = (area - board) / 2;
    return edge > 0 ? edge : 0;
}

struct BandRows {
    int32_t top;
    int32_t bottom;
};

// Rows of each information line, relative to the board's top edge.
constexpr BandRows kInfoBandRows[] = {{-40, 0},     // Black's name, above the board
                                      {512, 552},   // White's name, below it
                                      {552, 576},   // date
                                      {576, 600},   // event
                                      {600, 624}};  // site

constexpr int32_t kHomePageBandHeight = 40;
constexpr int32_t kClassicInfoFontHeight = 24;

// A length of the classic layout at a board of this cell size, truncated toward zero.
int32_t Scaled(int32_t classicLength, int32_t cellSize) {
    return classicLength * cellSize / kSkinCellSize;
}

BoardLayout CentredBoard(int32_t width, int32_t height, int32_t cell) {
    const int32_t board = 8 * cell;
    return BoardLayout{CentredEdge(width, board), CentredEdge(height, board), cell};
}

}  // namespace

BoardLayout ComputeBoardLayout(int32_t width, int32_t height, bool fullScreen) {
    return CentredBoard(width, height, fullScreen ? kSkinCellSize : std::min(width, height) / 8);
}

int32_t FittedCellSize(int32_t width, int32_t height) {
    // 64 * width / 1024 and 64 * height / 768, in 64-bit so that no screen size overflows.
    const int64_t byWidth = int64_t{kSkinCellSize} * width / kClassicScreenWidth;
    const int64_t byHeight = int64_t{kSkinCellSize} * height / kClassicScreenHeight;
    const int64_t cell = std::min(byWidth, byHeight);
    return cell > kSkinCellSize ? static_cast<int32_t>(cell) : kSkinCellSize;
}

BoardLayout ComputeFullScreenLayout(int32_t width, int32_t height, bool fit) {
    return CentredBoard(width, height, fit ? FittedCellSize(width, height) : kSkinCellSize);
}

ScreenPreview ComputeScreenPreview(int32_t width, int32_t height, int32_t screenWidth,
                                   int32_t screenHeight) {
    if (width <= 0 || height <= 0 || screenWidth <= 0 || screenHeight <= 0) {
        return ScreenPreview{{0, 0, 0, 0}, {0, 0, 0}};
    }
    // The small screen keeps the screen's shape: full width, or full height when that is the
    // tighter side. 64-bit, as width times a screen's size may pass 2^31 on a large preview.
    int64_t smallWidth = width;
    int64_t smallHeight = int64_t{screenHeight} * width / screenWidth;
    if (smallHeight > height) {
        smallHeight = height;
        smallWidth = int64_t{screenWidth} * height / screenHeight;
    }
    const int32_t left = CentredEdge(width, static_cast<int32_t>(smallWidth));
    const int32_t top = CentredEdge(height, static_cast<int32_t>(smallHeight));
    const BoardLayout full = ComputeFullScreenLayout(screenWidth, screenHeight, true);
    const auto shrink = [&](int64_t length) {
        return static_cast<int32_t>(length * smallWidth / screenWidth);
    };
    return ScreenPreview{{left, top, left + static_cast<int32_t>(smallWidth),
                          top + static_cast<int32_t>(smallHeight)},
                         {left + shrink(full.left), top + shrink(full.top), shrink(full.cellSize)}};
}

int32_t InfoFontHeight(int32_t cellSize) {
    return Scaled(kClassicInfoFontHeight, cellSize);
}

bool IsLightSquare(int32_t file, int32_t rank) {
    const int32_t row = 7 - rank;
    return (row + file) % 2 == 0;
}

bool IsLastMoveSquare(const GameState& state, int32_t file, int32_t rank) {
    if (state.ply <= 0 || state.ply > kMaxPlies) return false;
    const MoveRecord& move = state.moves[static_cast<size_t>(state.ply - 1)];
    return (move.toFile == file && move.toRank == rank) ||
           (move.fromFile == file && move.fromRank == rank);
}

SkinCell SquareCell(const Square& square, int32_t file, int32_t rank, bool marked) {
    int32_t x = IsLightSquare(file, rank) ? kLightSquareColumn : kDarkSquareColumn;
    if (marked) x = kLastMoveColumn;
    if (square.kind != kEmpty && square.colour == kBlack) x += kBlackPieceOffset;
    return SkinCell{x, kSkinCellSize * square.kind};
}

SkinCell SkinCellFor(const GameState& state, int32_t file, int32_t rank, bool showLastMove) {
    return SquareCell(At(state, file, rank), file, rank,
                      showLastMove && IsLastMoveSquare(state, file, rank));
}

PixelPoint SquareOrigin(const BoardLayout& layout, int32_t file, int32_t rank) {
    return PixelPoint{layout.left + layout.cellSize * file,
                      layout.top + layout.cellSize * (7 - rank)};
}

TextBand InformationBand(const BoardLayout& layout, InfoLine line) {
    const BandRows rows = kInfoBandRows[static_cast<int32_t>(line)];
    const int32_t cell = layout.cellSize;
    return TextBand{layout.left, layout.top + Scaled(rows.top, cell), layout.left + 8 * cell,
                    layout.top + Scaled(rows.bottom, cell)};
}

TextBand HomePageBand(int32_t left, int32_t top, int32_t width, int32_t cellSize) {
    return TextBand{left, top, left + width, top + Scaled(kHomePageBandHeight, cellSize)};
}

bool IsFinalPosition(const GameState& state) {
    return state.ply == state.moveCount - 1;
}
