#pragma once
// The slide of a move: for any time since the ply was stepped, which pieces stand on which squares,
// which squares are marked, and where the travelling pieces are. Pure functions of the move record
// and the elapsed time; the window only asks for frames until the slide has ended.

#include <cstdint>

#include "chess/game_state.h"
#include "display/board_layout.h"

// How long a piece takes from its square to its target.
constexpr int32_t kSlideMilliseconds = 250;

// Progress along a slide, from 0 at the start to kSlideScale at the end.
constexpr int32_t kSlideScale = 1024;

struct SlidingPiece {
    int32_t kind;
    int32_t colour;
    PixelPoint at;  // top-left corner of its cell on the drawing area
};

// One frame of the board: the standing pieces, the marked squares and up to two travelling pieces
// (the mover, and the rook of a castling).
struct BoardFrame {
    Board board;
    int32_t markedFrom;  // square index, or -1
    int32_t markedTo;    // square index, or -1
    int32_t slidingCount;
    SlidingPiece sliding[2];
};

// Eased progress after elapsed milliseconds: slow at both ends, kSlideScale from the slide's end.
int32_t SlideProgress(int32_t elapsed);

// The travelling cell's corner after elapsed milliseconds on its way from one corner to another.
PixelPoint SlidePoint(PixelPoint from, PixelPoint to, int32_t elapsed);

// Whether a slide is still under way for the position on show.
bool IsSliding(const GameState& state, int32_t elapsed);

// Takes the move back on the board: the mover (a pawn again after a promotion) to its square, the
// captured piece, the pawn taken en passant and the castling rook back where they stood.
void TakeBackMove(Board& board, const MoveRecord& move);

// The squares a slide of the position's last move passes over (the mover's and, in a castling,
// the rook's from and to squares and everything between), as the layout places them: the part of
// the board its frames change until the slide ends. Empty (right <= left) at ply 0.
TextBand SlideArea(const GameState& state, const BoardLayout& layout);

// The frame to draw elapsed milliseconds after the ply was stepped. During the slide the board is
// the one before the move, less the travelling pieces, with the earlier move's marks; the captured
// piece stays until the slide ends, and the move's own marks come with the end. From then on, and
// at ply 0, it is the position on show with its last move marked.
void ComposeBoardFrame(const GameState& state, const BoardLayout& layout, int32_t elapsed,
                       bool showLastMove, BoardFrame& frame);
