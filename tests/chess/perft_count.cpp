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
using MoveList = std::array<CandidateMove, kMaxMoves>;

// Every legal move of the colour, piece by piece; candidates is scratch, so it is copied out.
size_t CollectMoves(GameState& state, int32_t colour, MoveList& moves) {
    size_t count = 0;
    for (int32_t rank = 0; rank < 8; ++rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const Square& square = At(state, file, rank);
            if (square.kind == kEmpty || square.colour != colour) continue;
            GenerateCandidates(state, colour, file, rank);
            for (int32_t i = 0; i < state.candidateCount && count < kMaxMoves; ++i)
                moves[count++] = state.candidates[static_cast<size_t>(i)];
        }
    }
    return count;
}

bool IsPromotion(const GameState& state, const CandidateMove& move) {
    return At(state, move.fromFile, move.fromRank).kind == kPawn &&
           (move.toRank == 0 || move.toRank == 7);
}

}  // namespace

uint64_t CountLeaves(GameState& state, int32_t colour, int32_t depth) {
    if (depth <= 0) return 1;
    MoveList moves;
    const size_t count = CollectMoves(state, colour, moves);
    uint64_t leaves = 0;
    for (size_t i = 0; i < count; ++i) {
        const CandidateMove& move = moves[i];
        const bool promotion = IsPromotion(state, move);
        if (depth == 1) {
            leaves += promotion ? 4 : 1;
            continue;
        }
        const int32_t firstPiece = promotion ? kKnight : kQueen;
        for (int32_t piece = firstPiece; piece <= kQueen; ++piece) {
            const Board board = state.board;
            const uint32_t flags = state.flags;
            MoveRecord record{};
            ApplyMove(state, record, move.fromFile, move.fromRank, move.toFile, move.toRank, piece);
            leaves += CountLeaves(state, OtherColour(colour), depth - 1);
            state.board = board;
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
