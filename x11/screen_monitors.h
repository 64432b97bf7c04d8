#pragma once
// The monitors a window covers, as the X server's Xinerama heads tell them: the root window on
// two monitors side by side is two monitors, each with its own board.

#include <X11/Xlib.h>

#include <cstdint>

#include "display/screen_layout.h"

// The server's Xinerama heads in its own order (the order EWMH's monitor indices count in), in
// root coordinates; at most capacity of them. 0 when the server has no Xinerama.
int32_t ServerHeads(Display* display, ScreenRect* heads, int32_t capacity);

// The heads that meet window, in the window's own coordinates and clipped to it, the server's
// first head flagged primary; at most capacity of them. 0 when the server has no Xinerama, or
// the window meets fewer than two heads: then the window is one screen.
int32_t WindowMonitors(Display* display, Window window, MonitorArea* monitors, int32_t capacity);
