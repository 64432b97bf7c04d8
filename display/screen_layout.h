#pragma once
// Where the full-screen window goes when several monitors make up the desktop: across all of them,
// with the board and its texts on the primary monitor.

#include <cstdint>

// A rectangle in desktop coordinates (left and top inclusive, right and bottom exclusive).
struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// At most this many monitors are taken into account.
constexpr int32_t kMaxMonitors = 16;

struct MonitorArea {
    ScreenRect rect;
    bool primary;
};

struct ScreenLayout {
    ScreenRect window;   // the whole virtual screen, in desktop coordinates
    ScreenRect primary;  // the primary monitor, relative to the window's top-left corner
};

// The primary monitor: the one flagged so, else the one holding the desktop's origin, else the
// first. count must be at least 1.
const MonitorArea& PrimaryMonitor(const MonitorArea* monitors, int32_t count);

// The window spans the bounding box of every monitor; the primary monitor is the one flagged
// so, else the one holding the desktop's origin, else the first. No monitors give empty
// rectangles, for the caller to fall back on the primary screen's size.
ScreenLayout ComputeScreenLayout(const MonitorArea* monitors, int32_t count);
