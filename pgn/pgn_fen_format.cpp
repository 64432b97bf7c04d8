#include "pgn/pgn_fen_format.h"

#include <string>

namespace {

char PieceLetter(const Square& square) {
    static constexpr char kLetters[] = " PNBRQK";
    const char letter = kLetters[square.kind];
    return square.colour == kWhite ? letter : static_cast<char>(letter - 'A' + 'a');
}

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
            fen += PieceLetter(square);
        }
        if (empty > 0) fen += static_cast<char>('0' + empty);
        if (rank > 0) fen += '/';
    }
}

bool Holds(const GameState& state, int32_t file, int32_t rank, int32_t kind, int32_t colour) {
    const Square& square = At(state, file, rank);
    return square.kind == kind && square.colour == colour;
}

void AppendCastling(const GameState& state, std::string& fen) {
    struct Right {
        uint32_t bit;
        int32_t colour;
        int32_t rookFile;
        char letter;
    };
    static constexpr Right kRights[] = {{kWhiteKingSide, kWhite, 7, 'K'},
                                        {kWhiteQueenSide, kWhite, 0, 'Q'},
                                        {kBlackKingSide, kBlack, 7, 'k'},
                                        {kBlackQueenSide, kBlack, 0, 'q'}};
    const size_t before = fen.size();
    for (const Right& right : kRights) {
        const int32_t home = right.colour == kWhite ? 0 : 7;
        if ((state.flags & right.bit) != 0 && Holds(state, 4, home, kKing, right.colour) &&
            Holds(state, right.rookFile, home, kRook, right.colour))
            fen += right.letter;
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

int32_t SideToMoveAfterPlies(const GameState& state) {
    const int32_t startSide = state.hasStartPosition == 1 ? state.startSide : kWhite;
    return (state.ply & 1) == 0 ? startSide : OtherColour(startSide);
}

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
    const int32_t side = SideToMoveAfterPlies(state);
    std::string fen;
    AppendPlacement(state, fen);
    fen += side == kWhite ? " w " : " b ";
    AppendCastling(state, fen);
    fen += ' ';
    AppendEnPassant(state, side, fen);
    fen += ' ' + std::to_string(halfmoveClock) + ' ' + std::to_string(fullmoveNumber);
    return CharString(fen.c_str());
}
