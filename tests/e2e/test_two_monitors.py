"""Two monitors: Xvfb's Xinerama heads, which Wine reports as two monitors when it does not use
XRandR. Xvfb puts every head at the origin, and Wine leaves out a head that reaches past the X
root, so the second monitor here is a smaller one over the primary's corner: the saver's window
must span the union of both (the primary's size, not the last-listed monitor's), and the board
stand where the classic layout puts it on the primary monitor, not on the second one. Monitors
side by side are covered by the layout's unit tests with monitor lists given to it."""

import subprocess

from board_image import START_FEN, Skin, board_region, ink_box
from e2e import run_test
from fitted_board import BACKGROUND, start_run

PRIMARY = (1024, 768)
SECOND = (800, 600)


def window_size(session, title):
    """Width and height of the X window with this title, from xwininfo."""
    result = subprocess.run(["xwininfo", "-name", title], env=session.env, capture_output=True,
                            text=True)
    fields = dict(line.strip().split(":", 1) for line in result.stdout.splitlines()
                  if line.strip().startswith(("Width:", "Height:")))
    return int(fields.get("Width", "0")), int(fields.get("Height", "0"))


def main(session):
    listed = sorted(session.wine_run([session.harness("list_monitors")]).stdout.splitlines())
    session.require(listed == ["monitor 0 0 1024 768 primary", "monitor 0 0 800 600"],
                    f"Wine does not report the two monitors: {listed}")
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    expected = skin.board(START_FEN).tobytes()
    saver = start_run(session)
    shown = session.wait_for(
        lambda image: board_region(image, (256, 128)).tobytes() == expected, 30)
    session.require(shown is not None,
                    "the board is not at the classic place of the 1024 x 768 primary monitor")
    session.save(shown, "primary-monitor")
    size = window_size(session, "Quorvane")
    session.note(f"saver window {size[0]} x {size[1]}")
    session.expect(size == PRIMARY, f"the saver window is {size}, not the virtual screen {PRIMARY}")
    session.expect(ink_box(shown, (256, 88, 768, 128), BACKGROUND) is not None,
                   "no name above the board on the primary monitor")
    session.end_with_key(saver, "two-monitor run")


if __name__ == "__main__":
    run_test(main, screens=(PRIMARY, SECOND))
