#include "chess/fen_setup.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/chess/chess_test_support.h"

namespace {

TEST(SetupFromFen, InitialPositionMatchesSetInitialPosition) {
    auto state = NewGame();
    auto reference = NewGame();
    state->moveCount = 17;
    state->moves[0].toFile = 5;
    SetupFromFen(*state, CharString("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
    EXPECT_EQ(Placement(state->board), Placement(reference->board));
    EXPECT_EQ(Placement(state->startBoard), kInitialPlacement);
    EXPECT_EQ(state->sideToMove, kWhite);
    EXPECT_EQ(state->startSide, kWhite);
    EXPECT_EQ(state->flags, 240u);
    EXPECT_EQ(state->startFlags, 240u);
    EXPECT_EQ(state->halfmoveClock, 0);
    EXPECT_EQ(state->fullmoveNumber, 1);
    EXPECT_EQ(state->hasStartPosition, 1);
    EXPECT_EQ(state->ply, 0);
    EXPECT_EQ(state->moveCount, 17) << "the loaded game's counters are not the set-up's";
    EXPECT_EQ(state->moves[0].toFile, 5);
}

struct PlacementCase {
    const char* fen;
    const char* placement;
};

const std::vector<PlacementCase> kPlacementCases = {
    {"8/8/8/8/8/8/8/8", "8/8/8/8/8/8/8/8"},
    // "8" is a whole empty rank and consumes the "/" after it.
    {"8/k7/8/8/8/8/8/7K", "8/k7/8/8/8/8/8/7K"},
    // Whatever follows an "8" is skipped, here a king; the ranks then run out one early.
    {"8k7/8/8/8/8/8/8/7K", "8/8/8/8/8/8/8/8"},
    {"44/k7/8/8/8/8/8/7K", "8/k7/8/8/8/8/8/7K"},
    {"11111111/k7/8/8/8/8/8/7K", "8/k7/8/8/8/8/8/7K"},
    // A ninth piece in a rank is not placed.
    {"rnbqkbnrp/8/8/8/8/8/8/8", "rnbqkbnr/8/8/8/8/8/8/8"},
    // Unknown characters do not move the cursor.
    {"9k0x7/8/8/8/8/8/8/K7", "k7/8/8/8/8/8/8/K7"},
    // Pieces after the eighth rank's end fall off the board.
    {"8/8/8/8/8/8/8/7K/k", "8/8/8/8/8/8/8/7K"},
    {"", "8/8/8/8/8/8/8/8"},
};

TEST(SetupFromFen, PlacementEdgeCases) {
    auto state = NewGame();
    for (const PlacementCase& c : kPlacementCases) {
        SetupFromFen(*state, CharString(c.fen));
        EXPECT_EQ(Placement(state->board), c.placement) << c.fen;
        EXPECT_EQ(Placement(state->startBoard), c.placement) << c.fen;
    }
}

struct FieldCase {
    const char* fen;
    int32_t side;
    uint32_t flags;
    int32_t halfmoveClock;
    int32_t fullmoveNumber;
};

const std::vector<FieldCase> kFieldCases = {
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 3 20", kBlack, 240, 3, 20},
    {"r3k2r/8/8/8/8/8/8/R3K2R W - - 0 1", kWhite, 0, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R x - - 0 1", kBlack, 0, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 1", kWhite, 144, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R w qqK-x - 0 1", kWhite, 144, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R w - e3 0 1", kWhite, 12, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq a6 0 1", kBlack, 240 | 8, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq e3x 0 1", kWhite, 240, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq i3 0 1", kWhite, 240, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - -5 +7", kWhite, 240, -5, 7},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - x 12abc", kWhite, 240, 0, 12},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 99999999999 1", kWhite, 240, 2147483647, 1},
    {"   r3k2r/8/8/8/8/8/8/R3K2R    b   k   -   4   9   ", kBlack, 64, 4, 9},
    // Missing fields read as a hand-written FEN means them: White, no rights, no en passant,
    // a fresh game's counters.
    {"r3k2r/8/8/8/8/8/8/R3K2R", kWhite, 0, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R b", kBlack, 0, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQ", kBlack, 0x30, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq e3", kWhite, 252, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5", kWhite, 240, 5, 1},
    // Rights whose king or rook is not at home are dropped.
    {"r3k3/8/8/8/8/8/8/4K2R w KQkq - 0 1", kWhite, 0x90, 0, 1},
    {"r3k2r/8/8/8/8/8/8/R2K3R w KQkq - 0 1", kWhite, 0xC0, 0, 1},
    {"r3k2R/8/8/8/8/8/8/r3K2R w KQkq - 0 1", kWhite, 0x90, 0, 1},
    {"1r1k1r2/8/8/8/8/8/8/1R1K1R2 w KQkq - 0 1", kWhite, 0, 0, 1},
};

TEST(SetupFromFen, SideRightsEnPassantAndCounters) {
    auto state = NewGame();
    for (const FieldCase& c : kFieldCases) {
        SetupFromFen(*state, CharString(c.fen));
        EXPECT_EQ(state->sideToMove, c.side) << c.fen;
        EXPECT_EQ(state->startSide, c.side) << c.fen;
        EXPECT_EQ(state->flags, c.flags) << c.fen;
        EXPECT_EQ(state->startFlags, c.flags) << c.fen;
        EXPECT_EQ(state->halfmoveClock, c.halfmoveClock) << c.fen;
        EXPECT_EQ(state->fullmoveNumber, c.fullmoveNumber) << c.fen;
    }
}

TEST(SetupFromFen, ResetReturnsToTheFenStart) {
    auto state = GameFrom("4k3/8/8/8/8/8/4P3/4K3 b - - 0 1");
    MoveRecord record{};
    ApplyMove(*state, record, 4, 7, 3, 7, 0);
    state->ply = 1;
    ResetGame(*state, state->hasStartPosition != 0);
    EXPECT_EQ(Placement(state->board), "4k3/8/8/8/8/8/4P3/4K3");
    EXPECT_EQ(state->sideToMove, kBlack);
    EXPECT_EQ(state->ply, 0);
}

}  // namespace
