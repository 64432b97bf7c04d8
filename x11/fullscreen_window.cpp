#include "x11/fullscreen_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "display/mouse_jump.h"
#include "x11/screen_monitors.h"

namespace {

constexpr long kFullScreenEvents = ExposureMask | StructureNotifyMask | KeyPressMask |
                                   ButtonPressMask | PointerMotionMask | EnterWindowMask;
constexpr long kNetWmStateAdd = 1;
constexpr long kSourceApplication = 1;

// EWMH's requests go to the root window, where the window manager listens for them.
void SendToWindowManager(Display* display, Window window, const char* request,
                         const long (&data)[5]) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, request, False);
    event.xclient.format = 32;
    for (int i = 0; i < 5; ++i)
        event.xclient.data.l[i] = data[i];
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

Cursor InvisibleCursor(Display* display, Window window) {
    const Pixmap empty = XCreatePixmap(display, window, 1, 1, 1);
    GC gc = XCreateGC(display, empty, 0, nullptr);
    XFillRectangle(display, empty, gc, 0, 0, 1, 1);  // a bitmap's bits start undefined
    XFreeGC(display, gc);
    XColor black{};
    const Cursor cursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
    XFreePixmap(display, empty);
    return cursor;
}

}  // namespace

HeadSpan SpanAllHeads(const ScreenRect* heads, int32_t count) {
    HeadSpan span{-1, -1, -1, -1};
    for (int32_t i = 0; i < count; ++i) {
        const ScreenRect& head = heads[i];
        if (span.top < 0 || head.top < heads[span.top].top) span.top = i;
        if (span.bottom < 0 || head.bottom > heads[span.bottom].bottom) span.bottom = i;
        if (span.left < 0 || head.left < heads[span.left].left) span.left = i;
        if (span.right < 0 || head.right > heads[span.right].right) span.right = i;
    }
    return span;
}

Window CreateFullScreenWindow(Display* display) {
    const int screen = DefaultScreen(display);
    const unsigned long black = BlackPixel(display, screen);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0,
                            static_cast<unsigned>(DisplayWidth(display, screen)),
                            static_cast<unsigned>(DisplayHeight(display, screen)), 0, black, black);
    // Read by the window manager as it maps the window, so that it never shows framed.
    Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&fullScreen), 1);
    // Keys reach only a window that takes the focus.
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(display, window, &hints);
    XDefineCursor(display, window, InvisibleCursor(display, window));
    XSelectInput(display, window, kFullScreenEvents);
    return window;
}

void RequestFullScreen(Display* display, Window window) {
    ScreenRect heads[kMaxMonitors];
    const int32_t count = ServerHeads(display, heads, kMaxMonitors);
    if (count >= 2) {
        const HeadSpan span = SpanAllHeads(heads, count);
        SendToWindowManager(display, window, "_NET_WM_FULLSCREEN_MONITORS",
                            {span.top, span.bottom, span.left, span.right, kSourceApplication});
    }
    const long fullScreen =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
    SendToWindowManager(display, window, "_NET_WM_STATE",
                        {kNetWmStateAdd, fullScreen, 0, kSourceApplication, 0});
}

bool GrabFullScreenInput(Display* display, Window window) {
    constexpr unsigned int kPointerEvents = ButtonPressMask | PointerMotionMask | EnterWindowMask;
    const bool pointer = XGrabPointer(display, window, False, kPointerEvents, GrabModeAsync,
                                      GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    const bool keyboard = XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync,
                                        CurrentTime) == GrabSuccess;
    return pointer && keyboard;
}

PixelPoint PointerOnScreen(Display* display) {
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY,
                  &buttons);
    return PixelPoint{x, y};
}

bool FullScreenInputEnds(const XEvent& event, PixelPoint& anchor) {
    switch (event.type) {
        case KeyPress:
            return true;
        case ButtonPress:
            // 4 to 7 are the wheels, 8 and up the side buttons, which leave Windows' saver running.
            return event.xbutton.button >= Button1 && event.xbutton.button <= Button3;
        case MotionNotify:
            return MouseJumped(anchor, PixelPoint{event.xmotion.x_root, event.xmotion.y_root});
        case EnterNotify:
            // Xwayland learns where the pointer is only when it enters one of its windows, which
            // may be far from what it told at the start: entering is no move of the user's.
            anchor = PixelPoint{event.xcrossing.x_root, event.xcrossing.y_root};
            return false;
        default:
            return false;
    }
}
