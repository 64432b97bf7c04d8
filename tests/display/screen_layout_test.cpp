#include "display/screen_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ScreenCase {
    const char* name;
    std::vector<MonitorArea> monitors;
    ScreenRect window;
    ScreenRect primary;
};

void ExpectRect(const ScreenRect& actual, const ScreenRect& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

TEST(ScreenLayout, WindowSpansEveryMonitorAndTheBoardStaysOnThePrimaryOne) {
    const ScreenCase cases[] = {
        {"one monitor: the classic window",
         {{{0, 0, 1920, 1080}, true}},
         {0, 0, 1920, 1080},
         {0, 0, 1920, 1080}},
        {"second monitor to the right",
         {{{0, 0, 1920, 1080}, true}, {{1920, 0, 3200, 1024}, false}},
         {0, 0, 3200, 1080},
         {0, 0, 1920, 1080}},
        {"second monitor to the left shifts the primary area right",
         {{{0, 0, 1920, 1080}, true}, {{-1280, 0, 0, 1024}, false}},
         {-1280, 0, 1920, 1080},
         {1280, 0, 3200, 1080}},
        {"second monitor above, listed first",
         {{{0, -768, 1024, 0}, false}, {{0, 0, 1920, 1080}, true}},
         {0, -768, 1920, 1080},
         {0, 768, 1920, 1848}},
        {"no monitor flagged: the one at the origin is primary",
         {{{-800, 0, 0, 600}, false}, {{0, 0, 1024, 768}, false}},
         {-800, 0, 1024, 768},
         {800, 0, 1824, 768}},
        {"two monitors both reported at the origin",
         {{{0, 0, 1024, 768}, true}, {{0, 0, 1280, 1024}, false}},
         {0, 0, 1280, 1024},
         {0, 0, 1024, 768}},
        {"three in a row, primary in the middle",
         {{{-1024, 0, 0, 768}, false}, {{0, 0, 1024, 768}, true}, {{1024, 0, 2048, 768}, false}},
         {-1024, 0, 2048, 768},
         {1024, 0, 2048, 768}},
        {"nothing at the origin and nothing flagged: the first",
         {{{100, 100, 900, 700}, false}, {{900, 100, 1700, 700}, false}},
         {100, 100, 1700, 700},
         {0, 0, 800, 600}}};
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenLayout layout =
            ComputeScreenLayout(c.monitors.data(), static_cast<int32_t>(c.monitors.size()));
        ExpectRect(layout.window, c.window, "window");
        ExpectRect(layout.primary, c.primary, "primary");
    }
}

TEST(ScreenLayout, NoMonitorsGiveEmptyRectanglesForTheCallerToReplace) {
    const ScreenLayout layout = ComputeScreenLayout(nullptr, 0);
    ExpectRect(layout.window, {0, 0, 0, 0}, "window");
    ExpectRect(layout.primary, {0, 0, 0, 0}, "primary");
}

}  // namespace
