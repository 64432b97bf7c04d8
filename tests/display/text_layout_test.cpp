// The lines around the board: the classic bands kept, the added lines in their rows, and the
// board moved so that the whole block fits the screen only when added lines need it.

#include "display/text_layout.h"

#include <gtest/gtest.h>

namespace {

constexpr LineSet kClassic{true, false, false, false, false, false};
constexpr LineSet kEverything{true, true, true, true, true, true};
constexpr BoardLayout kBoard{256, 128, 64};

TEST(TextLayout, TheClassicBandsStandWhereTheyAlwaysHave) {
    const struct {
        ScreenLine line;
        InfoLine classic;
    } cases[] = {{ScreenLine::BlackName, InfoLine::BlackName},
                 {ScreenLine::WhiteName, InfoLine::WhiteName},
                 {ScreenLine::Date, InfoLine::Date},
                 {ScreenLine::Event, InfoLine::Event},
                 {ScreenLine::Site, InfoLine::Site}};
    for (const auto& c : cases) {
        const TextBand band = LineBand(kBoard, kClassic, c.line);
        const TextBand classic = InformationBand(kBoard, c.classic);
        EXPECT_EQ(band.top, classic.top);
        EXPECT_EQ(band.bottom, classic.bottom);
        EXPECT_EQ(band.left, classic.left);
        EXPECT_EQ(band.right, classic.right);
    }
    // The classic screen is never moved, even where its lines are clipped.
    const BoardLayout small{256, 44, 64};
    EXPECT_EQ(FitLinesVertically(small, kClassic, 0, 600).top, 44);
    EXPECT_EQ(FitLinesVertically(kBoard, kClassic, 0, 768).top, 128);
}

TEST(TextLayout, AddedLinesStackInOrderAndTheBlockFitsTheScreen) {
    const BoardLayout fitted = FitLinesVertically(kBoard, kEverything, 0, 768);
    const LineExtent extent = LinesExtent(kEverything, 64);
    EXPECT_GE(fitted.top - extent.above, 0);
    EXPECT_LE(fitted.top + extent.below, 768);
    // Top to bottom, each line below the one before.
    const ScreenLine order[] = {ScreenLine::Result, ScreenLine::Opening,   ScreenLine::BlackName,
                                ScreenLine::Files,  ScreenLine::WhiteName, ScreenLine::LastMove,
                                ScreenLine::Date,   ScreenLine::Event,     ScreenLine::Site};
    for (size_t i = 1; i < std::size(order); ++i) {
        EXPECT_LE(LineBand(fitted, kEverything, order[i - 1]).bottom,
                  LineBand(fitted, kEverything, order[i]).top)
            << static_cast<int>(order[i]);
    }
    // The clocks beside the names, right of the board; the ranks left of it.
    const TextBand clock = LineBand(fitted, kEverything, ScreenLine::WhiteClock);
    EXPECT_GT(clock.left, fitted.left + 8 * 64);
    EXPECT_EQ(clock.top, LineBand(fitted, kEverything, ScreenLine::WhiteName).top);
    EXPECT_EQ(RankBand(fitted, 7).right, fitted.left);
    EXPECT_EQ(RankBand(fitted, 7).top, fitted.top);
    // A screen too low for the block pins it to the top.
    EXPECT_EQ(FitLinesVertically(kBoard, kEverything, 0, 500).top, extent.above);
}

}  // namespace
