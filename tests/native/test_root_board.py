"""-root at 1024 x 768: the named skin's cells, unscaled and centred, pixel for pixel (empty
squares and pieces alike); the first move's marks; the information lines in their bands; the home
page line at the game's final position; SIGTERM ends the run with exit code 0."""

import time

from board_image import START_FEN, board_box, board_region, ink_box
from native import DATA_DIR, run_test

BLACK = (0, 0, 0)
AFTER_E4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"
AFTER_E5 = "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR"
# Bands around the board at (256, 128): Black's name above, White's name, date, event, site below.
BANDS = {"black": (256, 88, 768, 128), "white": (256, 640, 768, 680),
         "date": (256, 680, 768, 704), "event": (256, 704, 768, 728),
         "site": (256, 728, 768, 752)}
HOME_PAGE = (0, 0, 1024, 40)


def main(session):
    skin = session.skin("Walnut.bmp")
    games = session.write_game_file("two.pgn", (DATA_DIR / "two_plies.pgn").read_bytes())
    session.write_settings(f"Random skin=0\nName of skin=Walnut.bmp\nTime mode=0\n"
                           f"Path to PGN file={games}\n")
    expected = {"start": skin.board(START_FEN).tobytes(),
                "e4": skin.board(AFTER_E4, marked=("e2", "e4")).tobytes(),
                "e5": skin.board(AFTER_E5, marked=("e7", "e5")).tobytes()}
    saver = session.start("-root")
    seen = []
    deadline = time.monotonic() + 12
    while time.monotonic() < deadline and seen[-1:] != ["e5"]:
        image = session.screenshot()
        shown = board_region(image).tobytes()
        label = next((name for name, data in expected.items() if data == shown), None)
        if label and seen[-1:] != [label]:
            seen.append(label)
            session.screenshot(label)
            if label == "start":
                for band, box in BANDS.items():
                    session.expect(ink_box(image, box, BLACK) is not None,
                                   f"no text in the {band} band")
                session.expect(ink_box(image, HOME_PAGE, BLACK) is None,
                               "the home page line shows before the game's end")
        time.sleep(0.05)
    session.expect(seen == ["start", "e4", "e5"],
                   f"expected the boards start, e4, e5 exactly, saw {seen}")
    if seen[-1:] == ["e5"]:
        image = session.wait_for_ink(HOME_PAGE, timeout=3)
        session.expect(image is not None, "no home page line at the game's final position")
        if image is not None:
            box = ink_box(image, HOME_PAGE, BLACK)
            session.expect(box[2] > 1000 and box[0] > 600,
                           f"the home page line is not against the right edge: {box}")
            session.expect(board_region(image).tobytes() == expected["e5"],
                           "the board changed when the home page line came")
    outside = (0, 128, 256, 640)
    session.expect(ink_box(session.screenshot(), outside, BLACK) is None,
                   "something drawn left of the board")
    session.stop(saver, what="-root")
    session.expect(board_box() == (256, 128, 768, 640), "board geometry")


if __name__ == "__main__":
    run_test(main)
