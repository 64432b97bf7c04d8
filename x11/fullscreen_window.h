#pragma once
// quorvane --fullscreen: a window the window manager makes full screen through EWMH, over every
// monitor where it can, with no pointer shown; any key, a mouse button or a mouse jump ends it,
// as they end the Windows saver. Only EWMH is asked of the window manager, so that Xwayland's
// (sway, Hyprland, GNOME) serves as well as an X desktop's.

#include <X11/Xlib.h>

#include <cstdint>

#include "display/board_layout.h"
#include "display/screen_layout.h"

// The heads whose edges a window over all of them takes, as the indices of heads; all -1 when
// there are none.
struct HeadSpan {
    int32_t top;
    int32_t bottom;
    int32_t left;
    int32_t right;
};

// The first head reaching furthest up, down, left and right.
HeadSpan SpanAllHeads(const ScreenRect* heads, int32_t count);

// A window the size of the root, asking for the full-screen state as it is mapped, showing no
// pointer; not mapped yet. Its events are the ones FullScreenInputEnds reads.
Window CreateFullScreenWindow(Display* display);

// After mapping: asks the window manager again for the full-screen state, as EWMH wants for a
// mapped window, and with several heads to span all of them.
void RequestFullScreen(Display* display, Window window);

// Takes every key and pointer event to the window, once it is viewable: a window manager's
// shortcuts and click bindings, or a notification shown above the window, must not keep input
// from ending the run (any key ends the Windows saver, Alt combinations too). False while another
// client holds a grab; asked again later.
bool GrabFullScreenInput(Display* display, Window window);

// Where the pointer is on the screen: the anchor the first move is judged from.
PixelPoint PointerOnScreen(Display* display);

// Whether event ends the run: any key, the left, middle or right button (not the wheel or the side
// buttons), a move that jumps from anchor. The anchor follows small moves, and is taken afresh
// when the pointer enters the window.
bool FullScreenInputEnds(const XEvent& event, PixelPoint& anchor);
