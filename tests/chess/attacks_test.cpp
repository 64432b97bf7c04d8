#include "chess/attacks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/chess/chess_test_support.h"

namespace {

Bitboard SquaresNamed(const std::string& names) {
    Bitboard set = kNoSquares;
    for (size_t i = 0; i + 1 < names.size(); i += 3)
        set |= SquareBit(SquareIndex(names[i] - 'a', names[i + 1] - '1'));
    return set;
}

int32_t Index(const char* name) {
    return SquareIndex(Sq(name).file, Sq(name).rank);
}

// A small fixed-seed generator: the same occupancies in every run.
uint64_t NextRandom(uint64_t& seed) {
    seed ^= seed << 13;
    seed ^= seed >> 7;
    seed ^= seed << 17;
    return seed;
}

TEST(Attacks, WalkStopsAtTheFirstBlockerOfEachLine) {
    struct Case {
        Slider slider;
        const char* square;
        const char* occupied;
        const char* attacks;
    };
    const std::vector<Case> cases = {
        {Slider::Rook, "d4", "d6 f4 b4 d1", "d1 d2 d3 b4 c4 e4 f4 d5 d6"},
        {Slider::Rook, "a1", "", "b1 c1 d1 e1 f1 g1 h1 a2 a3 a4 a5 a6 a7 a8"},
        {Slider::Bishop, "c1", "e3", "b2 d2 a3 e3"},
        {Slider::Bishop, "h8", "g7", "g7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WalkSliderAttacks(c.slider, Index(c.square), SquaresNamed(c.occupied)),
                  SquaresNamed(c.attacks))
            << c.square << " with " << c.occupied;
}

// Every pattern of blockers of every square, with and without pieces on the squares that cannot
// block: the lookup must give what the walk gives.
TEST(Attacks, LookupAgreesWithTheWalkForEveryBlockerPattern) {
    uint64_t seed = 0x2545F4914F6CDD1D;
    int64_t patterns = 0;
    for (const Slider slider : {Slider::Rook, Slider::Bishop}) {
        for (int32_t square = 0; square < 64; ++square) {
            const Bitboard blockers = SliderBlockers(slider, square);
            Bitboard subset = kNoSquares;
            do {
                const Bitboard outside = NextRandom(seed) & ~blockers & ~SquareBit(square);
                for (const Bitboard occupied : {subset, subset | outside}) {
                    const Bitboard walked = WalkSliderAttacks(slider, square, occupied);
                    const Bitboard looked = slider == Slider::Rook
                                                ? RookAttacks(square, occupied)
                                                : BishopAttacks(square, occupied);
                    ASSERT_EQ(looked, walked) << "square " << square << " occupancy " << occupied;
                }
                ++patterns;
                subset = (subset - blockers) & blockers;
            } while (subset != kNoSquares);
        }
    }
    // 2 to the number of blocker squares, summed over the squares: 102,400 for the rook, 5,248
    // for the bishop.
    EXPECT_EQ(patterns, 107648);
}

TEST(Attacks, StepTablesByNamedSquare) {
    struct Case {
        const char* what;
        Bitboard actual;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"knight a1", kMovement.knight[0], "c2 b3"},
        {"knight d4", kMovement.knight[27], "c2 e2 b3 f3 b5 f5 c6 e6"},
        {"king h8", kMovement.king[63], "g7 h7 g8"},
        {"white pawn e4", kMovement.pawn[kWhite][28], "d5 f5"},
        {"white pawn h7", kMovement.pawn[kWhite][55], "g8"},
        {"white pawn e8", kMovement.pawn[kWhite][60], ""},
        {"black pawn a5", kMovement.pawn[kBlack][32], "b4"},
        {"black pawn d1", kMovement.pawn[kBlack][3], ""},
        {"line up from e2", kMovement.lines[0][12], "e3 e4 e5 e6 e7 e8"},
        {"line down-left from c3", kMovement.lines[7][18], "a1 b2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, SquaresNamed(c.expected)) << c.what;
}

TEST(Bitboard, CountSquaresAndEnds) {
    uint64_t seed = 0x9E3779B97F4A7C15;
    std::vector<Bitboard> sets = {kNoSquares, ~kNoSquares, SquareBit(0), SquareBit(63)};
    for (int32_t i = 0; i < 1000; ++i)
        sets.push_back(NextRandom(seed) & NextRandom(seed));
    for (const Bitboard set : sets) {
        int32_t count = 0;
        int32_t first = -1;
        int32_t last = -1;
        for (int32_t square = 0; square < 64; ++square) {
            if (!Contains(set, square)) continue;
            ++count;
            if (first < 0) first = square;
            last = square;
        }
        EXPECT_EQ(CountSquares(set), count) << set;
        if (set == kNoSquares) continue;
        EXPECT_EQ(FirstSquare(set), first) << set;
        EXPECT_EQ(LastSquare(set), last) << set;
    }
}

}  // namespace
