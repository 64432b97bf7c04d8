"""quorvane --fullscreen on two monitors side by side (a 1280 x 768 primary and a 768 x 768 one to
its right, the virtual display's RandR monitors, which Xinerama reports), under icewm, which
honours _NET_WM_FULLSCREEN_MONITORS: the window covers both monitors, not only the one its centre
is on. With --monitors same (the same game on each) each monitor shows the board at its classic
place; with --monitors primary the primary alone does, and the other monitor only the background.
SIGTERM, as an idle daemon's resume command sends it, ends each run with exit code 0 and the game
on show stored."""

from board_image import START_FEN, board_region, ink_box
from full_screen import (full_screen_window, run_tool, start_window_manager, stored_game,
                         wait_window_gone)
from native import run_test

SIZE = (2048, 768)
WHOLE = (0, 0, 2048, 768)
# xrandr's monitors: name (a * makes it the primary), geometry, output.
MONITORS = [("*primary", "1280/338x768/203+0+0", "screen"),
            ("right", "768/203x768/203+1280+0", "none")]
PRIMARY_BOARD = (384, 128)
RIGHT_BOARD = (1280 + 128, 128)
RIGHT_MONITOR = (1280, 0, 2048, 768)


def main(session):
    session.fresh_screen(SIZE)
    for name, geometry, output in MONITORS:
        run_tool(session, "xrandr", "--setmonitor", name, geometry, output)
    session.note(run_tool(session, "xrandr", "--listmonitors").strip())
    start_window_manager(session, "icewm")
    games = session.write_game_file("two.pgn", '[White "A"]\n[Black "B"]\n\n1. e4 e5 *\n\n'
                                    '[White "C"]\n[Black "D"]\n\n1. d4 d5 *\n')
    start = session.skin("Walnut.bmp").board(START_FEN).tobytes()

    for monitors, boards in (("same", (PRIMARY_BOARD, RIGHT_BOARD)),
                             ("primary", (PRIMARY_BOARD,))):
        what = f"--monitors {monitors}"
        session.write_settings(f"Random skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
                               f"Path to PGN file={games}\nCurrent game number=1\n")
        process = session.start("--fullscreen", "--monitors", monitors)
        full_screen_window(session, process, WHOLE)
        image = session.wait_for(
            lambda im: all(board_region(im, at).tobytes() == start for at in boards), timeout=10)
        session.require(image is not None, f"{what}: the start position is not at {boards}")
        session.screenshot(f"monitors-{monitors}")
        if monitors == "primary":
            session.expect(ink_box(image, RIGHT_MONITOR, (0, 0, 0)) is None,
                           f"{what}: something drawn on the monitor that is not the primary")
        session.stop(process, what=what)
        stored = stored_game(session)
        session.expect(stored == 1, f"{what}: stored game {stored}, expected 1")
        wait_window_gone(session)


if __name__ == "__main__":
    run_test(main)
