"""The setup and the uninstaller clicked through with the keyboard, as a user does: the setup's
defaults make Quorvane the current screen saver; the uninstaller's one option fits its list, and
ticking it removes the user's settings as well."""

import subprocess
import time

from installer_session import (CONFIG, DESKTOP_KEY, MACHINE_KEY, PROGRAM_DIR, SCR_PATH,
                               SETTINGS_KEY, run)


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
    """Waits until the screen has stopped changing for half a second: the page is ready."""
    previous = session.screenshot().tobytes()
    still_since = time.monotonic()
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(0.1)
        current = session.screenshot().tobytes()
        if current != previous:
            previous, still_since = current, time.monotonic()
        elif time.monotonic() - still_since >= 0.5:
            return


def press(session, window, *keys):
    """Keys to the wizard, each after its page has settled."""
    for key in keys:
        settle_screen(session)
        session.xdotool("windowfocus", window)
        session.xdotool("key", key)


def main(session):
    setup = session.dir / "Quorvane-Setup.exe"
    setup.write_bytes(open(CONFIG["setup"], "rb").read())
    wizard = session.start([session.harness("launch"), "Z:" + str(setup).replace("/", "\\")])
    window = find_window(session, "^Quorvane Setup$")
    session.require(window is not None, "the setup showed no window")
    # Welcome -> folder (default) -> components (default) -> install -> finish.
    press(session, window, "Return", "Return", "Return")
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

    session.set_settings(Time_mode=0)
    uninstaller = session.start([PROGRAM_DIR + r"\Uninstall.exe"])
    window = find_window(session, "Quorvane.*Uninstall|Uninstall.*Quorvane")
    session.require(window is not None, "the uninstaller showed no window")
    # Confirm -> the option list, whose text must fit it: no horizontal scroll bar.
    press(session, window, "Return")
    settle_screen(session)
    lists = session.wine_run([session.harness("option_list"), "Uninstall", "10000"],
                             check=False).stdout.splitlines()
    lists = [line.strip() for line in lists]
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
