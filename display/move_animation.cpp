#include "display/move_animation.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr Square kEmptySquare{kEmpty, kWhite, 0};

Square& On(Board& board, int32_t file, int32_t rank) {
    return board[static_cast<size_t>(SquareIndex(file, rank))];
}

const MoveRecord* MoveAt(const GameState& state, int32_t ply) {
    if (ply <= 0 || ply > kMaxPlies) return nullptr;
    return &state.moves[static_cast<size_t>(ply - 1)];
}

void MarkMove(const MoveRecord* move, BoardFrame& frame) {
    frame.markedFrom = move == nullptr ? -1 : SquareIndex(move->fromFile, move->fromRank);
    frame.markedTo = move == nullptr ? -1 : SquareIndex(move->toFile, move->toRank);
}

bool MovesRook(const MoveRecord& move) {
    return move.secondKind == kRook && move.secondToFile >= 0;
}

void AddSlide(BoardFrame& frame, const Square& piece, PixelPoint from, PixelPoint to,
              int32_t elapsed) {
    frame.sliding[frame.slidingCount++] =
        SlidingPiece{piece.kind, piece.colour, SlidePoint(from, to, elapsed)};
}

}  // namespace

int32_t SlideProgress(int32_t elapsed) {
    if (elapsed <= 0) return 0;
    if (elapsed >= kSlideMilliseconds) return kSlideScale;
    // Smoothstep 3t^2 - 2t^3, in integers: t = elapsed / kSlideMilliseconds.
    const int64_t t = elapsed;
    const int64_t d = kSlideMilliseconds;
    return static_cast<int32_t>(kSlideScale * t * t * (3 * d - 2 * t) / (d * d * d));
}

PixelPoint SlidePoint(PixelPoint from, PixelPoint to, int32_t elapsed) {
    const int64_t progress = SlideProgress(elapsed);
    const auto along = [progress](int32_t a, int32_t b) {
        return static_cast<int32_t>(a + (int64_t{b} - a) * progress / kSlideScale);
    };
    return PixelPoint{along(from.x, to.x), along(from.y, to.y)};
}

bool IsSliding(const GameState& state, int32_t elapsed) {
    return elapsed < kSlideMilliseconds && MoveAt(state, state.ply) != nullptr;
}

void TakeBackMove(Board& board, const MoveRecord& move) {
    if (MovesRook(move)) {
        On(board, move.secondToFile, move.secondToRank) = kEmptySquare;
        On(board, move.secondFromFile, move.secondFromRank) = Square{kRook, move.secondColour, 0};
    }
    On(board, move.toFile, move.toRank) =
        move.capturedKind == kEmpty ? kEmptySquare
                                    : Square{move.capturedKind, OtherColour(move.pieceColour), 0};
    On(board, move.fromFile, move.fromRank) = Square{move.pieceKind, move.pieceColour, 0};
    if (move.secondKind == kPawn && move.secondFromFile >= 0) {
        On(board, move.secondFromFile, move.secondFromRank) = Square{kPawn, move.secondColour, 0};
    }
}

TextBand SlideArea(const GameState& state, const BoardLayout& layout) {
    const MoveRecord* move = MoveAt(state, state.ply);
    if (move == nullptr) return TextBand{0, 0, 0, 0};
    int32_t files[4] = {move->fromFile, move->toFile, move->fromFile, move->fromFile};
    int32_t ranks[4] = {move->fromRank, move->toRank, move->fromRank, move->fromRank};
    if (MovesRook(*move)) {
        files[2] = move->secondFromFile;
        ranks[2] = move->secondFromRank;
        files[3] = move->secondToFile;
        ranks[3] = move->secondToRank;
    }
    const PixelPoint topLeft = SquareOrigin(layout, *std::min_element(files, files + 4),
                                            *std::max_element(ranks, ranks + 4));
    const PixelPoint bottomRight = SquareOrigin(layout, *std::max_element(files, files + 4),
                                                *std::min_element(ranks, ranks + 4));
    return TextBand{topLeft.x, topLeft.y, bottomRight.x + layout.cellSize,
                    bottomRight.y + layout.cellSize};
}

void ComposeBoardFrame(const GameState& state, const BoardLayout& layout, int32_t elapsed,
                       bool showLastMove, BoardFrame& frame) {
    frame.board = state.board;
    frame.slidingCount = 0;
    const MoveRecord* move = MoveAt(state, state.ply);
    if (!IsSliding(state, elapsed)) {
        MarkMove(showLastMove ? move : nullptr, frame);
        return;
    }
    MarkMove(showLastMove ? MoveAt(state, state.ply - 1) : nullptr, frame);
    TakeBackMove(frame.board, *move);
    Square& mover = On(frame.board, move->fromFile, move->fromRank);
    AddSlide(frame, mover, SquareOrigin(layout, move->fromFile, move->fromRank),
             SquareOrigin(layout, move->toFile, move->toRank), elapsed);
    mover = kEmptySquare;
    if (MovesRook(*move)) {
        Square& rook = On(frame.board, move->secondFromFile, move->secondFromRank);
        AddSlide(frame, rook, SquareOrigin(layout, move->secondFromFile, move->secondFromRank),
                 SquareOrigin(layout, move->secondToFile, move->secondToRank), elapsed);
        rook = kEmptySquare;
    }
}
