#pragma once
// Where the board, its squares and the text around it go on a drawing area, and which cell of the
// skin bitmap each square shows. All the arithmetic of drawing, none of the drawing.

#include <cstdint>

#include "chess/game_state.h"

// Skin cells are this many pixels square; the full-screen board shows them unscaled.
constexpr int32_t kSkinCellSize = 64;
constexpr int32_t kFullScreenBoardSize = 8 * kSkinCellSize;
// A skin sheet: ten columns of cells, seven rows.
constexpr int32_t kSkinSheetWidth = 10 * kSkinCellSize;
constexpr int32_t kSkinSheetHeight = 7 * kSkinCellSize;

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

// The screen a classic layout was drawn for; a fitted board grows with the screen from here.
constexpr int32_t kClassicScreenWidth = 1024;
constexpr int32_t kClassicScreenHeight = 768;

// The cell of a board fitted to a screen: the classic 64 scaled by the smaller of the screen's
// width and height ratios to the classic screen, so that board, text bands and margins keep their
// classic proportions; never below 64, so a classic screen or a smaller one keeps the classic
// layout.
int32_t FittedCellSize(int32_t width, int32_t height);

// The full-screen board: classic 64-pixel cells, or with fit the fitted cell; centred either way.
BoardLayout ComputeFullScreenLayout(int32_t width, int32_t height, bool fit);

// The settings' preview of a fitted board: the screen drawn as large as the preview area allows,
// centred in it, and the fitted board at its place on that small screen.
struct ScreenPreview {
    TextBand screen;
    BoardLayout board;  // cellSize 0 when the small screen is too small for any board
};

// The preview of a board fitted to a screen of screenWidth x screenHeight in an area of
// width x height.
ScreenPreview ComputeScreenPreview(int32_t width, int32_t height, int32_t screenWidth,
                                   int32_t screenHeight);

// Height of the information font for a board of this cell size (24 at the classic 64).
int32_t InfoFontHeight(int32_t cellSize);

// Light squares: a8 and h1 and every square of their colour.
bool IsLightSquare(int32_t file, int32_t rank);

// True when the square is the from- or to-square of the move that produced the board's position.
bool IsLastMoveSquare(const GameState& state, int32_t file, int32_t rank);

// The skin cell for a square holding this piece (or none), marked or not as a last-move square.
SkinCell SquareCell(const Square& square, int32_t file, int32_t rank, bool marked);

// The skin cell for a square of the board on show: row by piece kind, column by square colour,
// last-move mark and piece colour.
SkinCell SkinCellFor(const GameState& state, int32_t file, int32_t rank, bool showLastMove);

// Top-left corner of a square on the drawing area; the board is seen from White's side.
PixelPoint SquareOrigin(const BoardLayout& layout, int32_t file, int32_t rank);

// The band of one information line around the full-screen board, scaled with its cell size.
TextBand InformationBand(const BoardLayout& layout, InfoLine line);

// The home-page line's band: the top 40 pixels (scaled with the cell size) across the area whose
// top-left corner is (left, top).
TextBand HomePageBand(int32_t left, int32_t top, int32_t width, int32_t cellSize);

// True when the position after the game's last decoded ply is on the board.
bool IsFinalPosition(const GameState& state);
