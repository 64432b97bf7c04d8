// Position keys: transpositions meet, any difference in pieces, side, castling rights or a
// possible en-passant capture parts them, and the key kept move by move equals the key computed
// from the board.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "chess/position_key.h"
#include "chess/san_move.h"
#include "chess_test_support.h"

namespace {

// The position after the moves, from the FEN ("" for the initial position); fails the test when
// a move cannot be played.
std::unique_ptr<GameState> Play(const std::string& fen, const std::string& moves) {
    auto state = GameFrom(fen);
    std::istringstream words(moves);
    std::string move;
    while (words >> move)
        EXPECT_TRUE(InterpretSanMove(*state, CharString(move.c_str()))) << moves << ": " << move;
    return state;
}

struct KeyPair {
    const char* name;
    const char* fenA;
    const char* movesA;
    const char* fenB;
    const char* movesB;
    bool same;
};

TEST(PositionKey, MeetsOnTranspositionsAndPartsOnAnyDifference) {
    const std::vector<KeyPair> cases = {
        {"knight and pawn moves in either order", "", "e4 e5 Nf3", "", "Nf3 e5 e4", true},
        {"a double step no pawn can take en passant", "", "e4",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", "", true},
        {"a double step a pawn can take en passant", "", "e4 Nf6 e5 d5",
         "rnbqkb1r/ppp1pppp/5n2/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq - 0 3", "", false},
        {"the same with the FEN's en-passant square", "", "e4 Nf6 e5 d5",
         "rnbqkb1r/ppp1pppp/5n2/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", "", true},
        {"rooks back home without the right to castle", "", "Nf3 Nf6 Rg1 Rg8 Rh1 Rh8", "",
         "Nf3 Nf6", false},
        {"knights back home: the initial position", "", "Nf3 Nf6 Ng1 Ng8", "", "", true},
        {"the side to move", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", "", "4k3/8/8/8/8/8/8/4K3 b - - 0 1",
         "", false},
        {"one piece of another kind", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "",
         "4k3/8/8/8/8/8/8/N3K3 w - - 0 1", "", false},
        {"one piece of the other colour", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "",
         "4k3/8/8/8/8/8/8/r3K3 w - - 0 1", "", false},
    };
    for (const KeyPair& c : cases) {
        const auto a = Play(c.fenA, c.movesA);
        const auto b = Play(c.fenB, c.movesB);
        EXPECT_EQ(PositionKeyOf(*a) == PositionKeyOf(*b), c.same) << c.name;
    }
}

struct Line {
    const char* name;
    const char* fen;
    const char* moves;
};

TEST(PositionKey, KeptMoveByMoveEqualsTheKeyOfTheBoard) {
    const std::vector<Line> lines = {
        {"both castlings", "", "e4 e5 Nf3 Nc6 Bc4 Bc5 O-O d6 d3 Bg4 Nc3 Qd7 Be3 O-O-O"},
        {"en passant both ways", "", "e4 a6 e5 d5 exd6 h6 a4 b5 a5 b4 c4 bxc3 bxc3"},
        {"a rook taken on its corner and a promotion taking another",
         "r3k2r/1P4P1/8/8/8/8/8/R3K2R w KQkq - 0 1", "gxh8=Q+ Ke7 bxa8=N Kd6 O-O Kd5"},
        {"king and rook moves losing rights", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
         "Kf1 Rh7 Ra2 Kd8 Ke1 Rb7"},
        {"a black first move from a FEN", "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "exd3 Kd2 Kd7 Kxd3"},
    };
    for (const Line& line : lines) {
        auto state = GameFrom(line.fen);
        PositionKey placement = PlacementKeyOf(*state);
        EXPECT_EQ(placement ^ EnPassantKeyOf(*state), PositionKeyOf(*state)) << line.name;
        std::istringstream words(line.moves);
        std::string move;
        while (words >> move) {
            ASSERT_TRUE(InterpretSanMove(*state, CharString(move.c_str()))) << line.name << move;
            const MoveRecord& record = state->moves[static_cast<size_t>(state->ply - 1)];
            placement = PlacementKeyAfter(placement, record, state->flags);
            EXPECT_EQ(placement ^ EnPassantKeyOf(*state), PositionKeyOf(*state))
                << line.name << ", after " << move;
        }
    }
}

}  // namespace
