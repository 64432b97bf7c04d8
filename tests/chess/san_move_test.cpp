#include "chess/san_move.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "tests/chess/chess_test_support.h"

namespace {

constexpr const char* kCastlingFen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
constexpr const char* kTwoKnightsFen = "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1";
constexpr const char* kRooksOnAFileFen = "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1";
constexpr const char* kRooksOnRankFen = "4k3/8/8/8/8/8/4K3/R6R w - - 0 1";
constexpr const char* kPawnTakesFen = "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1";
constexpr const char* kPromotionFen = "k7/4P3/8/8/8/8/8/4K3 w - - 0 1";

struct SanCase {
    const char* fen;     // "" for the initial position
    const char* before;  // tokens decoded first, separated by spaces
    const char* token;
    const char* move;   // origin and destination of the decoded move; "" when refused
    const char* after;  // the board afterwards when it matters, else ""
};

const std::vector<SanCase> kSanCases = {
    {"", "", "Nf3", "g1f3", ""},
    {"", "", "e4", "e2e4", ""},
    {"", "", "Pe4", "e2e4", ""},
    {"", "", "Nxf3", "g1f3", ""},
    {"", "", "N-f3+", "g1f3", ""},
    {"", "", "Ng1f3", "g1f3", ""},
    {"", "", "g1f3", "", ""},
    {"", "", "Ke2", "", ""},
    {"", "", "e5", "", ""},
    {"", "e4", "e5", "e7e5", ""},
    {"", "e4 e5", "Ke2", "e1e2", ""},
    {"", "", "e4!", "", ""},
    {"", "", "Nf3?!", "", ""},
    {"", "", "e4.", "", ""},
    {"", "", "", "", ""},
    {"", "", "1-0", "", ""},
    {"", "", "*", "", ""},
    {"", "", "Z4", "", ""},
    {"", "", "Nf", "", ""},
    {"", "", "Ngg1f3", "", ""},
    {"", "", "N9f3", "", ""},
    {"", "", "Nf9", "", ""},
    {"", "", "nf3", "", ""},
    {kTwoKnightsFen, "", "Nd2", "", ""},
    {kTwoKnightsFen, "", "Nbd2", "b1d2", ""},
    {kTwoKnightsFen, "", "Nfd2", "f3d2", ""},
    {kTwoKnightsFen, "", "N3d2", "f3d2", ""},
    {kTwoKnightsFen, "", "Nb1d2", "b1d2", ""},
    {kTwoKnightsFen, "", "Ncd2", "", ""},
    {kRooksOnAFileFen, "", "R1a3", "a1a3", ""},
    {kRooksOnAFileFen, "", "R5a3", "a5a3", ""},
    {kRooksOnAFileFen, "", "Ra3", "", ""},
    {kRooksOnAFileFen, "", "Raa3", "", ""},
    {kRooksOnRankFen, "", "R1d1", "h1d1", ""},
    {kRooksOnRankFen, "", "Rd1", "", ""},
    {kPawnTakesFen, "", "exd5", "e4d5", ""},
    {kPawnTakesFen, "", "ed5", "e4d5", ""},
    {kPawnTakesFen, "", "d5", "e4d5", ""},
    {kPawnTakesFen, "", "fxd5", "", ""},
    {kPromotionFen, "", "e8=Q+", "e7e8", "k3Q3/8/8/8/8/8/8/4K3"},
    {kPromotionFen, "", "e8Q", "e7e8", "k3Q3/8/8/8/8/8/8/4K3"},
    {kPromotionFen, "", "e7e8Q", "e7e8", "k3Q3/8/8/8/8/8/8/4K3"},
    {kPromotionFen, "", "e8=N", "e7e8", "k3N3/8/8/8/8/8/8/4K3"},
    {kPromotionFen, "", "e8", "", ""},
    {kPromotionFen, "", "e8=q", "", ""},
    {kPromotionFen, "", "e8=K", "", ""},
    {"k7/8/8/4P3/8/8/8/4K3 w - - 0 1", "", "e6=Q", "e5e6", "k7/8/4P3/8/8/8/8/4K3"},
    {kCastlingFen, "", "O-O", "e1g1", "r3k2r/8/8/8/8/8/8/R4RK1"},
    {kCastlingFen, "", "O-O+", "e1g1", "r3k2r/8/8/8/8/8/8/R4RK1"},
    {kCastlingFen, "", "OO", "e1g1", "r3k2r/8/8/8/8/8/8/R4RK1"},
    {kCastlingFen, "", "O-O-O", "e1c1", "r3k2r/8/8/8/8/8/8/2KR3R"},
    {kCastlingFen, "", "Kg1", "e1g1", "r3k2r/8/8/8/8/8/8/R4RK1"},
    {kCastlingFen, "", "Ke1g1", "e1g1", "r3k2r/8/8/8/8/8/8/R4RK1"},
    {kCastlingFen, "", "Kc1", "e1c1", "r3k2r/8/8/8/8/8/8/2KR3R"},
    {kCastlingFen, "", "0-0", "", ""},
    {kCastlingFen, "", "o-o", "", ""},
    {kCastlingFen, "O-O", "O-O-O", "e8c8", "2kr3r/8/8/8/8/8/8/R4RK1"},
    {kCastlingFen, "Kd1 Kd8 Ke1 Ke8", "O-O", "", ""},
    {kCastlingFen, "Rh2 Rh7 Rh1 Rh8", "O-O", "", ""},
    {kCastlingFen, "Rh2 Rh7 Rh1 Rh8", "O-O-O", "e1c1", ""},
    {"4k3/8/b7/8/8/8/8/4K2R w K - 0 1", "", "O-O", "", ""},
    {"4k3/8/b7/8/8/8/8/4K2R w K - 0 1", "", "Kg1", "", ""},
    {"4k3/8/8/8/8/8/8/5K1R w - - 0 1", "", "O-O", "", ""},
    {"4k3/8/8/8/8/8/8/4K3 b - - 0 1", "", "Kd2", "", ""},
    {"4k3/8/8/8/8/8/8/4K3 b - - 0 1", "", "Kd7", "e8d7", ""},
    {"4k3/8/8/8/8/8/8/4K3 b - - 0 1", "Kd7", "Kd2", "e1d2", ""},
};

std::string CaseName(const SanCase& c) {
    return std::string("[") + c.fen + "] " + c.before + " | " + c.token;
}

TEST(InterpretSanMove, DecodesOrRefuses) {
    for (const SanCase& c : kSanCases) {
        SCOPED_TRACE(CaseName(c));
        auto state = GameFrom(c.fen);
        std::istringstream before(c.before);
        for (std::string token; before >> token;)
            ASSERT_TRUE(InterpretSanMove(*state, CharString(token.c_str()))) << token;
        const int32_t ply = state->ply;
        const std::string board = Placement(state->board);
        const bool decoded = InterpretSanMove(*state, CharString(c.token));
        const std::string move = c.move;
        if (move.empty()) {
            EXPECT_FALSE(decoded);
            EXPECT_EQ(state->ply, ply);
            EXPECT_EQ(Placement(state->board), board);
            continue;
        }
        ASSERT_TRUE(decoded);
        EXPECT_EQ(state->ply, ply + 1);
        const MoveRecord& record = state->moves[static_cast<size_t>(ply)];
        EXPECT_EQ(NameOf(record.fromFile, record.fromRank) + NameOf(record.toFile, record.toRank),
                  move);
        if (*c.after != 0) {
            EXPECT_EQ(Placement(state->board), c.after);
        }
    }
}

TEST(InterpretSanMove, DoubleStepOpensEnPassantForOneMove) {
    auto state = NewGame();
    ASSERT_TRUE(InterpretSanMove(*state, CharString("e4")));
    EXPECT_EQ(state->flags, 252u);
    ASSERT_TRUE(InterpretSanMove(*state, CharString("Nf6")));
    EXPECT_EQ(state->flags, 240u);
}

TEST(InterpretSanMove, SideToMoveFollowsThePly) {
    auto state = GameFrom("4k3/8/8/8/8/8/8/4K3 b - - 0 1");
    EXPECT_FALSE(InterpretSanMove(*state, CharString("Ke2")));
    EXPECT_EQ(state->sideToMove, kBlack) << "set even when the token is refused";
    ASSERT_TRUE(InterpretSanMove(*state, CharString("Ke7")));
    ASSERT_TRUE(InterpretSanMove(*state, CharString("Ke2")));
    EXPECT_EQ(state->sideToMove, kWhite);
}

TEST(InterpretSanMove, LeavesTheCallersTokenAlone) {
    auto state = GameFrom(kPromotionFen);
    const CharString token("exe8=Q+");
    ASSERT_TRUE(InterpretSanMove(*state, token));
    EXPECT_TRUE(token.equals("exe8=Q+"));
}

TEST(InterpretSanMove, RefusesOnceTheMoveListIsFull) {
    auto state = NewGame();
    state->ply = kMaxPlies;
    EXPECT_FALSE(InterpretSanMove(*state, CharString("e4")));
    EXPECT_EQ(Placement(state->board), kInitialPlacement);
}

}  // namespace
