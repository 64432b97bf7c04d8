"""The virtual X session every screen test runs in: a private X server (an Xvfb, or an Xephyr inside
one for monitors side by side), screenshots, X input through xdotool, waits for states, soft and
hard checks, and the run of one test that keeps a failed test's screenshots.

The Wine tests (e2e.py, the installer's session), the native program's tests (native.py) and the
benchmarks build on it. Waits are for states: a deadline only bounds a failure, so the deadlines
here are generous enough for a machine whose cores are all busy with other work.
"""

import os
import select
import shutil
import subprocess
import sys
import time
import traceback
from pathlib import Path

from PIL import ImageGrab

from board_image import board_region, ink_box

SKIP = 77
SCREEN = (1024, 768)
# How long a program started under load may take to show its first frame, or to end once told.
ON_SCREEN = 60
TO_EXIT = 30
# How long a new X server may take to name its display, and a screenshot to connect.
SERVER_START = 60
GRAB_RETRY = 20


class TestFailure(Exception):
    pass


class SkipTest(Exception):
    pass


# --- X servers -----------------------------------------------------------------------------------


def start_x_server(command, log, env=None):
    """Starts an X server with -displayfd, which lets it pick a free display number; returns the
    process and the display name (":N")."""
    read_end, write_end = os.pipe()
    process = subprocess.Popen([command[0], "-displayfd", str(write_end), *command[1:]],
                               pass_fds=(write_end,), stdout=log or subprocess.DEVNULL,
                               stderr=log or subprocess.DEVNULL, env=env)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + SERVER_START
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(read_end, 16) if ready else b""
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    if not number.strip():
        stop_process(process)
        raise TestFailure(f"{command[0]}: the X server did not start")
    return process, ":" + number.decode().strip()


def stop_process(process, grace=5):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class VirtualDisplay:
    """A private Xvfb. Several screens become Xinerama heads, which Wine reports as several
    monitors when it does not use XRandR; Xvfb puts every head at the origin. -noreset: a server
    that resets when its last client leaves refuses the clients that connect meanwhile, and a test
    connects and leaves often (every screenshot, every xdotool)."""

    def __init__(self, screens=(SCREEN,), log=None):
        layout = []
        for number, size in enumerate(screens):
            layout += ["-screen", str(number), f"{size[0]}x{size[1]}x24"]
        if len(screens) > 1:
            layout.append("+xinerama")
        self.screens = tuple(screens)
        self.process, self.name = start_x_server(
            ["Xvfb", *layout, "-nolisten", "tcp", "-br", "-noreset"], log)

    def stop(self):
        stop_process(self.process)


class SideBySideDisplay:
    """Monitors side by side: an Xephyr with one -screen per monitor and +xinerama, inside an Xvfb
    that holds its windows. Its one X screen spans the monitors, whose Xinerama heads lie left to
    right from the origin (the second at the first's width), as Wine then reports them."""

    def __init__(self, monitors=((1024, 768), (800, 600)), log=None):
        self.monitors = tuple(monitors)
        width = sum(size[0] for size in monitors)
        height = max(size[1] for size in monitors)
        self.host = VirtualDisplay(((width, height),), log)
        screens = []
        for size in monitors:
            screens += ["-screen", f"{size[0]}x{size[1]}x24"]
        try:
            self.process, self.name = start_x_server(
                ["Xephyr", "+xinerama", *screens, "-nolisten", "tcp", "-br", "-noreset"], log,
                env=dict(os.environ, DISPLAY=self.host.name))
        except TestFailure:
            self.host.stop()
            raise

    def heads(self):
        """The Xinerama heads as (x, y, width, height), from left to right."""
        return xinerama_heads(self.name)

    def stop(self):
        stop_process(self.process)
        self.host.stop()


def xinerama_heads(display):
    """The heads xdpyinfo lists under XINERAMA, as (x, y, width, height)."""
    result = subprocess.run(["xdpyinfo", "-display", display, "-ext", "XINERAMA"],
                            capture_output=True, text=True)
    heads = []
    for line in result.stdout.splitlines():
        # "  head #0: 1024x768 @ 0,0"
        if line.strip().startswith("head #"):
            size, at = line.split(":", 1)[1].split("@")
            w, h = size.strip().split("x")
            x, y = at.strip().split(",")
            heads.append((int(x), int(y), int(w), int(h)))
    return heads


def grab(display, bbox=None):
    """A screenshot of the display. A connection refused (a server busy under load) is tried
    again for a while before it counts."""
    deadline = time.monotonic() + GRAB_RETRY
    pause = 0.05
    while True:
        try:
            return ImageGrab.grab(bbox=bbox, xdisplay=display)
        except OSError as error:
            if "X connection failed" not in str(error) or time.monotonic() > deadline:
                raise
        time.sleep(pause)
        pause = min(1.0, pause * 2)


# --- the session ---------------------------------------------------------------------------------


class XSession:
    """One test's folder (work/<name>: its log and numbered screenshots), X server and processes.
    Subclasses add the program under test; self.env is what programs are started with."""

    def __init__(self, work, name, screens=(SCREEN,), log_name="session.log", display=None):
        """display: makes the X server from the log file (display(log)); a VirtualDisplay of the
        screens when None."""
        self.name = name
        self.dir = Path(work) / name
        shutil.rmtree(self.dir, ignore_errors=True)
        self.dir.mkdir(parents=True)
        self.failures = []
        self.shots = 0
        self.processes = []
        self.log = open(self.dir / log_name, "ab")
        self.screens = tuple(screens)
        self.size = self.screens[0]
        self.display = display(self.log) if display else VirtualDisplay(self.screens, self.log)
        self.env = dict(os.environ, DISPLAY=self.display.name)

    def fresh_screen(self, size=SCREEN):
        """A new display of one screen for the next run: what a program drew on the root window
        stays there after it ends, and the next run's first screenshot must not find it."""
        self.display.stop()
        self.screens = (size,)
        self.size = size
        self.display = VirtualDisplay(self.screens, self.log)
        self.env["DISPLAY"] = self.display.name

    def close(self, keep):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        self.display.stop()
        self.log.close()
        if not keep:
            shutil.rmtree(self.dir, ignore_errors=True)

    # checks

    def expect(self, condition, message):
        """A soft check: the test goes on, and fails at its end."""
        if not condition:
            self.failures.append(message)
            print(f"FAILED: {message}", flush=True)
        return condition

    def require(self, condition, message):
        """A hard check: the test ends here."""
        if not condition:
            raise TestFailure(message)

    def note(self, message):
        print(message, flush=True)

    # processes

    def spawn(self, args, env_extra=None, **popen):
        env = dict(self.env)
        env.update(env_extra or {})
        popen.setdefault("stdout", self.log)
        popen.setdefault("stderr", self.log)
        process = subprocess.Popen(args, env=env, **popen)
        self.processes.append(process)
        return process

    @staticmethod
    def wait_exit(process, timeout=TO_EXIT):
        """The exit code, or None when the process still runs after timeout seconds."""
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def wait_until(self, condition, timeout, interval=0.1):
        """Polls condition() until it gives something other than None or False, and returns that;
        None when the time is up first."""
        deadline = time.monotonic() + timeout
        while True:
            value = condition()
            if value is not None and value is not False:
                return value
            if time.monotonic() > deadline:
                return None
            time.sleep(interval)

    # screen

    def screenshot(self, label=None):
        image = grab(self.display.name)
        if label:
            self.save(image, label)
        return image

    def save(self, image, label):
        self.shots += 1
        path = self.dir / f"{self.shots:02d}-{label}.png"
        image.save(path)
        return path

    def wait_for(self, predicate, timeout=ON_SCREEN, interval=0.1):
        """Screenshots until predicate(image) is true; returns that image or None."""

        def matching():
            image = self.screenshot()
            return image if predicate(image) else None

        return self.wait_until(matching, timeout, interval)

    def wait_for_state(self, problems, timeout=ON_SCREEN, interval=0.1):
        """Screenshots until problems(image) lists none or the time is up; returns the last image
        and what it still lists, for the test to report."""
        deadline = time.monotonic() + timeout
        while True:
            image = self.screenshot()
            found = problems(image)
            if not found or time.monotonic() > deadline:
                return image, found
            time.sleep(interval)

    def wait_for_ink(self, box, timeout=ON_SCREEN, background=(0, 0, 0)):
        return self.wait_for(lambda image: ink_box(image, box, background) is not None, timeout)

    def watch(self, boards, until, timeout, origin=(256, 128), background=(0, 0, 0)):
        """Screenshots until until(labels) holds or the time is up, naming each frame by the
        expected board it shows. boards: {label: 512 x 512 image}. Returns the changes as a list of
        (label, screenshot); "blank" is a board area of the background or black only, "unknown"
        one that stayed unlike every expected board for three frames in a row (a single odd frame
        may be a copy to the screen caught half-way)."""
        expected = {label: image.tobytes() for label, image in boards.items()}
        box = (origin[0], origin[1], origin[0] + 512, origin[1] + 512)
        seen = []
        odd_frames = 0
        started = time.monotonic()
        while time.monotonic() < started + timeout:
            image = self.screenshot()
            shown = board_region(image, origin).tobytes()
            label = next((name for name, data in expected.items() if data == shown), None)
            if label is None and (ink_box(image, box, background) is None
                                  or ink_box(image, box, (0, 0, 0)) is None):
                label = "blank"
            if label is None:
                odd_frames += 1
                if odd_frames < 3:
                    continue
                label = "unknown"
            odd_frames = 0
            if not seen or seen[-1][0] != label:
                seen.append((label, image))
                self.note(f"  {time.monotonic() - started:5.1f} s: {label}")
            if until([name for name, _ in seen]):
                break
            time.sleep(0.05)
        return seen

    # input

    def xdotool(self, *args, check=True):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=check,
                              capture_output=True, text=True).stdout

    def move_to(self, x, y):
        self.xdotool("mousemove", x, y)

    def key(self, name):
        self.xdotool("key", name)

    def click(self, button=1):
        self.xdotool("click", button)

    def move_by(self, dx, dy):
        self.xdotool("mousemove_relative", "--", dx, dy)


# --- running one test ----------------------------------------------------------------------------


def run_session(open_session, main):
    """Opens the session (open_session(name), the name from the test script's file), runs
    main(session), prints the outcome and exits with 0 (passed), 1 (failed) or 77 (skipped). A
    failed test keeps its folder, with a screenshot of the moment it failed; QUORVANE_E2E_KEEP=1
    keeps a passed test's too."""
    name = Path(sys.argv[0]).stem
    started = time.monotonic()
    try:
        session = open_session(name)
    except SkipTest as skip:
        print(f"SKIP: {skip}", flush=True)
        sys.exit(SKIP)
    outcome = "failed"
    try:
        main(session)
        outcome = "passed" if not session.failures else "failed"
    except SkipTest as skip:
        print(f"SKIP: {skip}", flush=True)
        outcome = "skipped"
    except TestFailure as failure:
        print(f"FAILED: {failure}", flush=True)
        shoot_failure(session, "at-failure")
    except Exception:  # noqa: BLE001 - any error of the test is its failure, with its screen
        traceback.print_exc()
        shoot_failure(session, "at-error")
    finally:
        session.close(keep=outcome == "failed" or os.environ.get("QUORVANE_E2E_KEEP") == "1")
    elapsed = time.monotonic() - started
    if outcome == "skipped":
        sys.exit(SKIP)
    if outcome == "passed":
        print(f"{name}: passed in {elapsed:.1f} s")
        sys.exit(0)
    print(f"{name}: failed in {elapsed:.1f} s; screenshots and log in {session.dir}")
    sys.exit(1)


def shoot_failure(session, label):
    try:
        session.screenshot(label)
    except OSError as error:  # the display itself may be what failed
        print(f"no screenshot at the failure: {error}", flush=True)
