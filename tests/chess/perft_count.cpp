#include "tests/chess/perft_count.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "chess/fen_setup.h"
#include "chess/move_legality.h"

namespace {

// More than the 218 legal moves any position can have.
constexpr size_t kMaxMoves = 256;

struct LegalMove {
    int32_t from;
    int32_t to;
    bool promotion;
};
using MoveList = std::array<LegalMove, kMaxMoves>;

bool IsPromotion(const GameState& state, int32_t from, int32_t to) {
    return state.board[static_cast<size_t>(from)].kind == kPawn &&
           (RankOfSquare(to) == 0 || RankOfSquare(to) == 7);
}

// Every legal move of the colour, piece by piece, through LegalTargets.
size_t CollectMoves(const GameState& state, int32_t colour, MoveList& moves) {
    const KingSafety safety = KingSafetyOf(state, colour);
    size_t count = 0;
    for (Bitboard pieces = state.view.byColour[static_cast<size_t>(colour)];
         pieces != kNoSquares;) {
        const int32_t from = PopFirstSquare(pieces);
        for (Bitboard targets = LegalTargets(state, colour, safety, from);
             targets != kNoSquares && count < kMaxMoves;) {
            const int32_t to = PopFirstSquare(targets);
            moves[count++] = {from, to, IsPromotion(state, from, to)};
        }
    }
    return count;
}

// The leaves one ply down, counted without making the moves: a promotion counts once per piece.
uint64_t CountMoves(const GameState& state, int32_t colour) {
    const KingSafety safety = KingSafetyOf(state, colour);
    const Bitboard lastRanks = RankBits(0) | RankBits(7);
    uint64_t leaves = 0;
    for (Bitboard pieces = state.view.byColour[static_cast<size_t>(colour)];
         pieces != kNoSquares;) {
        const int32_t from = PopFirstSquare(pieces);
        const Bitboard targets = LegalTargets(state, colour, safety, from);
        const bool pawn = state.board[static_cast<size_t>(from)].kind == kPawn;
        const Bitboard promotions = pawn ? targets & lastRanks : kNoSquares;
        leaves += static_cast<uint64_t>(CountSquares(targets) + 3 * CountSquares(promotions));
    }
    return leaves;
}

}  // namespace

uint64_t CountLeaves(GameState& state, int32_t colour, int32_t depth) {
    if (depth <= 0) return 1;
    if (depth == 1) return CountMoves(state, colour);
    MoveList moves;
    const size_t count = CollectMoves(state, colour, moves);
    uint64_t leaves = 0;
    for (size_t i = 0; i < count; ++i) {
        const LegalMove& move = moves[i];
        const int32_t firstPiece = move.promotion ? kKnight : kQueen;
        for (int32_t piece = firstPiece; piece <= kQueen; ++piece) {
            const Board board = state.board;
            const BoardView view = state.view;
            const uint32_t flags = state.flags;
            MoveRecord record{};
            ApplyMove(state, record, FileOfSquare(move.from), RankOfSquare(move.from),
                      FileOfSquare(move.to), RankOfSquare(move.to), piece);
            leaves += CountLeaves(state, OtherColour(colour), depth - 1);
            state.board = board;
            state.view = view;
            state.flags = flags;
        }
    }
    return leaves;
}

const std::vector<PerftPosition>& StandardPerftPositions() {
    static const std::vector<PerftPosition> positions = {
        {"initial",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
         {20, 400, 8902, 197281, 4865609}},
        {"kiwipete",
         "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
         {48, 2039, 97862, 4085603}},
        {"position3",
         "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
         {14, 191, 2812, 43238, 674624, 11030083}},
        {"position4",
         "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
         {6, 264, 9467, 422333, 15833292}},
        {"position5",
         "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
         {44, 1486, 62379, 2103487}},
        {"position6",
         "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
         {46, 2079, 89890, 3894594}},
    };
    return positions;
}

std::vector<PerftPosition> ReadPerftFile(const std::string& path) {
    std::vector<PerftPosition> positions;
    std::ifstream in(path);
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream words(text);
        std::string key;
        words >> key;
        if (key == "id") {
            positions.emplace_back();
            words >> positions.back().name;
        } else if (key == "epd" && !positions.empty()) {
            std::getline(words >> std::ws, positions.back().fen);
        } else if (key == "perft" && !positions.empty()) {
            size_t depth = 0;
            uint64_t nodes = 0;
            words >> depth >> nodes;
            if (depth == 0) continue;
            positions.back().nodes.resize(std::max(positions.back().nodes.size(), depth));
            positions.back().nodes[depth - 1] = nodes;
        }
    }
    return positions;
}

uint64_t RunPerft(GameState& state, const PerftPosition& position, int32_t depth) {
    ResetGame(state, false);
    SetupFromFen(state, CharString(position.fen.c_str()));
    return CountLeaves(state, state.sideToMove, depth);
}
