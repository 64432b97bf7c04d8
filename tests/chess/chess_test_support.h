#pragma once
// Helpers for the chess tests: positions from FEN, squares by name, boards as FEN placements.

#include <memory>
#include <string>

#include "chess/fen_setup.h"
#include "chess/game_state.h"
#include "chess/move_legality.h"
#include "chess/notation.h"

struct SquareName {
    int32_t file;
    int32_t rank;
};

// "e4" -> {4, 3}.
inline SquareName Sq(const std::string& name) {
    return {name[0] - 'a', name[1] - '1'};
}

inline std::string NameOf(int32_t file, int32_t rank) {
    return {static_cast<char>('a' + file), static_cast<char>('1' + rank)};
}

inline const Square& PieceOn(const GameState& state, const std::string& name) {
    return At(state, Sq(name).file, Sq(name).rank);
}

// The board as the placement field of a FEN text, the easiest form to compare by eye.
inline std::string Placement(const Board& board) {
    std::string text;
    for (int32_t rank = 7; rank >= 0; --rank) {
        int32_t empty = 0;
        for (int32_t file = 0; file < 8; ++file) {
            const Square& square = board[static_cast<size_t>(SquareIndex(file, rank))];
            if (square.kind == kEmpty) {
                ++empty;
                continue;
            }
            if (empty > 0) text += static_cast<char>('0' + empty);
            empty = 0;
            text += FenLetterOf(square.kind, square.colour);
        }
        if (empty > 0) text += static_cast<char>('0' + empty);
        if (rank > 0) text += '/';
    }
    return text;
}

// A game record the size of the real one, off the stack.
inline std::unique_ptr<GameState> NewGame() {
    auto state = std::make_unique<GameState>();
    ResetGame(*state, false);
    return state;
}

// A record set up as the PGN reader does it: reset, then the FEN ("" keeps the initial position).
inline std::unique_ptr<GameState> GameFrom(const std::string& fen) {
    auto state = NewGame();
    if (!fen.empty()) SetupFromFen(*state, CharString(fen.c_str()));
    return state;
}

// The squares marked for the piece on the named square, in board order: "a3 c3".
inline std::string TargetsOf(GameState& state, const std::string& name) {
    const Square& piece = PieceOn(state, name);
    GenerateCandidates(state, piece.colour, Sq(name).file, Sq(name).rank);
    std::string text;
    for (int32_t rank = 0; rank < 8; ++rank) {
        for (int32_t file = 0; file < 8; ++file) {
            if (At(state, file, rank).isTarget == 0) continue;
            if (!text.empty()) text += ' ';
            text += NameOf(file, rank);
        }
    }
    return text;
}

constexpr const char* kInitialPlacement = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
