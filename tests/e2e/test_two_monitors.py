"""Two monitors side by side (1024 x 768 primary at 0,0 and 800 x 600 at 1024,0, which Wine reports
as two monitors), one run per "Monitors" choice: 0 the board on the primary alone and the other
monitor in the background colour; 1 the same game on both, each board at its own monitor's classic
place; 2 the stored game on the primary, the next game on the other, and the next unseen game
stored at the end. The games start from different positions so a screenshot tells them apart."""

from board_image import START_FEN, Skin, board_region, ink_box
from e2e import run_test
from fitted_board import BACKGROUND, start_run

MONITORS = ((1024, 768), (800, 600))
PRIMARY_BOARD = (256, 128)
SECOND_BOARD = (1024 + (800 - 512) // 2, (600 - 512) // 2)
SECOND_MONITOR = (1024, 0, 1824, 600)
AFTER_D4 = "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR"
GAMES = (b'[White "A"]\n[Black "B"]\n\n1. e4 e5 *\n\n'
         b'[White "C"]\n[Black "D"]\n[SetUp "1"]\n'
         b'[FEN "' + AFTER_D4.encode() + b' b KQkq - 0 1"]\n\n1... d5 *\n\n'
         b'[White "E"]\n[Black "F"]\n\n1. c4 c5 *\n')


def main(session):
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    start, after_d4 = skin.board(START_FEN).tobytes(), skin.board(AFTER_D4).tobytes()
    runs = ((0, start, None), (1, start, start), (2, start, after_d4))
    for mode, primary, second in runs:
        what = f"Monitors={mode}"
        # The Large pause keeps each game's first position on screen while the test looks.
        saver = start_run(session, "three.pgn", GAMES, Monitors=mode, Time_mode=2)

        def shows(image):
            if board_region(image, PRIMARY_BOARD).tobytes() != primary:
                return False
            if second is None:
                return ink_box(image, SECOND_MONITOR, BACKGROUND) is None
            return board_region(image, SECOND_BOARD).tobytes() == second

        image = session.wait_for(shows)
        if image is None:
            session.screenshot(f"monitors-{mode}-last")
        session.expect(image is not None,
                       f"{what}: not the expected boards at {PRIMARY_BOARD} and {SECOND_BOARD}")
        if image is not None:
            session.save(image, f"monitors-{mode}")
        session.end_with_key(saver, what)
        if mode == 2:
            stored = session.setting("Current game number")
            session.expect(stored == 2, f"{what}: stored game {stored}, expected 2 (unseen)")


if __name__ == "__main__":
    run_test(main, screens=MONITORS, side_by_side=True)
