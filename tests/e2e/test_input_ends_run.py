"""Input ends the full-screen saver: any key (Alt combinations too), the left, right or middle
button, a mouse jump of 11 pixels and another window coming to the front each end the run with
exit code 0 and store the game on screen; a drift of 10 pixels or less per move and the wheel do
not. The next run starts with the stored game."""

import time

from board_image import START_FEN, Skin
from e2e import DATA_DIR, ON_SCREEN, HostWindow, run_test

# Game 0 has no moves, so the run moves on to game 1, the FEN game, after one pause; storing 1
# therefore proves that the game on screen, not the one the run began with, was stored. The pause
# is the Large one (three seconds), so that each position stays long enough to be seen under load.
GAME_0 = {"game 0": (START_FEN, ())}
GAME_1 = {
    "game 1 start": ("4k3/8/8/8/8/8/4P3/4K3", ()),
    "game 1 after e4": ("4k3/8/8/8/4P3/8/8/4K3", ("e2", "e4")),
    "game 1 after Kd7": ("8/3k4/8/8/4P3/8/8/4K3", ("e8", "d7")),
    "game 1 after Kd2": ("8/3k4/8/8/4P3/8/3K4/8", ("e1", "d2")),
}

ENDING_INPUTS = [
    ("a key", lambda s: s.key("q")),
    ("an Alt combination", lambda s: s.key("alt+x")),
    ("the left button", lambda s: s.click(1)),
    ("the right button", lambda s: s.click(3)),
    ("the middle button", lambda s: s.click(2)),
    ("a jump of 11 pixels in x", lambda s: s.move_by(11, 0)),
    ("a jump of 11 pixels in y", lambda s: s.move_by(0, -11)),
]


def run_until_game_1(session, boards, what):
    session.set_settings(Current_game_number=0)
    saver = session.start_saver("/s")
    seen = session.watch(boards, until=lambda labels: labels[-1].startswith("game 1"),
                         timeout=ON_SCREEN)
    labels = [label for label, _ in seen]
    session.require(labels and labels[-1].startswith("game 1"),
                    f"{what}: game 1 never came on screen; saw {labels}")
    return saver


def ends_run(session, boards, what, send):
    saver = run_until_game_1(session, boards, what)
    send(session)
    code = session.wait_exit(saver)
    session.expect(code == 0, f"{what}: exit code {code}, expected 0")
    if code is None:
        saver.kill()
        saver.wait()
    stored = session.setting("Current game number")
    session.expect(stored == 1, f"{what}: stored game number {stored}, expected 1")


def loss_of_activation(session, boards):
    """Another window coming to the front, as switching applications does, ends the run."""
    what = "loss of activation"
    other = HostWindow(session, (200, 100), (0, 0))
    saver = run_until_game_1(session, boards, what)
    session.expect(other.ask("front") == ["front", "1"], f"{what}: the other window did not "
                   "come to the front")
    code = session.wait_exit(saver)
    session.expect(code == 0, f"{what}: exit code {code}, expected 0")
    if code is None:
        saver.kill()
        saver.wait()
    stored = session.setting("Current game number")
    session.expect(stored == 1, f"{what}: stored game number {stored}, expected 1")
    other.ask("destroy")


def drift_does_not_end(session, boards):
    what = "drift and wheel"
    saver = run_until_game_1(session, boards, what)
    # Each step is its own mouse-move message: the saver compares the cursor with where the
    # previous small step left it.
    steps = [(10, 0)] * 8 + [(0, 10)] * 6 + [(-10, -10)] * 4 + [(7, -3)] * 3
    for dx, dy in steps:
        session.move_by(dx, dy)
        time.sleep(0.15)
    session.click(4)  # wheel up
    session.click(5)  # wheel down
    time.sleep(1.0)
    session.expect_running(saver, "after drifting 10 pixels or less per move and the wheel")
    session.move_by(0, 11)
    code = session.wait_exit(saver)
    session.expect(code == 0, f"{what}: exit code {code} after the closing jump, expected 0")
    if code is None:
        saver.kill()
        saver.wait()


def next_run_starts_with_stored_game(session, boards):
    saver = session.start_saver("/s")
    seen = session.watch(boards, until=lambda labels: len(labels) > 1 or labels[0] != "blank",
                         timeout=ON_SCREEN)
    shown = [label for label, _ in seen if label != "blank"]
    session.expect(shown[:1] == ["game 1 start"],
                   f"the run after storing 1 showed {shown[:1]} first, expected game 1's start")
    if shown and shown[0] != "game 1 start":
        session.save(seen[-1][1], "next-run")
    session.end_with_key(saver, "the run after storing 1")


def main(session):
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    pgn = session.install_game_file("input-runs.pgn", (DATA_DIR / "input_runs.pgn").read_bytes())
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2,
                         Path_to_PGN_file=pgn)
    boards = {label: skin.board(fen, marked)
              for label, (fen, marked) in {**GAME_0, **GAME_1}.items()}
    for what, send in ENDING_INPUTS:
        session.note(f"ending with {what}")
        ends_run(session, boards, what, send)
    next_run_starts_with_stored_game(session, boards)
    drift_does_not_end(session, boards)
    loss_of_activation(session, boards)


if __name__ == "__main__":
    run_test(main)
