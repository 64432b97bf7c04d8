#pragma once
// The one game record: the board on show, the FEN start position, the decoded moves and the
// counters that loading and playback use. Fixed capacity only; nothing here lives on the heap.

#include <array>
#include <cstddef>
#include <cstdint>

#include "chess/board_view.h"

// Piece kinds, as stored in Square::kind and used as skin rows.
constexpr int32_t kEmpty = 0;
constexpr int32_t kPawn = 1;
constexpr int32_t kKnight = 2;
constexpr int32_t kBishop = 3;
constexpr int32_t kRook = 4;
constexpr int32_t kQueen = 5;
constexpr int32_t kKing = 6;

constexpr int32_t kWhite = 0;
constexpr int32_t kBlack = 1;

constexpr int32_t kMaxPlies = 400;
constexpr int32_t kMaxCandidates = 100;

// Castling and en-passant word.
constexpr uint32_t kWhiteKingSide = 0x10;
constexpr uint32_t kWhiteQueenSide = 0x20;
constexpr uint32_t kBlackKingSide = 0x40;
constexpr uint32_t kBlackQueenSide = 0x80;
constexpr uint32_t kCastlingRights = 0xF0;
constexpr uint32_t kEnPassantPossible = 0x08;
constexpr uint32_t kEnPassantFileMask = 0x07;

constexpr int32_t SquareIndex(int32_t file, int32_t rank) {
    return rank * 8 + file;
}
constexpr int32_t OtherColour(int32_t colour) {
    return 1 - colour;
}
constexpr bool OnBoard(int32_t file, int32_t rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}
// White's back rank is rank 0, Black's rank 7.
constexpr int32_t HomeRank(int32_t colour) {
    return colour == kWhite ? 0 : 7;
}
// The rank a pawn of the colour reaches by one step forward from rank.
constexpr int32_t ForwardRank(int32_t colour, int32_t rank) {
    return colour == kWhite ? rank + 1 : rank - 1;
}
constexpr uint32_t KingSideRight(int32_t colour) {
    return colour == kWhite ? kWhiteKingSide : kBlackKingSide;
}
constexpr uint32_t QueenSideRight(int32_t colour) {
    return colour == kWhite ? kWhiteQueenSide : kBlackQueenSide;
}

struct Square {
    int32_t kind;
    int32_t colour;    // meaningful only while kind is not kEmpty
    int32_t isTarget;  // set by GenerateCandidates on each square the examined piece may reach
};

// 64 squares in rank * 8 + file order: a1, b1, ..., h1, a2, ..., h8.
using Board = std::array<Square, 64>;

struct MoveRecord {
    int32_t fromFile;
    int32_t fromRank;
    int32_t toFile;
    int32_t toRank;
    int32_t pieceKind;
    int32_t pieceColour;
    int32_t capturedKind;    // 0 for none; an en-passant capture records 0 here
    int32_t placedKind;      // the promotion piece, else pieceKind
    int32_t secondFromFile;  // -1 when the move has no second piece
    int32_t secondFromRank;
    int32_t secondToFile;  // -1 when none, or the second piece was removed
    int32_t secondToRank;
    int32_t secondKind;  // 0 none, 1 the pawn taken en passant, 4 the rook moved by castling
    int32_t secondColour;
    uint32_t flagsBefore;
};

struct CandidateMove {
    int8_t fromFile;
    int8_t fromRank;
    int8_t toFile;
    int8_t toRank;
};

struct GameState {
    Board board;
    Board startBoard;
    std::array<MoveRecord, kMaxPlies> moves;
    std::array<CandidateMove, kMaxCandidates> candidates;
    int32_t startSide;
    uint32_t startFlags;
    uint32_t flags;
    int32_t sideToMove;
    int32_t halfmoveClock;
    int32_t fullmoveNumber;
    int32_t ply;
    int32_t hasStartPosition;
    int32_t kingFile;
    int32_t kingRank;
    int32_t candidateCount;
    int32_t moveCount;  // positions of the loaded game (decoded moves + 1); 0 while none is loaded
    int32_t moverColour;
    int32_t opponentColour;
    // board as sets of squares, for the movement model; derived, never read for display. Kept in
    // step by the operations below and SetupFromFen; code that writes board itself calls SyncView.
    BoardView view;
};

inline Square& At(GameState& state, int32_t file, int32_t rank) {
    return state.board[static_cast<size_t>(SquareIndex(file, rank))];
}
inline const Square& At(const GameState& state, int32_t file, int32_t rank) {
    return state.board[static_cast<size_t>(SquareIndex(file, rank))];
}

// The side whose move ply is: White on even plies from the initial position; a FEN start with
// Black to move swaps.
inline int32_t SideForPly(const GameState& state) {
    const int32_t side = state.ply & 1;
    return state.hasStartPosition == 1 && state.startSide == kBlack ? OtherColour(side) : side;
}

// Rebuilds view from board.
void SyncView(GameState& state);

// Clears the board and sets up the standard initial position; touches nothing else.
void SetInitialPosition(GameState& state);

// Back to the game's start: the FEN start position when useStartPosition, else the initial one.
void ResetGame(GameState& state, bool useStartPosition);

// Moves a piece with the side effects of castling, en passant and promotion, updates flags and
// fills record. No legality test; ply and sideToMove are the caller's.
void ApplyMove(GameState& state, MoveRecord& record, int32_t fromFile, int32_t fromRank,
               int32_t toFile, int32_t toRank, int32_t promotion);

// Rebuilds position n of the game from its start by replaying the first n recorded moves.
void ReplayPlies(GameState& state, int32_t n);
