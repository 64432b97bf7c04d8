#include "x11/screen_monitors.h"

#include <X11/extensions/Xinerama.h>

#include <algorithm>

int32_t WindowMonitors(Display* display, Window window, MonitorArea* monitors, int32_t capacity) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
        return 0;
    }
    XWindowAttributes attributes{};
    Window child = 0;
    int x = 0;
    int y = 0;
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
        return 0;
    }
    int heads = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(display, &heads);
    int32_t count = 0;
    for (int i = 0; i < heads && count < capacity; ++i) {
        const XineramaScreenInfo& head = screens[i];
        const ScreenRect rect{std::max(head.x_org - x, 0), std::max(head.y_org - y, 0),
                              std::min(head.x_org + head.width - x, attributes.width),
                              std::min(head.y_org + head.height - y, attributes.height)};
        if (rect.right <= rect.left || rect.bottom <= rect.top) continue;
        monitors[count++] = MonitorArea{rect, i == 0};
    }
    if (screens != nullptr) XFree(screens);
    return count >= 2 ? count : 0;
}
