// Clocks from the text of a comment: [%clk h:mm:ss] with an optional fraction.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pgn/pgn_clock.h"

namespace {

struct ClockCase {
    const char* name;
    std::string comment;
    bool found;
    int32_t tenths;
    bool hasTenths;
};

TEST(ReadClockComment, ReadsWellFormedClocksAndPassesOverOthers) {
    const std::vector<ClockCase> cases = {
        {"an online export's comment", " [%clk 0:05:00] ", true, 3000, false},
        {"hours", "[%clk 1:23:45]", true, 50250, false},
        {"tenths", "[%clk 0:01:02.5]", true, 625, true},
        {"finer digits are dropped", "[%clk 0:00:09.87]", true, 98, true},
        {"blanks around the time", "[%clk   0:00:07  ]", true, 70, false},
        {"among other commands and words", "good move [%eval 0.3] [%clk 0:02:00] ok", true, 1200,
         false},
        {"the first of two", "[%clk 0:00:02][%clk 0:00:03]", true, 20, false},
        {"a malformed one before a good one", "[%clk 0:5:00] [%clk 0:04:59]", true, 2990, false},
        {"no clock at all", "a plain comment", false, 0, false},
        {"minutes of one digit", "[%clk 0:5:00]", false, 0, false},
        {"sixty seconds", "[%clk 0:00:60]", false, 0, false},
        {"sixty minutes", "[%clk 0:60:00]", false, 0, false},
        {"no closing bracket", "[%clk 0:05:00", false, 0, false},
        {"a dot without a digit", "[%clk 0:05:00.]", false, 0, false},
        {"a letter in the time", "[%clk 0:0a:00]", false, 0, false},
        {"another command", "[%emt 0:00:05]", false, 0, false},
        {"cut short", "[%cl", false, 0, false},
        {"five hour digits", "[%clk 10000:00:00]", false, 0, false},
    };
    for (const ClockCase& c : cases) {
        ClockReading clock{-7, false};
        const bool found =
            ReadClockComment(c.comment.data(), static_cast<int32_t>(c.comment.size()), clock);
        EXPECT_EQ(found, c.found) << c.name;
        if (!found || !c.found) continue;
        EXPECT_EQ(clock.tenths, c.tenths) << c.name;
        EXPECT_EQ(clock.hasTenths, c.hasTenths) << c.name;
    }
}

// Each candidate is read only up to the next byte that cannot continue it, so a comment that
// repeats "[%clk" for a megabyte is read in one pass: quadratic reading would not end here.
TEST(ReadClockComment, AMegabyteOfBrokenClocksIsOnePass) {
    std::string comment;
    while (comment.size() < (1u << 20))
        comment += "[%clk 0:00:01.99999[%clk [%clk 9:";
    ClockReading clock{};
    EXPECT_FALSE(ReadClockComment(comment.data(), static_cast<int32_t>(comment.size()), clock));
    comment += "[%clk 0:00:04]";
    ASSERT_TRUE(ReadClockComment(comment.data(), static_cast<int32_t>(comment.size()), clock));
    EXPECT_EQ(clock.tenths, 40);
}

}  // namespace
