"""quorvane --fullscreen under openbox, a window manager that honours EWMH: the window becomes full
screen (the full-screen state, the screen's geometry) with no pointer shown, and the board stands
at the classic place. A key, the left button (on a window shown above it, as a notification is)
and a mouse jump each end the run with exit code 0 and the game on show stored; a drift of a few
pixels at a time, the wheel and a side button do not."""

import time

from board_image import START_FEN, board_region
from full_screen import (Popup, full_screen_window, pointer_shows, start_window_manager,
                         stored_game, wait_window_gone)
from native import run_test

SCREEN = (0, 0, 1024, 768)
GAME = """[Event "Full screen"]
[White "White {n}"]
[Black "Black {n}"]
[Result "*"]

1. {moves} *
"""
# The run begins with game 1; each position names the game it belongs to (the start, any game).
POSITIONS = {
    "start": (START_FEN, (), None),
    "e4": ("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", ("e2", "e4"), 1),
    "e5": ("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR", ("e7", "e5"), 1),
    "d4": ("rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR", ("d2", "d4"), 2),
    "d5": ("rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR", ("d7", "d5"), 2),
}
# Each step is one pointer move; none is more than 10 pixels from where the one before left it.
DRIFT = [(6, -5)] * 4 + [(-10, 0)] * 3 + [(0, 10)] * 3 + [(10, 10)]


def shown(image, boards):
    data = board_region(image).tobytes()
    return next((label for label, board in boards.items() if board == data), None)


def boards_to_come(session, boards, count, timeout=40):
    """The next count boards shown, each unlike the one before it and the first unlike the one on
    show now. The second can only be drawn after the program has read every event sent before
    this call: the first may finish a repaint that had begun before them."""
    seen = [shown(session.screenshot(), boards)]
    deadline = time.monotonic() + timeout
    while len(seen) <= count and time.monotonic() < deadline:
        label = shown(session.screenshot(), boards)
        if label is not None and label != seen[-1]:
            seen.append(label)
        time.sleep(0.05)
    return seen[1:]


def start_run(session, boards, settings):
    session.write_settings(settings)
    session.xdotool("mousemove", 512, 384)  # the anchor of the run's first move
    process = session.start("--fullscreen")
    full_screen_window(session, process, SCREEN)
    image = session.wait_for(lambda im: shown(im, boards) == "start", timeout=10)
    session.require(image is not None, "the start position is not at the classic place")
    return process, image


def expect_end(session, process, what, game):
    code = session.wait_exit(process, 10)
    session.expect(code == 0, f"{what}: exit code {code}, expected 0")
    if code is None:
        process.kill()
        process.wait()
    stored = stored_game(session)
    session.expect(stored == game, f"{what}: stored game {stored}, expected {game}")
    wait_window_gone(session)


def main(session):
    games = session.write_game_file("three.pgn", "\n".join(
        GAME.format(n=n, moves=moves) for n, moves in enumerate(["c4 c5", "e4 e5", "d4 d5"])))
    settings = (f"Random skin=0\nName of skin=Walnut.bmp\nTime mode=2\nPath to PGN file={games}\n"
                "Current game number=1\n")
    skin = session.skin("Walnut.bmp")
    boards = {label: skin.board(fen, marked).tobytes()
              for label, (fen, marked, _) in POSITIONS.items()}
    start_window_manager(session, "openbox", "--sm-disable")

    process, _ = start_run(session, boards, settings)
    session.screenshot("full-screen-start")
    session.expect(not pointer_shows(session), "the pointer shows over the full-screen window")
    session.xdotool("key", "x")
    expect_end(session, process, "a key", 1)
    session.require(pointer_shows(session), "no pointer shape after the run: the probe is blind")

    # Over a window shown above the board, as a notification is: the click still ends the run.
    process, _ = start_run(session, boards, settings)
    popup = Popup(session, (462, 334, 562, 434))
    session.xdotool("click", 1)
    expect_end(session, process, "the left button over a popup", 1)
    popup.close()

    process, _ = start_run(session, boards, settings)
    for dx, dy in DRIFT:
        session.xdotool("mousemove_relative", "--", dx, dy)
    for button in (4, 5, 8):  # the wheel, a side button
        session.xdotool("click", button)
    seen = boards_to_come(session, boards, 2)
    session.note(f"boards after the drift: {seen}")
    session.require(len(seen) == 2, f"the boards stopped coming after the drift: {seen}")
    session.expect(process.poll() is None,
                   f"the drift, the wheel or a side button ended the run (seen {seen})")
    session.xdotool("mousemove_relative", "--", 40, 0)
    # A start that came after the drift is game 2's.
    expect_end(session, process, "a mouse jump",
               2 if seen[-1] == "start" else POSITIONS[seen[-1]][2])


if __name__ == "__main__":
    run_test(main)
