#include "tests/chess/movement_comparison.h"

#include <cstring>
#include <memory>

#include "chess/move_legality.h"
#include "tests/chess/reference_movement.h"

namespace {

std::string SquareName(int32_t file, int32_t rank) {
    return {static_cast<char>('a' + file), static_cast<char>('1' + rank)};
}

// The generator's visible results: the list in order, the markers, and its scratch fields.
struct Generation {
    int32_t count;
    std::array<CandidateMove, kMaxCandidates> candidates;
    Bitboard marked;
    int32_t kingFile;
    int32_t kingRank;
};

Generation Capture(const GameState& state) {
    Generation generation{state.candidateCount, state.candidates, kNoSquares, state.kingFile,
                          state.kingRank};
    for (int32_t index = 0; index < 64; ++index) {
        if (state.board[static_cast<size_t>(index)].isTarget != 0)
            generation.marked |= SquareBit(index);
    }
    return generation;
}

bool SameGeneration(const Generation& a, const Generation& b) {
    if (a.count != b.count || a.marked != b.marked) return false;
    if (a.count > 0 && (a.kingFile != b.kingFile || a.kingRank != b.kingRank)) return false;
    for (int32_t i = 0; i < a.count; ++i) {
        const CandidateMove& x = a.candidates[static_cast<size_t>(i)];
        const CandidateMove& y = b.candidates[static_cast<size_t>(i)];
        if (x.fromFile != y.fromFile || x.fromRank != y.fromRank || x.toFile != y.toFile ||
            x.toRank != y.toRank)
            return false;
    }
    return true;
}

std::string CompareGenerations(GameState& state, int32_t colour, int32_t file, int32_t rank) {
    const std::string where = SquareName(file, rank) + " for colour " + std::to_string(colour);
    reference::GenerateCandidates(state, colour, file, rank);
    const Generation expected = Capture(state);
    GenerateCandidates(state, colour, file, rank);
    const Generation actual = Capture(state);
    if (!SameGeneration(actual, expected)) return "GenerateCandidates differs on " + where;
    if (At(state, file, rank).kind == kEmpty || At(state, file, rank).colour != colour) return "";
    const Bitboard legal =
        LegalTargets(state, colour, KingSafetyOf(state, colour), SquareIndex(file, rank));
    if (legal != expected.marked) return "LegalTargets differs on " + where;
    return "";
}

std::string CompareMoveChecks(GameState& state, int32_t colour, int32_t file, int32_t rank) {
    KingSquare king = kKingNotLookedUp;
    KingSquare referenceKing = kKingNotLookedUp;
    for (int32_t to = 0; to < 64; ++to) {
        const int32_t toFile = FileOfSquare(to);
        const int32_t toRank = RankOfSquare(to);
        if (CanMoveTo(state, colour, king, file, rank, toFile, toRank) !=
            reference::CanMoveTo(state, colour, referenceKing, file, rank, toFile, toRank))
            return "CanMoveTo differs from " + SquareName(file, rank) + " to " +
                   SquareName(toFile, toRank);
    }
    return "";
}

std::string CompareAttacks(const GameState& state, int32_t colour) {
    int32_t file = 0;
    int32_t rank = 0;
    if (IsSquareAttacked(state, colour, -1, 0) != reference::IsSquareAttacked(state, colour, -1, 0))
        return "IsSquareAttacked differs on the king of colour " + std::to_string(colour);
    int32_t referenceFile = 0;
    int32_t referenceRank = 0;
    if (FindKing(state, colour, file, rank) !=
            reference::FindKing(state, colour, referenceFile, referenceRank) ||
        file != referenceFile || rank != referenceRank)
        return "FindKing differs for colour " + std::to_string(colour);
    for (int32_t index = 0; index < 64; ++index) {
        const int32_t f = FileOfSquare(index);
        const int32_t r = RankOfSquare(index);
        if (IsSquareAttacked(state, colour, f, r) !=
            reference::IsSquareAttacked(state, colour, f, r))
            return "IsSquareAttacked differs on " + SquareName(f, r) + " for colour " +
                   std::to_string(colour);
    }
    return "";
}

}  // namespace

bool ViewInStep(const GameState& state) {
    static const std::unique_ptr<GameState> rebuilt = std::make_unique<GameState>();
    rebuilt->board = state.board;
    SyncView(*rebuilt);
    return std::memcmp(&rebuilt->view, &state.view, sizeof state.view) == 0;
}

std::string CompareMovement(GameState& state, bool withMoveChecks) {
    if (!ViewInStep(state)) return "the view is out of step with the board";
    const Board board = state.board;
    std::string difference;
    for (int32_t colour = kWhite; colour <= kBlack && difference.empty(); ++colour) {
        difference = CompareAttacks(state, colour);
        for (int32_t index = 0; index < 64 && difference.empty(); ++index) {
            const int32_t file = FileOfSquare(index);
            const int32_t rank = RankOfSquare(index);
            difference = CompareGenerations(state, colour, file, rank);
            const Square& square = At(state, file, rank);
            const bool own = square.kind != kEmpty && square.colour == colour;
            if (difference.empty() && withMoveChecks && own)
                difference = CompareMoveChecks(state, colour, file, rank);
        }
    }
    for (size_t i = 0; i < board.size() && difference.empty(); ++i) {
        if (board[i].kind != state.board[i].kind || board[i].colour != state.board[i].colour)
            difference = "the comparison changed the board";
    }
    return difference;
}
