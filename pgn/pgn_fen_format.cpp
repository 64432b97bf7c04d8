#include "pgn/pgn_fen_format.h"

#include <string>

#include "chess/castling.h"
#include "chess/notation.h"

namespace {

void AppendPlacement(const GameState& state, std::string& fen) {
    for (int32_t rank = 7; rank >= 0; --rank) {
        int32_t empty = 0;
        for (int32_t file = 0; file < 8; ++file) {
            const Square& square = At(state, file, rank);
            if (square.kind < kPawn || square.kind > kKing) {
                ++empty;
                continue;
            }
            if (empty > 0) fen += static_cast<char>('0' + empty);
            empty = 0;
            fen += FenLetterOf(square.kind, square.colour);
        }
        if (empty > 0) fen += static_cast<char>('0' + empty);
        if (rank > 0) fen += '/';
    }
}

// In FEN's order, KQkq: for each colour the king side (K), then the queen side (Q).
void AppendCastling(const GameState& state, std::string& fen) {
    const uint32_t rights = state.flags & RightsWithPiecesAtHome(state);
    const size_t before = fen.size();
    for (const int32_t colour : {kWhite, kBlack}) {
        for (const CastlingSide& side : kCastlingSides) {
            if ((rights & CastlingRight(colour, side)) != 0)
                fen += FenLetterOf(side.kingSide ? kKing : kQueen, colour);
        }
    }
    if (fen.size() == before) fen += '-';
}

void AppendEnPassant(const GameState& state, int32_t side, std::string& fen) {
    if ((state.flags & kEnPassantPossible) == 0) {
        fen += '-';
        return;
    }
    fen += static_cast<char>('a' + (state.flags & kEnPassantFileMask));
    fen += side == kWhite ? '6' : '3';
}

}  // namespace

CharString FormatFen(const GameState& state) {
    // The set-up's counters, then one step per decoded move: a pawn move or a capture resets the
    // halfmove clock, and Black's move ends a full move. A FEN tag may give counters up to the
    // largest 32-bit value, so they run on in 64 bits.
    int64_t halfmoveClock = state.halfmoveClock;
    int64_t fullmoveNumber = state.fullmoveNumber;
    for (int32_t i = 0; i < state.ply && i < kMaxPlies; ++i) {
        const MoveRecord& move = state.moves[static_cast<size_t>(i)];
        const bool resets = move.pieceKind == kPawn || move.capturedKind != kEmpty;
        halfmoveClock = resets ? 0 : halfmoveClock + 1;
        if (move.pieceColour == kBlack) ++fullmoveNumber;
    }
    const int32_t side = SideForPly(state);
    std::string fen;
    AppendPlacement(state, fen);
    fen += side == kWhite ? " w " : " b ";
    AppendCastling(state, fen);
    fen += ' ';
    AppendEnPassant(state, side, fen);
    fen += ' ' + std::to_string(halfmoveClock) + ' ' + std::to_string(fullmoveNumber);
    return CharString(fen.c_str());
}
