"""-root at 1024 x 768: the named skin's cells, unscaled and centred, pixel for pixel (empty
squares and pieces alike); the first move's marks; the information lines in their bands; the home
page line at the game's final position; SIGTERM ends the run with exit code 0."""

from board_image import START_FEN, board_box, board_region, ink_box
from native import DATA_DIR, ON_SCREEN, run_test

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
    session.write_settings(f"Random skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
                           f"Path to PGN file={games}\n")
    saver = session.start("-root")
    boards = {"start": skin.board(START_FEN), "e4": skin.board(AFTER_E4, marked=("e2", "e4")),
              "e5": skin.board(AFTER_E5, marked=("e7", "e5"))}
    seen = session.watch(boards, until=lambda labels: "e5" in labels, timeout=ON_SCREEN)
    shown = [label for label, _ in seen if label != "blank"]
    for label, image in seen:
        if label == "start":
            session.save(image, label)
            session.expect(ink_box(image, HOME_PAGE, BLACK) is None,
                           "the home page line shows before the game's end")
    session.expect(shown == ["start", "e4", "e5"],
                   f"expected the boards start, e4, e5 exactly, saw {shown}")

    def final_problems(image):
        found = [f"no text in the {band} band" for band, box in BANDS.items()
                 if ink_box(image, box, BLACK) is None]
        home = ink_box(image, HOME_PAGE, BLACK)
        if home is None or home[2] <= 1000 or home[0] <= 600:
            found.append(f"no home page line against the right edge: {home}")
        if board_region(image).tobytes() != boards["e5"].tobytes():
            found.append("the board is not the final position")
        return found

    if shown[-1:] == ["e5"]:
        image, problems = session.wait_for_state(final_problems)
        session.save(image, "final")
        for problem in problems:
            session.expect(False, f"at the game's final position: {problem}")
    outside = (0, 128, 256, 640)
    session.expect(ink_box(session.screenshot(), outside, BLACK) is None,
                   "something drawn left of the board")
    session.stop(saver, what="-root")
    session.expect(board_box() == (256, 128, 768, 640), "board geometry")


if __name__ == "__main__":
    run_test(main)
