#pragma once
// Where the board, its squares and the text around it go on a drawing area, and which cell of the
// skin bitmap each square shows. All the arithmetic of drawing, none of the drawing.

#include <cstdint>

#include "chess/game_state.h"

// Skin cells are this many pixels square; the full-screen board shows them unscaled.
constexpr int32_t kSkinCellSize = 64;
constexpr int32_t kFullScreenBoardSize = 8 * kSkinCellSize;

// Skin cell columns (x of the cell's left edge).
constexpr int32_t kDarkSquareColumn = 0;
constexpr int32_t kLightSquareColumn = 64;
constexpr int32_t kLastMoveColumn = 256;
constexpr int32_t kBlackPieceOffset = 320;

struct BoardLayout {
    int32_t left;
    int32_t top;
    int32_t cellSize;  // 0 when the area is too small for any board
};

struct SkinCell {
    int32_t x;
    int32_t y;
};

struct PixelPoint {
    int32_t x;
    int32_t y;
};

struct TextBand {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The five information lines, top to bottom of the screen.
enum class InfoLine : int32_t { BlackName = 0, WhiteName, Date, Event, Site };

// Full-screen: 64-pixel cells centred, pinned to the top-left where the area is smaller than the
// board. Preview: the largest cell that fits eight times, centred.
BoardLayout ComputeBoardLayout(int32_t width, int32_t height, bool fullScreen);

// Light squares: a8 and h1 and every square of their colour.
bool IsLightSquare(int32_t file, int32_t rank);

// True when the square is the from- or to-square of the move that produced the board's position.
bool IsLastMoveSquare(const GameState& state, int32_t file, int32_t rank);

// The skin cell for a square of the board on show: row by piece kind, column by square colour,
// last-move mark and piece colour.
SkinCell SkinCellFor(const GameState& state, int32_t file, int32_t rank, bool showLastMove);

// Top-left corner of a square on the drawing area; the board is seen from White's side.
PixelPoint SquareOrigin(const BoardLayout& layout, int32_t file, int32_t rank);

// The band of one information line, relative to the full-screen board's left and top edges.
TextBand InformationBand(int32_t boardLeft, int32_t boardTop, InfoLine line);

// The home-page line's band: the top 40 pixels across the whole width.
TextBand HomePageBand(int32_t width);

// True when the position after the game's last decoded ply is on the board.
bool IsFinalPosition(const GameState& state);
