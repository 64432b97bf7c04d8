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

}  // namespace

BoardLayout ComputeBoardLayout(int32_t width, int32_t height, bool fullScreen) {
    const int32_t cell = fullScreen ? kSkinCellSize : std::min(width, height) / 8;
    const int32_t board = 8 * cell;
    return BoardLayout{CentredEdge(width, board), CentredEdge(height, board), cell};
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

SkinCell SkinCellFor(const GameState& state, int32_t file, int32_t rank, bool showLastMove) {
    const Square& square = At(state, file, rank);
    int32_t x = IsLightSquare(file, rank) ? kLightSquareColumn : kDarkSquareColumn;
    if (showLastMove && IsLastMoveSquare(state, file, rank)) x = kLastMoveColumn;
    if (square.kind != kEmpty && square.colour == kBlack) x += kBlackPieceOffset;
    return SkinCell{x, kSkinCellSize * square.kind};
}

PixelPoint SquareOrigin(const BoardLayout& layout, int32_t file, int32_t rank) {
    return PixelPoint{layout.left + layout.cellSize * file,
                      layout.top + layout.cellSize * (7 - rank)};
}

TextBand InformationBand(int32_t boardLeft, int32_t boardTop, InfoLine line) {
    const BandRows rows = kInfoBandRows[static_cast<int32_t>(line)];
    return TextBand{boardLeft, boardTop + rows.top, boardLeft + kFullScreenBoardSize,
                    boardTop + rows.bottom};
}

TextBand HomePageBand(int32_t width) {
    return TextBand{0, 0, width, kHomePageBandHeight};
}

bool IsFinalPosition(const GameState& state) {
    return state.ply == state.moveCount - 1;
}
