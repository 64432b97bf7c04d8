// GoogleTest before Xlib, whose None and Bool macros break its templates.
#include <gtest/gtest.h>

#include <vector>

#include "x11/fullscreen_window.h"

namespace {

struct SpanCase {
    const char* name;
    std::vector<ScreenRect> heads;  // in the server's order
    HeadSpan span;
};

TEST(FullScreenWindow, SpansTheHeadsAtEachEdge) {
    const SpanCase cases[] = {
        {"no Xinerama", {}, {-1, -1, -1, -1}},
        {"one monitor", {{0, 0, 1920, 1080}}, {0, 0, 0, 0}},
        {"side by side", {{0, 0, 1024, 768}, {1024, 0, 2048, 768}}, {0, 0, 0, 1}},
        {"the right one listed first", {{1920, 0, 3840, 1080}, {0, 0, 1920, 1080}}, {0, 0, 1, 0}},
        {"a taller one on the right, a small one below the first",
         {{0, 0, 1920, 1080}, {1920, -200, 3120, 1720}, {0, 1080, 1024, 1848}},
         {1, 2, 0, 1}},
        {"stacked, the lower listed first",
         {{0, 768, 1024, 1536}, {0, 0, 1024, 768}},
         {1, 0, 0, 0}},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.name);
        const HeadSpan span = SpanAllHeads(c.heads.data(), static_cast<int32_t>(c.heads.size()));
        EXPECT_EQ(span.top, c.span.top);
        EXPECT_EQ(span.bottom, c.span.bottom);
        EXPECT_EQ(span.left, c.span.left);
        EXPECT_EQ(span.right, c.span.right);
    }
}

XEvent Plain(int type) {
    XEvent event{};
    event.type = type;
    return event;
}

XEvent Button(int type, unsigned int button) {
    XEvent event{};
    event.type = type;
    event.xbutton.button = button;
    return event;
}

XEvent Pointer(int type, int x, int y) {
    XEvent event{};
    event.type = type;
    if (type == MotionNotify) {
        event.xmotion.x_root = x;
        event.xmotion.y_root = y;
    } else {
        event.xcrossing.x_root = x;
        event.xcrossing.y_root = y;
    }
    return event;
}

struct InputCase {
    const char* name;
    XEvent event;
    bool ends;
};

TEST(FullScreenWindow, KeysLeftMiddleRightButtonsAndJumpsEnd) {
    const InputCase cases[] = {
        {"a key", Plain(KeyPress), true},
        {"a key let go", Plain(KeyRelease), false},
        {"left button", Button(ButtonPress, 1), true},
        {"middle button", Button(ButtonPress, 2), true},
        {"right button", Button(ButtonPress, 3), true},
        {"wheel up", Button(ButtonPress, 4), false},
        {"wheel down", Button(ButtonPress, 5), false},
        {"wheel left", Button(ButtonPress, 6), false},
        {"side button", Button(ButtonPress, 8), false},
        {"left button let go", Button(ButtonRelease, 1), false},
        {"a drift", Pointer(MotionNotify, 508, 392), false},
        {"a jump", Pointer(MotionNotify, 560, 400), true},
        {"entering far away", Pointer(EnterNotify, 900, 100), false},
        {"an exposure", Plain(Expose), false},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.name);
        PixelPoint anchor{500, 400};
        EXPECT_EQ(FullScreenInputEnds(c.event, anchor), c.ends);
    }
}

// Xwayland tells where the pointer is only as it enters the window: a move near that place is a
// drift, however far it is from the place known at the start.
TEST(FullScreenWindow, EnteringTakesTheAnchorAfresh) {
    PixelPoint anchor{500, 400};
    EXPECT_FALSE(FullScreenInputEnds(Pointer(EnterNotify, 900, 100), anchor));
    EXPECT_FALSE(FullScreenInputEnds(Pointer(MotionNotify, 905, 104), anchor));
    EXPECT_TRUE(FullScreenInputEnds(Pointer(MotionNotify, 500, 400), anchor));
}

}  // namespace
