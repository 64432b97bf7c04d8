"""-window-id draws into a window another program made (here a first quorvane's own window, which
shows only its PGN message and so never repaints by itself): the second one's board and
background fill that window, and SIGTERM ends it with exit code 0 while the window's owner runs
on. The window is resizable: made smaller, the board is scaled to fit it."""

import time

from board_image import ink_box
from native import ON_SCREEN, run_test

BLUE = (0, 0, 255)


def main(session):
    owner_settings = session.write_settings("Path to PGN file=/nonexistent.pgn\n",
                                            session.dir / "owner.conf")
    owner = session.start("-window", "--config", str(owner_settings))
    found = session.xdotool("search", "--sync", "--name", "^Quorvane$").split()
    session.require(found, "the first program's window was not found")
    window = found[0]
    session.require(session.wait_for_ink((0, 0, 1024, 100)) is not None,
                    "the first program shows no text")

    guest_settings = session.write_settings("Color of background=0x00FF0000\nTime mode=2\n",
                                            session.dir / "guest.conf")
    guest = session.start("-window-id", window, "--config", str(guest_settings))
    image = session.wait_for(lambda im: im.getpixel((5, 5)) == BLUE
                             and ink_box(im, (256, 128, 768, 640), BLUE) is not None)
    session.expect(image is not None, "-window-id: no board on blue in the given window")
    session.screenshot("given-window")

    session.stop(guest, what="-window-id")

    # Made smaller than the classic board, the window shows the board scaled and centred. The
    # owner repaints its own picture on the resize, so the next guest comes after it.
    session.xdotool("windowsize", window, 300, 200)
    session.require(session.wait_until(lambda: "Geometry: 300x200" in session.xdotool(
        "getwindowgeometry", window), ON_SCREEN) is not None, "the window was not made smaller")
    guest = session.start("-window-id", window, "--config", str(guest_settings))
    small = session.wait_for(lambda im: im.getpixel((40, 5)) == BLUE
                             and im.getpixel((60, 100)) != BLUE
                             and im.getpixel((299, 100)) == BLUE)
    session.expect(small is not None, "the 300 x 200 window does not show a 200-pixel board "
                   "centred between blue margins")
    session.screenshot("small-window")
    session.stop(guest, what="-window-id, small window")
    time.sleep(0.3)
    session.expect(owner.poll() is None, "the window's owner ended with the guest")
    session.stop(owner, what="the window's owner")


if __name__ == "__main__":
    run_test(main)
