#include "display/mouse_jump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PointerPath {
    const char* name;
    std::vector<PixelPoint> moves;  // pointer positions, from an anchor at (500, 400)
    int32_t jumpAt;                 // index of the move that ends the run; -1 for none
    PixelPoint anchorAfter;
};

TEST(MouseJump, DriftFollowsTheAnchorAndOnlyAJumpEnds) {
    const PointerPath paths[] = {
        {"no move at all", {{500, 400}}, -1, {500, 400}},
        {"ten at a time, far in the end",
         {{510, 400}, {520, 410}, {530, 420}, {520, 430}, {510, 420}, {500, 410}, {490, 400}},
         -1,
         {490, 400}},
        {"eleven right", {{511, 400}}, 0, {500, 400}},
        {"eleven left", {{489, 400}}, 0, {500, 400}},
        {"eleven down", {{500, 411}}, 0, {500, 400}},
        {"eleven up after a drift", {{505, 395}, {505, 384}}, 1, {505, 395}},
        {"a long jump across the screen", {{1500, 900}}, 0, {500, 400}},
    };
    for (const PointerPath& path : paths) {
        SCOPED_TRACE(path.name);
        PixelPoint anchor{500, 400};
        int32_t jumpAt = -1;
        for (size_t i = 0; i < path.moves.size() && jumpAt < 0; ++i) {
            if (MouseJumped(anchor, path.moves[i])) jumpAt = static_cast<int32_t>(i);
        }
        EXPECT_EQ(jumpAt, path.jumpAt);
        EXPECT_EQ(anchor.x, path.anchorAfter.x);
        EXPECT_EQ(anchor.y, path.anchorAfter.y);
    }
}

// After a jump (a refused password on Windows) the next move is judged from the old anchor.
TEST(MouseJump, AJumpLeavesTheAnchorWhereItWas) {
    PixelPoint anchor{100, 100};
    EXPECT_TRUE(MouseJumped(anchor, {130, 100}));
    EXPECT_TRUE(MouseJumped(anchor, {125, 100}));
    EXPECT_FALSE(MouseJumped(anchor, {108, 92}));
    EXPECT_EQ(anchor.x, 108);
    EXPECT_EQ(anchor.y, 92);
}

}  // namespace
