"""The setup and the uninstaller clicked through with the keyboard, as a user does: a new
installation offers both of its options ticked, and its defaults make Quorvane the current screen
saver; setup over that installation no longer asks about the board; the uninstaller's one option
fits its list, and ticking it removes the user's settings as well."""

import subprocess
import time

from PIL import ImageChops

from installer_session import (CONFIG, DESKTOP_KEY, MACHINE_KEY, PROGRAM_DIR, SCR_PATH,
                               SETTINGS_KEY, run)

SAVER_OPTION = "Make Quorvane the current screen saver"
FIT_OPTION = "Fit the board to the screen"
TICKED = 2
CARET_WIDTH = 4


def find_window(session, pattern, timeout=30):
    """The first visible X window whose title matches the pattern."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                               env=session.env, capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.2)
    return None


def settle_screen(session, timeout=20):
    """Waits until the screen has stopped changing for half a second: the page is ready. A text
    caret's blinking (a change a few pixels wide) does not count, or the folder page, whose caret
    blinks every half second, would never settle."""
    previous = session.screenshot()
    still_since = time.monotonic()
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(0.1)
        current = session.screenshot()
        changed = ImageChops.difference(previous, current).getbbox()
        previous = current
        if changed is not None and changed[2] - changed[0] > CARET_WIDTH:
            still_since = time.monotonic()
        elif time.monotonic() - still_since >= 0.5:
            return


def press(session, window, *keys):
    """Keys to the wizard, each after its page has settled."""
    for key in keys:
        settle_screen(session)
        session.xdotool("windowfocus", window)
        session.xdotool("key", key)


def option_list(session, title):
    """The visible wizard's option list: the lines of the harness, and {option text: tick}."""
    lines = session.wine_run([session.harness("option_list"), title, "10000"],
                             check=False).stdout.splitlines()
    lines = [line.strip() for line in lines]
    options = {}
    for line in lines:
        if line.startswith("option "):
            _, tick, text = line.split(" ", 2)
            options[text] = int(tick) if tick.isdigit() else tick
    return lines, options


def start_setup(session):
    """Starts the setup and waits for its window; returns the process and the window."""
    setup = session.dir / "Quorvane-Setup.exe"
    setup.write_bytes(open(CONFIG["setup"], "rb").read())
    wizard = session.start([session.harness("launch"), "Z:" + str(setup).replace("/", "\\")])
    window = find_window(session, "^Quorvane Setup$")
    session.require(window is not None, "the setup showed no window")
    return wizard, window


def setup_options(session, window):
    """Welcome -> folder (default) -> components: the options the setup offers."""
    press(session, window, "Return", "Return")
    settle_screen(session)
    return option_list(session, "Quorvane Setup")[1]


def cancel_setup(session, window, wizard):
    """Cancels the setup and answers its question whether to quit with the default, Yes."""
    press(session, window, "Escape")
    settle_screen(session)
    session.key("Return")
    code = session.wait_exit(wizard, 30)
    session.expect(code == 1, f"the cancelled setup ended with exit code {code}, expected 1")
    session.settle()


def main(session):
    wizard, window = start_setup(session)
    options = setup_options(session, window)
    session.expect(options.get(SAVER_OPTION) == TICKED and options.get(FIT_OPTION) == TICKED,
                   f"a new installation's options are {options}, expected both ticked")
    # Components (default) -> install -> finish.
    press(session, window, "Return")
    deadline = time.monotonic() + 60
    while not session.exists(PROGRAM_DIR + r"\Uninstall.exe") and time.monotonic() < deadline:
        time.sleep(0.2)
    press(session, window, "Return")
    session.expect(session.wait_exit(wizard, 30) == 0, "the setup did not end with exit code 0")
    session.settle()
    session.expect(session.exists(SCR_PATH), "no Quorvane.scr in the system folder")
    session.expect(session.machine_value(MACHINE_KEY, "Install path") == PROGRAM_DIR,
                   "no Install path")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") == ("REG_SZ", SCR_PATH),
                   "the setup's defaults did not make Quorvane the current screen saver")

    # Over an installation the board stays as it is, even for a user without the value.
    session.reg_delete(SETTINGS_KEY, "Fit board")
    wizard, window = start_setup(session)
    options = setup_options(session, window)
    session.expect(SAVER_OPTION in options and FIT_OPTION not in options,
                   f"setup over an installation offers {options}, expected no {FIT_OPTION!r}")
    cancel_setup(session, window, wizard)

    session.set_settings(Time_mode=0)
    uninstaller = session.start([PROGRAM_DIR + r"\Uninstall.exe"])
    window = find_window(session, "Quorvane.*Uninstall|Uninstall.*Quorvane")
    session.require(window is not None, "the uninstaller showed no window")
    # Confirm -> the option list, whose text must fit it: no horizontal scroll bar.
    press(session, window, "Return")
    settle_screen(session)
    lists = option_list(session, "Uninstall")[0]
    session.expect("hscroll 0" in lists and "hscroll 1" not in lists,
                   f"the uninstaller's option list: {lists}")
    # The space bar ticks "Remove my settings" -> uninstall -> close.
    press(session, window, "space", "Return")
    deadline = time.monotonic() + 60
    while session.exists(SCR_PATH) and time.monotonic() < deadline:
        time.sleep(0.2)
    press(session, window, "Return")
    session.wait_exit(uninstaller, 30)
    session.settle()
    session.expect(not session.exists(SCR_PATH), "Quorvane.scr left in the system folder")
    session.expect(not session.unix_path(PROGRAM_DIR).exists(), "the program folder is left")
    session.expect(session.reg_query(SETTINGS_KEY, "Time mode") is None,
                   "the ticked option left the user's settings")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") is None,
                   "SCRNSAVE.EXE still names the removed saver")


run(main)
