#include "x11/screen_monitors.h"

#include <X11/extensions/Xinerama.h>

#include <algorithm>

int32_t ServerHeads(Display* display, ScreenRect* heads, int32_t capacity) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
        return 0;
    }
    int count = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
    int32_t taken = 0;
    for (; taken < count && taken < capacity; ++taken) {
        const XineramaScreenInfo& head = screens[taken];
        heads[taken] =
            ScreenRect{head.x_org, head.y_org, head.x_org + head.width, head.y_org + head.height};
    }
    if (screens != nullptr) XFree(screens);
    return taken;
}

int32_t WindowMonitors(Display* display, Window window, MonitorArea* monitors, int32_t capacity) {
    ScreenRect heads[kMaxMonitors];
    const int32_t headCount = ServerHeads(display, heads, kMaxMonitors);
    XWindowAttributes attributes{};
    Window child = 0;
    int x = 0;
    int y = 0;
    if (headCount == 0 || XGetWindowAttributes(display, window, &attributes) == 0 ||
        !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
        return 0;
    }
    int32_t count = 0;
    for (int32_t i = 0; i < headCount && count < capacity; ++i) {
        const ScreenRect& head = heads[i];
        const ScreenRect rect{std::max(head.left - x, 0), std::max(head.top - y, 0),
                              std::min(head.right - x, attributes.width),
                              std::min(head.bottom - y, attributes.height)};
        if (rect.right <= rect.left || rect.bottom <= rect.top) continue;
        monitors[count++] = MonitorArea{rect, i == 0};
    }
    return count >= 2 ? count : 0;
}
