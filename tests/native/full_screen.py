"""Helpers of the --fullscreen tests: a window manager on the test's display, the program's window
as the window manager left it (its EWMH state and geometry), the pointer's shape over it, and a
window shown above it."""

import ctypes
import ctypes.util
import re
import shutil
import subprocess
import time

from e2e import TestFailure
from native import SkipTest

TITLE = "^Quorvane$"


def run_tool(session, *command):
    return subprocess.run(list(map(str, command)), env=session.env, capture_output=True,
                          text=True).stdout


def start_window_manager(session, *command):
    """Starts the window manager and waits until it manages windows: a probe window is mapped
    until it gets ICCCM's WM_STATE. A window manager still starting up may drop a map request
    (openbox does), which a desktop's long-running one never does to the program."""
    if shutil.which(command[0]) is None:
        raise SkipTest(f"{command[0]} is not installed (./scripts/setup.sh installs it)")
    manager = session.start(*command[1:], program=command[0])
    xlib = Xlib()
    display = open_display(xlib, session)
    probe = xlib.XCreateSimpleWindow(display, xlib.XDefaultRootWindow(display), 0, 0, 10, 10, 0,
                                     0, 0)
    try:
        deadline = time.monotonic() + 20
        while "window state" not in run_tool(session, "xprop", "-id", probe, "WM_STATE"):
            if manager.poll() is not None or time.monotonic() > deadline:
                raise TestFailure(f"{command[0]} did not start managing windows")
            xlib.XUnmapWindow(display, probe)
            xlib.XMapWindow(display, probe)
            xlib.XFlush(display)
            for _ in range(20):
                if "window state" in run_tool(session, "xprop", "-id", probe, "WM_STATE"):
                    break
                time.sleep(0.1)
        xlib.XDestroyWindow(display, probe)
    finally:
        xlib.XCloseDisplay(display)
    return manager


def stored_game(session):
    """The settings file's "Current game number", or None."""
    found = re.search(r"^Current game number=(\d+)", session.read_settings(), re.MULTILINE)
    return int(found.group(1)) if found else None


def window_state(session, window):
    """The atoms of the window's _NET_WM_STATE, and "managed" when the window manager has given
    it ICCCM's WM_STATE."""
    text = run_tool(session, "xprop", "-id", window, "_NET_WM_STATE", "WM_STATE")
    first, _, rest = text.partition("\n")
    atoms = {atom.strip() for atom in first.partition("=")[2].split(",") if atom.strip()}
    return atoms | ({"managed"} if "window state: Normal" in rest else set())


def window_geometry(session, window):
    """(x, y, width, height) of the window on the screen while it is viewable, from xwininfo."""
    fields = {}
    for line in run_tool(session, "xwininfo", "-id", window).splitlines():
        name, _, value = line.strip().partition(":")
        fields[name] = value.strip()
    if fields.get("Map State") != "IsViewable":
        return None
    return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
            int(fields["Width"]), int(fields["Height"]))


def full_screen_window(session, process, geometry, timeout=20):
    """The program's window once the window manager has made it full screen at geometry (x, y,
    width, height); fails the test with what it saw last when that never comes. The state and the
    geometry alone prove nothing: the program sets both before the window is mapped."""
    seen = None
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise TestFailure(f"the program ended (exit code {process.poll()}) before its window "
                              "was full screen")
        windows = session.xdotool("search", "--name", TITLE, check=False).split()
        if len(windows) == 1:
            state = window_state(session, windows[0])
            seen = (sorted(state), window_geometry(session, windows[0]))
            if {"_NET_WM_STATE_FULLSCREEN", "managed"} <= state and seen[1] == geometry:
                return windows[0]
        time.sleep(0.1)
    raise TestFailure(f"the window never became full screen at {geometry}; last seen (state, "
                      f"geometry): {seen}")


def wait_window_gone(session, timeout=10):
    """Waits until the server has destroyed the program's window: it outlives the process for a
    moment, and the next run's checks must not find it."""
    deadline = time.monotonic() + timeout
    while session.xdotool("search", "--name", TITLE, check=False).split():
        if time.monotonic() > deadline:
            raise TestFailure("the program's window outlived it")
        time.sleep(0.05)


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort),
                ("yhot", ctypes.c_ushort), ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)), ("atom", ctypes.c_ulong),
                ("name", ctypes.c_char_p)]


class _WindowAttributes(ctypes.Structure):
    _fields_ = [("background_pixmap", ctypes.c_ulong), ("background_pixel", ctypes.c_ulong),
                ("border_pixmap", ctypes.c_ulong), ("border_pixel", ctypes.c_ulong),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("cursor", ctypes.c_ulong)]


class Popup:
    """A window no window manager handles (override-redirect), shown above everything at box
    (left, top, right, bottom), as a notification is; it takes the clicks made on it unless
    another client holds the pointer."""

    def __init__(self, session, box):
        self.xlib = Xlib()
        self.display = open_display(self.xlib, session)
        attributes = _WindowAttributes(background_pixel=0xFFFFFF, override_redirect=1,
                                       event_mask=0x4)  # ButtonPressMask
        xlib = self.xlib
        xlib.XCreateWindow.restype = ctypes.c_ulong
        xlib.XCreateWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_int,
                                       ctypes.c_uint, ctypes.c_void_p, ctypes.c_ulong,
                                       ctypes.POINTER(_WindowAttributes)]
        # CWBackPixel | CWOverrideRedirect | CWEventMask; depth, class and visual from the root.
        self.window = xlib.XCreateWindow(self.display, xlib.XDefaultRootWindow(self.display),
                                         box[0], box[1], box[2] - box[0], box[3] - box[1], 0, 0,
                                         0, None, (1 << 1) | (1 << 9) | (1 << 11),
                                         ctypes.byref(attributes))
        xlib.XMapRaised(self.display, self.window)
        xlib.XFlush(self.display)
        shown = session.wait_for(
            lambda image: image.getpixel(((box[0] + box[2]) // 2, (box[1] + box[3]) // 2))
            == (255, 255, 255), timeout=10)
        if shown is None:
            self.close()
            raise TestFailure("the popup window does not show")

    def close(self):
        self.xlib.XCloseDisplay(self.display)


def Xlib():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    for name in ("XCloseDisplay", "XFlush", "XFree"):
        getattr(xlib, name).argtypes = [ctypes.c_void_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XCreateSimpleWindow.restype = ctypes.c_ulong
    xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                         ctypes.c_int, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint,
                                         ctypes.c_ulong, ctypes.c_ulong]
    for name in ("XMapWindow", "XMapRaised", "XUnmapWindow", "XDestroyWindow"):
        getattr(xlib, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    return xlib


def open_display(xlib, session):
    display = xlib.XOpenDisplay(session.env["DISPLAY"].encode())
    if not display:
        raise TestFailure(f"cannot open the display {session.env['DISPLAY']}")
    return display


def pointer_shows(session):
    """Whether the pointer's current shape (XFixes' cursor image) has a pixel that is not fully
    transparent."""
    xlib = Xlib()
    xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes"))
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = open_display(xlib, session)
    try:
        image = xfixes.XFixesGetCursorImage(display)
        if not image:
            raise TestFailure("the server gave no pointer shape")
        cursor = image.contents
        # Each pixel is ARGB in the low 32 bits of an unsigned long.
        shows = any((cursor.pixels[i] >> 24) & 0xFF
                    for i in range(cursor.width * cursor.height))
        xlib.XFree(image)
        return shows
    finally:
        xlib.XCloseDisplay(display)
