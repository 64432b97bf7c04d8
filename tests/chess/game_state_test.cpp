#include "chess/game_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/chess/chess_test_support.h"

namespace {

// Applies "e2e4" as the next move of the game, as the SAN interpreter does after its checks.
void Play(GameState& state, const std::string& move, int32_t promotion = 0) {
    const SquareName from = Sq(move.substr(0, 2));
    const SquareName to = Sq(move.substr(2, 2));
    ApplyMove(state, state.moves[static_cast<size_t>(state.ply)], from.file, from.rank, to.file,
              to.rank, promotion);
    state.ply += 1;
    state.moveCount = state.ply + 1;
}

TEST(ResetGame, WithoutStartPositionGivesTheInitialPosition) {
    auto state = GameFrom("8/8/8/8/8/8/8/K6k b - - 7 30");
    ResetGame(*state, false);
    EXPECT_EQ(Placement(state->board), kInitialPlacement);
    EXPECT_EQ(state->flags, 240u);
    EXPECT_EQ(state->sideToMove, kWhite);
    EXPECT_EQ(state->startSide, kWhite);
    EXPECT_EQ(state->ply, 0);
    EXPECT_EQ(state->halfmoveClock, 0);
    EXPECT_EQ(state->fullmoveNumber, 1);
    EXPECT_EQ(state->hasStartPosition, 0);
    // The FEN start board stays for a later reset with the start position.
    EXPECT_EQ(Placement(state->startBoard), "8/8/8/8/8/8/8/K6k");
}

TEST(ResetGame, WithStartPositionRestoresTheFenPosition) {
    auto state = GameFrom("4k3/8/8/8/3Pp3/8/8/4K3 b - d3 7 30");
    Play(*state, "e4d3");
    Play(*state, "e1d1");
    ResetGame(*state, true);
    EXPECT_EQ(Placement(state->board), "4k3/8/8/8/3Pp3/8/8/4K3");
    EXPECT_EQ(state->flags, 8u | 3u);
    EXPECT_EQ(state->sideToMove, kBlack);
    EXPECT_EQ(state->ply, 0);
    EXPECT_EQ(state->hasStartPosition, 1);
    EXPECT_EQ(state->halfmoveClock, 7);
    EXPECT_EQ(state->fullmoveNumber, 30);
}

struct ApplyCase {
    const char* name;
    const char* fen;  // "" for the initial position
    const char* move;
    int32_t promotion;
    const char* placement;  // board afterwards
    uint32_t flags;         // flags afterwards
    int32_t capturedKind;
    int32_t placedKind;
    int32_t secondKind;
    const char* secondFrom;  // "" when the move has no second piece
    const char* secondTo;    // "" when there is none or it was removed
    int32_t secondColour;
};

const std::vector<ApplyCase> kApplyCases = {
    {"double step sets the en-passant file", "", "e2e4", 0,
     "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", 252, 0, kPawn, 0, "", "", 0},
    {"black double step", "", "d7d5", 0, "rnbqkbnr/ppp1pppp/8/3p4/8/8/PPPPPPPP/RNBQKBNR",
     240 | 8 | 3, 0, kPawn, 0, "", "", 0},
    {"white castles king-side", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", 0,
     "r3k2r/8/8/8/8/8/8/R4RK1", 0xC0, 0, kKing, kRook, "h1", "f1", kWhite},
    {"black castles queen-side", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", 0,
     "2kr3r/8/8/8/8/8/8/R3K2R", 0x30, 0, kKing, kRook, "a8", "d8", kBlack},
    {"en passant e5xd6 takes the d5 pawn",
     "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", "e5d6", 0,
     "rnbqkbnr/ppp1pppp/3P4/8/8/8/PPPP1PPP/RNBQKBNR", 240, 0, kPawn, kPawn, "d5", "", kBlack},
    {"black en passant e4xd3", "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "e4d3", 0,
     "4k3/8/8/8/8/3p4/8/4K3", 0, 0, kPawn, kPawn, "d4", "", kWhite},
    {"promotion to a queen", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8", kQueen,
     "k3Q3/8/8/8/8/8/8/4K3", 0, 0, kQueen, 0, "", "", 0},
    {"capturing promotion to a knight", "k4r2/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7f8", kKnight,
     "k4N2/8/8/8/8/8/8/4K3", 0, kRook, kKnight, 0, "", "", 0},
    {"black promotes on rank 1", "4k3/8/8/8/8/8/p7/4K3 b - - 0 1", "a2a1", kRook,
     "4k3/8/8/8/8/8/8/r3K3", 0, 0, kRook, 0, "", "", 0},
    {"a move short of the last rank ignores the promotion", "", "e2e3", kQueen,
     "rnbqkbnr/pppppppp/8/8/8/4P3/PPPP1PPP/RNBQKBNR", 240, 0, kPawn, 0, "", "", 0},
    {"a rook leaving a4 keeps the queen-side right", "r3k2r/8/8/8/R7/8/8/R3K2R w KQkq - 0 1",
     "a4b4", 0, "r3k2r/8/8/8/1R6/8/8/R3K2R", 0xF0, 0, kRook, 0, "", "", 0},
    {"a rook leaving h1 costs the king-side right", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "h1h5",
     0, "r3k2r/8/8/7R/8/8/8/R3K3", 0xE0, 0, kRook, 0, "", "", 0},
    {"any king move costs both rights", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8d7", 0,
     "r6r/3k4/8/8/8/8/8/R3K2R", 0x30, 0, kKing, 0, "", "", 0},
    {"a rook taken on its corner takes its right along", "r3k2r/6B1/8/8/8/8/8/R3K2R w KQkq - 0 1",
     "g7h8", 0, "r3k2B/8/8/8/8/8/8/R3K2R", 0xB0, kRook, kBishop, 0, "", "", 0},
    {"rook takes rook: both queen-side rights go", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "a8a1",
     0, "4k2r/8/8/8/8/8/8/r3K2R", 0x50, kRook, kRook, 0, "", "", 0},
    {"a rook taken off its corner leaves the rights", "r3k2r/8/8/8/8/8/8/R3K1rR w KQkq - 0 1",
     "h1g1", 0, "r3k2r/8/8/8/8/8/8/R3K1R1", 0xE0, kRook, kRook, 0, "", "", 0},
};

TEST(ApplyMove, MovesRecordsAndFlags) {
    for (const ApplyCase& c : kApplyCases) {
        SCOPED_TRACE(c.name);
        auto state = GameFrom(c.fen);
        const uint32_t flagsBefore = state->flags;
        const SquareName from = Sq(std::string(c.move).substr(0, 2));
        const SquareName to = Sq(std::string(c.move).substr(2, 2));
        const int32_t movedKind = At(*state, from.file, from.rank).kind;
        MoveRecord record{};
        ApplyMove(*state, record, from.file, from.rank, to.file, to.rank, c.promotion);
        EXPECT_EQ(Placement(state->board), c.placement);
        EXPECT_EQ(state->flags, c.flags);
        EXPECT_EQ(record.flagsBefore, flagsBefore);
        EXPECT_EQ(record.fromFile * 10 + record.fromRank, from.file * 10 + from.rank);
        EXPECT_EQ(record.toFile * 10 + record.toRank, to.file * 10 + to.rank);
        EXPECT_EQ(record.pieceKind, movedKind);
        EXPECT_EQ(record.capturedKind, c.capturedKind);
        EXPECT_EQ(record.placedKind, c.placedKind);
        EXPECT_EQ(record.secondKind, c.secondKind);
        const std::string secondFrom = c.secondFrom;
        const std::string secondTo = c.secondTo;
        EXPECT_EQ(
            record.secondFromFile == -1 ? "" : NameOf(record.secondFromFile, record.secondFromRank),
            secondFrom);
        EXPECT_EQ(record.secondToFile == -1 ? "" : NameOf(record.secondToFile, record.secondToRank),
                  secondTo);
        if (c.secondKind != 0) {
            EXPECT_EQ(record.secondColour, c.secondColour);
        }
        EXPECT_EQ(state->ply, 0) << "ply is the caller's";
    }
}

TEST(ApplyMove, EnPassantLastsOneMove) {
    auto state = NewGame();
    Play(*state, "e2e4");
    EXPECT_EQ(state->flags, 252u);
    Play(*state, "g8f6");
    EXPECT_EQ(state->flags, 240u);
}

// A two-square king move whose rook is not on its corner (a FEN set-up) moves the king alone.
TEST(ApplyMove, CastlingWithoutItsRookMovesOnlyTheKing) {
    auto state = GameFrom("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    MoveRecord record{};
    ApplyMove(*state, record, 4, 0, 6, 0, 0);
    EXPECT_EQ(Placement(state->board), "4k3/8/8/8/8/8/8/6K1");
    EXPECT_EQ(record.secondKind, 0);
}

TEST(ReplayPlies, RebuildsAnyPositionFromTheStart) {
    auto state = NewGame();
    for (const char* move : {"e2e4", "d7d5", "e4d5", "g8f6", "f1b5"})
        Play(*state, move);
    const std::string afterThree = "rnbqkbnr/ppp1pppp/8/3P4/8/8/PPPP1PPP/RNBQKBNR";
    std::vector<MoveRecord> moves(state->moves.begin(), state->moves.begin() + 5);

    ReplayPlies(*state, 0);
    EXPECT_EQ(Placement(state->board), kInitialPlacement);
    EXPECT_EQ(state->ply, 0);

    for (int repeat = 0; repeat < 2; ++repeat) {
        ReplayPlies(*state, 3);
        EXPECT_EQ(Placement(state->board), afterThree);
        EXPECT_EQ(state->ply, 3);
        EXPECT_EQ(state->sideToMove, kBlack);
        EXPECT_EQ(state->flags, 240u);
    }
    EXPECT_EQ(std::memcmp(moves.data(), state->moves.data(), sizeof(MoveRecord) * moves.size()), 0);
    ReplayPlies(*state, -2);
    EXPECT_EQ(Placement(state->board), kInitialPlacement);
}

TEST(ReplayPlies, RepeatsCastlingEnPassantAndPromotion) {
    auto state = GameFrom("r3k2r/1P6/8/8/3p4/8/4P3/R3K2R w KQkq - 0 1");
    for (const char* move : {"e1g1", "e8c8", "e2e4", "d4e3"})
        Play(*state, move);
    Play(*state, "b7b8", kKnight);
    const std::string final = Placement(state->board);
    EXPECT_EQ(final, "1Nkr3r/8/8/8/8/4p3/8/R4RK1");
    ReplayPlies(*state, 5);
    EXPECT_EQ(Placement(state->board), final);
    EXPECT_EQ(state->flags, 0u);
}

TEST(ReplayPlies, FenStartWithBlackToMove) {
    auto state = GameFrom("4k3/8/8/8/8/8/8/4K3 b - - 0 1");
    Play(*state, "e8e7");
    ReplayPlies(*state, 1);
    EXPECT_EQ(state->sideToMove, kWhite);
    EXPECT_EQ(Placement(state->board), "8/4k3/8/8/8/8/8/4K3");
}

}  // namespace
