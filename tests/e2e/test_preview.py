"""The preview (/p <hwnd>) lives as a child of the settings' preview pane: it takes the pane's
client size, ignores input, ends with exit code 0 when the pane is destroyed and stores no game
number. Without a window handle, /p:1234, /c and /a end at once with exit code 1 and show
nothing."""

import time

from board_image import ink_box
from e2e import ON_SCREEN, HostWindow, run_test

PANE = (152, 112)
PANE_AT = (100, 100)
STORED = 7


def preview_in_pane(session):
    host = HostWindow(session, PANE, PANE_AT)
    saver = session.start_saver("/p", host.handle)
    child = ["child", "none"]
    deadline = time.monotonic() + ON_SCREEN
    # The child exists from its creation on, but shows only once its set-up has finished.
    while (child[1] == "none" or child[5:6] != ["1"]) and time.monotonic() < deadline:
        time.sleep(0.2)
        child = host.ask("child")
    session.require(child[1] != "none", "no child window appeared in the pane")
    session.expect(child[2:4] == [str(PANE[0]), str(PANE[1])],
                   f"the preview's client size is {child[2:4]}, expected {list(PANE)}")
    session.expect(child[4:6] == ["1", "1"], f"the preview is not a visible child: {child}")

    # Input over the pane: buttons, a key and a jump of the pointer, none of which may end it.
    session.xdotool("mousemove", PANE_AT[0] + PANE[0] // 2, PANE_AT[1] + PANE[1] // 2)
    time.sleep(0.3)
    for button in (1, 3, 2):
        session.click(button)
    session.key("q")
    session.move_by(40, 30)
    # Meanwhile the empty game file makes every tick count the game number up in memory.
    time.sleep(3)
    session.expect_running(saver, "input over the preview")
    session.expect(host.ask("alive") == ["alive", "1"], "the preview window went after input")

    session.expect(host.ask("destroy") == ["destroyed", "0"],
                   "the preview window outlived its parent")
    code = session.wait_exit(saver)
    session.expect(code == 0, f"the preview's exit code is {code} after its parent went, expected 0")
    stored = session.setting("Current game number")
    session.expect(stored == STORED,
                   f"the preview stored game number {stored}; the registry held {STORED}")
    session.wait_exit(host.process, 5)


def switches_without_handle(session):
    for switches in (["/p:1234"], ["/c"], ["/a"]):
        saver = session.start_saver(*switches)
        shown = None
        deadline = time.monotonic() + ON_SCREEN
        while saver.poll() is None and time.monotonic() < deadline:
            image = session.screenshot()
            if shown is None and ink_box(image, (0, 0, 1024, 768), (0, 0, 0)) is not None:
                shown = session.save(image, "shown-" + switches[0].strip("/:"))
            time.sleep(0.1)
        code = session.wait_exit(saver, 1)
        session.expect(code == 1, f"{' '.join(switches)}: exit code {code}, expected 1")
        session.expect(shown is None, f"{' '.join(switches)}: something was shown ({shown})")
        if code is None:
            saver.kill()


def main(session):
    pgn = session.install_game_file("empty.pgn", b"")
    session.set_settings(Time_mode=0, Path_to_PGN_file=pgn, Current_game_number=STORED)
    preview_in_pane(session)
    switches_without_handle(session)


if __name__ == "__main__":
    run_test(main)
