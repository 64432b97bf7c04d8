// Checkmate and stalemate read from the position, for the side to move.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "chess/position_end.h"
#include "chess/san_move.h"
#include "chess_test_support.h"

namespace {

struct EndCase {
    const char* name;
    const char* fen;
    const char* moves;
    PositionEnd expected;
};

TEST(EndOfPosition, FindsMateAndStalemateForTheSideToMove) {
    const std::vector<EndCase> cases = {
        {"the initial position", "", "", PositionEnd::NotOver},
        {"fool's mate", "", "f3 e5 g4 Qh4#", PositionEnd::Checkmate},
        {"smothered mate", "6rk/5Npp/8/8/8/8/8/6K1 b - - 0 1", "", PositionEnd::Checkmate},
        {"check with a way out", "4k3/8/8/8/8/8/8/4R1K1 b - - 0 1", "", PositionEnd::NotOver},
        {"check on the back rank", "3qk3/8/8/8/8/8/3PPP2/r3K3 w - - 0 1", "",
         PositionEnd::Checkmate},
        {"the same, but a knight can take the rook", "3qk3/8/8/8/8/1N6/3PPP2/r3K3 w - - 0 1", "",
         PositionEnd::NotOver},
        {"queen and king box the king in", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "",
         PositionEnd::Stalemate},
        {"stalemate reached by a move", "7k/8/5QK1/8/8/8/8/8 w - - 0 1", "Qf7",
         PositionEnd::Stalemate},
        {"only an en-passant capture is left", "7k/5Q2/6K1/8/4pP2/4P3/8/8 b - f3 0 1", "",
         PositionEnd::NotOver},
        {"the same without the double step", "7k/5Q2/6K1/8/4pP2/4P3/8/8 b - - 0 1", "",
         PositionEnd::Stalemate},
        {"a pinned bishop cannot move", "k7/b1K5/8/8/8/8/8/R7 b - - 0 1", "",
         PositionEnd::Stalemate},
        {"a pawn pinned along the rank cannot step", "8/2N5/8/kp5R/8/K3B3/8/8 b - - 0 1", "",
         PositionEnd::Stalemate},
        {"a free pawn can", "8/2N5/8/kp5R/8/K3B3/7p/8 b - - 0 1", "", PositionEnd::NotOver},
        {"nothing at all to move", "8/8/8/8/8/8/8/K7 b - - 0 1", "", PositionEnd::Stalemate},
    };
    for (const EndCase& c : cases) {
        auto state = GameFrom(c.fen);
        std::istringstream words(c.moves);
        std::string move;
        while (words >> move)
            ASSERT_TRUE(InterpretSanMove(*state, CharString(move.c_str()))) << c.name << move;
        EXPECT_EQ(EndOfPosition(*state), c.expected) << c.name;
    }
}

}  // namespace
