#include "display/screen_layout.h"

#include <algorithm>

namespace {

bool HoldsOrigin(const ScreenRect& rect) {
    return rect.left <= 0 && rect.top <= 0 && rect.right > 0 && rect.bottom > 0;
}

}  // namespace

const MonitorArea& PrimaryMonitor(const MonitorArea* monitors, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (monitors[i].primary) return monitors[i];
    }
    for (int32_t i = 0; i < count; ++i) {
        if (HoldsOrigin(monitors[i].rect)) return monitors[i];
    }
    return monitors[0];
}

ScreenLayout ComputeScreenLayout(const MonitorArea* monitors, int32_t count) {
    if (count <= 0) return ScreenLayout{{0, 0, 0, 0}, {0, 0, 0, 0}};
    ScreenRect bounds = monitors[0].rect;
    for (int32_t i = 1; i < count; ++i) {
        const ScreenRect& rect = monitors[i].rect;
        bounds.left = std::min(bounds.left, rect.left);
        bounds.top = std::min(bounds.top, rect.top);
        bounds.right = std::max(bounds.right, rect.right);
        bounds.bottom = std::max(bounds.bottom, rect.bottom);
    }
    const ScreenRect& primary = PrimaryMonitor(monitors, count).rect;
    return ScreenLayout{bounds,
                        {primary.left - bounds.left, primary.top - bounds.top,
                         primary.right - bounds.left, primary.bottom - bounds.top}};
}
