#include "display/shuffle_order.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

std::vector<int32_t> OrderOf(uint64_t key, int32_t count) {
    std::vector<int32_t> order;
    for (int32_t position = 0; position < count; ++position)
        order.push_back(ShuffledIndex(key, count, position));
    return order;
}

TEST(ShuffleOrder, PutsEveryIndexAtOnePlaceAndFindsItsPlaceBack) {
    for (const int32_t count : {1, 2, 3, 4, 5, 7, 16, 17, 100, 1000, 4099})
        for (const uint64_t key : {0ull, 1ull, 0xDEADBEEFull, ~0ull}) {
            const std::vector<int32_t> order = OrderOf(key, count);
            std::vector<bool> seen(static_cast<size_t>(count), false);
            for (int32_t position = 0; position < count; ++position) {
                const int32_t index = order[static_cast<size_t>(position)];
                ASSERT_TRUE(index >= 0 && index < count) << count << " " << key;
                ASSERT_FALSE(seen[static_cast<size_t>(index)]) << count << " " << key;
                seen[static_cast<size_t>(index)] = true;
                ASSERT_EQ(ShufflePositionOf(key, count, index), position) << count << " " << key;
            }
        }
}

TEST(ShuffleOrder, GivesEachKeyAnOrderOfItsOwn) {
    std::set<std::vector<int32_t>> orders;
    for (uint32_t seed = 1; seed <= 50; ++seed)
        orders.insert(OrderOf(GameOrderKey(seed, "games.pgn"), 20));
    EXPECT_EQ(orders.size(), 50u);
    EXPECT_NE(OrderOf(GameOrderKey(7, "a.pgn"), 20), OrderOf(GameOrderKey(7, "b.pgn"), 20));
    EXPECT_NE(OrderOf(FileOrderKey(7), 20), OrderOf(GameOrderKey(7, ""), 20));
}

TEST(ShuffleOrder, OpensWithEveryIndexAboutEquallyOften) {
    // A round's first game over many seeds: five games, 5000 rounds, about 1000 each.
    int32_t firsts[5] = {};
    for (uint32_t seed = 1; seed <= 5000; ++seed)
        ++firsts[ShuffledIndex(GameOrderKey(seed, "games.pgn"), 5, 0)];
    for (const int32_t count : firsts) {
        EXPECT_GT(count, 850);
        EXPECT_LT(count, 1150);
    }
}

TEST(ShuffleOrder, IsTheSameOnEveryPlatform) {
    // Worked out once; a build whose arithmetic differed (Windows or Linux, any library) would
    // shuffle a stored round differently after a restart.
    EXPECT_EQ(OrderOf(GameOrderKey(12345, "twic1599.pgn"), 10),
              (std::vector<int32_t>{0, 7, 2, 6, 5, 4, 1, 9, 3, 8}));
    EXPECT_EQ(NextRoundSeed(12345), 571572824u);
}

TEST(ShuffleOrder, NeverTakesZeroForTheNextSeed) {
    uint32_t seed = 0;
    std::set<uint32_t> seeds;
    for (int round = 0; round < 1000; ++round) {
        seed = NextRoundSeed(seed);
        ASSERT_NE(seed, 0u);
        seeds.insert(seed);
    }
    EXPECT_EQ(seeds.size(), 1000u);
}

}  // namespace
