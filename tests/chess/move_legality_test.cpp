#include "chess/move_legality.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/chess/chess_test_support.h"

namespace {

struct TargetCase {
    const char* name;
    const char* fen;      // "" for the initial position
    uint32_t extraFlags;  // rights forced into flags after the set-up, which would drop them
    const char* square;
    const char* targets;
};

const std::vector<TargetCase> kTargetCases = {
    {"knight b1 at the start", "", 0, "b1", "a3 c3"},
    {"pawn e2 at the start", "", 0, "e2", "e3 e4"},
    {"rook a1 at the start", "", 0, "a1", ""},
    {"blocked pawn gets no double step", "4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1", 0, "e2", ""},
    {"pawn with the double-step square blocked", "4k3/8/8/8/4n3/8/4P3/4K3 w - - 0 1", 0, "e2",
     "e3"},
    {"pawns capture diagonally forward only", "4k3/8/8/8/8/3p1p2/4P3/4K3 w - - 0 1", 0, "e2",
     "d3 e3 f3 e4"},
    {"black pawn moves down", "4k3/4p3/5P2/8/8/8/8/4K3 b - - 0 1", 0, "e7", "e5 e6 f6"},
    {"bishop pinned on a diagonal", "4k3/8/8/b7/8/8/3B4/4K3 w - - 0 1", 0, "d2", "c3 b4 a5"},
    {"knight pinned on a file", "4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1", 0, "e2", ""},
    {"rook pinned on a file keeps the file", "4k3/4r3/8/8/8/8/4R3/4K3 w - - 0 1", 0, "e2",
     "e3 e4 e5 e6 e7"},
    {"in check a knight may only block", "k3r3/8/8/8/8/2N5/8/4K3 w - - 0 1", 0, "c3", "e2 e4"},
    {"in check the king leaves the file", "k3r3/8/8/8/8/2N5/8/4K3 w - - 0 1", 0, "e1",
     "d1 f1 d2 f2"},
    {"king takes an unguarded queen", "4k3/8/8/8/8/8/4q3/4K3 w - - 0 1", 0, "e1", "e2"},
    {"king takes or steps out of the line", "4k3/8/8/8/8/8/8/3qK3 w - - 0 1", 0, "e1", "d1 f2"},
    {"both castlings", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 0, "e1", "c1 d1 f1 g1 d2 e2 f2"},
    {"black castles too", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", 0, "e8", "d7 e7 f7 c8 d8 f8 g8"},
    {"no castling through an attacked f1", "4k3/8/b7/8/8/8/8/4K2R w K - 0 1", 0, "e1", "d1 d2 f2"},
    {"no castling out of check", "4r2k/8/8/8/8/8/8/R3K2R w KQ - 0 1", 0, "e1", "d1 f1 d2 f2"},
    {"no castling into an attacked g1", "4k1r1/8/8/8/8/8/8/4K2R w K - 0 1", 0, "e1",
     "d1 f1 d2 e2 f2"},
    {"an attacked b1 does not stop O-O-O", "4k3/8/8/8/4b3/8/8/R3K3 w Q - 0 1", 0, "e1",
     "c1 d1 f1 d2 e2 f2"},
    {"an occupied b1 stops O-O-O", "4k3/8/8/8/8/8/8/RN2K3 w Q - 0 1", 0, "e1", "d1 f1 d2 e2 f2"},
    {"a right without its rook", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", 0x30, "e1", "d1 f1 d2 e2 f2"},
    {"a right with bishops on the corners", "4k3/8/8/8/8/8/8/B3K2B w - - 0 1", 0x30, "e1",
     "d1 f1 d2 e2 f2"},
    {"a right with the king off e1", "4k3/8/8/8/8/8/8/R4K1R w - - 0 1", 0x30, "f1",
     "e1 g1 e2 f2 g2"},
    {"kings one square apart", "8/8/8/8/8/4k3/8/4K3 w - - 0 1", 0, "e1", "d1 f1"},
    {"en passant right after the double step",
     "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", 0, "e5", "d6 e6"},
    {"en passant that takes the checking pawn", "4k3/8/8/3pP3/4K3/8/8/8 w - d6 0 1", 0, "e5", "d6"},
    {"en passant that opens the rank to the king", "8/8/8/K2pP2r/8/8/8/4k3 w - d6 0 1", 0, "e5",
     "e6"},
    {"black en passant", "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", 0, "e4", "d3 e3"},
    {"en passant file without a pawn to take", "4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", 0, "e5", "e6"},
};

TEST(GenerateCandidates, MarksExactlyTheLegalDestinations) {
    for (const TargetCase& c : kTargetCases) {
        auto state = GameFrom(c.fen);
        state->flags |= c.extraFlags;
        const std::string before = Placement(state->board);
        EXPECT_EQ(TargetsOf(*state, c.square), c.targets) << c.name;
        EXPECT_EQ(Placement(state->board), before)
            << c.name << ": the trial moves changed the board";
    }
}

TEST(GenerateCandidates, CandidateListMatchesTheMarks) {
    auto state = NewGame();
    GenerateCandidates(*state, kWhite, 1, 0);
    ASSERT_EQ(state->candidateCount, 2);
    for (int32_t i = 0; i < 2; ++i) {
        const CandidateMove& move = state->candidates[static_cast<size_t>(i)];
        EXPECT_EQ(NameOf(move.fromFile, move.fromRank), "b1");
        EXPECT_EQ(At(*state, move.toFile, move.toRank).isTarget, 1);
    }
}

TEST(GenerateCandidates, EmptyOrForeignSquareClearsEverything) {
    auto state = NewGame();
    GenerateCandidates(*state, kWhite, 1, 0);
    ASSERT_GT(state->candidateCount, 0);
    for (const char* square : {"e4", "e7"}) {
        GenerateCandidates(*state, kWhite, Sq(square).file, Sq(square).rank);
        EXPECT_EQ(state->candidateCount, 0) << square;
        for (const Square& s : state->board)
            EXPECT_EQ(s.isTarget, 0) << square;
    }
}

TEST(GenerateCandidates, EnPassantOnlyOnTheNextMove) {
    auto state = GameFrom("4k3/3p3p/8/4P3/8/8/8/4K3 b - - 0 1");
    MoveRecord record{};
    ApplyMove(*state, record, 3, 6, 3, 4, 0);  // d7-d5
    EXPECT_EQ(TargetsOf(*state, "e5"), "d6 e6");
    ApplyMove(*state, record, 4, 0, 3, 0, 0);  // Ke1-d1
    ApplyMove(*state, record, 7, 6, 7, 5, 0);  // h7-h6
    EXPECT_EQ(TargetsOf(*state, "e5"), "e6");
}

// Without a king of its own a side has nothing to keep safe; an earlier generation's king square
// must not stand in for one.
TEST(GenerateCandidates, SideWithoutKingMovesFreely) {
    auto state = NewGame();
    EXPECT_EQ(TargetsOf(*state, "b1"), "a3 c3");  // leaves kingFile/kingRank on e1
    SetupFromFen(*state, CharString("4k3/8/8/8/4r3/8/8/3R4 w - - 0 1"));
    EXPECT_EQ(TargetsOf(*state, "d1"), "a1 b1 c1 e1 f1 g1 h1 d2 d3 d4 d5 d6 d7 d8");
}

struct AttackCase {
    const char* name;
    const char* fen;
    int32_t colour;      // the side whose square is tested; the attackers are the other side
    const char* square;  // "" for the colour's own king
    bool attacked;
};

const std::vector<AttackCase> kAttackCases = {
    {"king next to the square", "8/8/8/8/8/4k3/8/4K3 w - - 0 1", kWhite, "e2", true},
    {"king two squares away on a ray", "8/8/8/8/8/4k3/8/4K3 w - - 0 1", kWhite, "e1", false},
    {"black pawn attacks downward", "8/8/8/3p4/8/8/8/8 w - - 0 1", kWhite, "e4", true},
    {"black pawn does not attack upward", "8/8/8/3p4/8/8/8/8 w - - 0 1", kWhite, "e6", false},
    {"white pawn attacks upward", "8/8/8/8/3P4/8/8/8 w - - 0 1", kBlack, "e5", true},
    {"white pawn does not attack downward", "8/8/8/8/3P4/8/8/8 w - - 0 1", kBlack, "e3", false},
    {"pawn does not attack straight ahead", "8/8/8/4p3/8/8/8/8 w - - 0 1", kWhite, "e4", false},
    {"knight", "8/8/8/8/8/5n2/8/4K3 w - - 0 1", kWhite, "e1", true},
    {"queen along a long diagonal", "7q/8/8/8/8/8/8/K7 w - - 0 1", kWhite, "a1", true},
    {"rook along a rank", "8/8/8/8/8/8/8/r3K3 w - - 0 1", kWhite, "e1", true},
    {"own piece shields", "8/8/8/8/8/8/8/r2BK3 w - - 0 1", kWhite, "e1", false},
    {"a rook does not attack on a diagonal", "8/8/8/8/8/8/1r6/K7 w - - 0 1", kWhite, "a1", false},
    {"a rook in front shields from a bishop", "7b/8/8/8/8/8/1r6/K7 w - - 0 1", kWhite, "a1", false},
    {"a bishop does not attack on a file", "4b3/8/8/8/8/8/8/4K3 w - - 0 1", kWhite, "e1", false},
    {"own pieces do not attack", "8/8/8/8/8/8/8/R3K3 w - - 0 1", kWhite, "e1", false},
    {"own king attacked", "4r2k/8/8/8/8/8/8/4K3 w - - 0 1", kWhite, "", true},
    {"own king safe", "5r1k/8/8/8/8/8/8/4K3 w - - 0 1", kWhite, "", false},
    {"no king to attack", "8/8/8/8/8/8/8/r7 w - - 0 1", kWhite, "", false},
};

TEST(IsSquareAttacked, AttackersByKindAndDirection) {
    for (const AttackCase& c : kAttackCases) {
        auto state = GameFrom(c.fen);
        const std::string square = c.square;
        const SquareName where = square.empty() ? SquareName{-1, 0} : Sq(square);
        EXPECT_EQ(IsSquareAttacked(*state, c.colour, where.file, where.rank), c.attacked) << c.name;
    }
}

TEST(FindKing, FirstKingOfTheColourOrNothing) {
    auto state = GameFrom("8/8/8/8/8/8/K6K/8 w - - 0 1");
    int32_t file = 9;
    int32_t rank = 9;
    EXPECT_TRUE(FindKing(*state, kWhite, file, rank));
    EXPECT_EQ(NameOf(file, rank), "a2");
    file = 9;
    EXPECT_FALSE(FindKing(*state, kBlack, file, rank));
    EXPECT_EQ(file, 9);
}

}  // namespace
