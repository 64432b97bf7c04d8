"""The full-screen saver at 1024 x 768 draws the position from the chosen skin's cells, marks the
last move, frames the board with the game's texts, and shows the home-page line at a game's end."""

from board_image import START_FEN, Skin, boxes_with_ink, ink_box, wrong_squares
from e2e import DATA_DIR, ON_SCREEN, colour_ref, run_test

BACKGROUND = (0x10, 0x20, 0x40)
BOARD = (256, 128, 768, 640)
BLACK_NAME_BAND = (256, 88, 768, 128)
WHITE_NAME_BAND = (256, 640, 768, 680)
TAG_BANDS = (256, 680, 768, 752)  # date, event and site
HOME_PAGE_BAND = (0, 0, 1024, 40)
# Everything around the board and the bands, which must show the background alone.
OUTSIDE = [(0, 40, 1024, 88), (0, 88, 256, 768), (768, 88, 1024, 768), (256, 752, 768, 768)]

POSITIONS = {
    "start": (START_FEN, ()),
    "after e4": ("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", ("e2", "e4")),
    "after e5": ("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR", ("e7", "e5")),
}


def check_frame(session, label, image, final):
    session.expect(ink_box(image, BLACK_NAME_BAND, BACKGROUND) is not None,
                   f"{label}: no text in Black's name band (y 88-128)")
    session.expect(ink_box(image, WHITE_NAME_BAND, BACKGROUND) is not None,
                   f"{label}: no text in White's name band (y 640-680)")
    session.expect(ink_box(image, TAG_BANDS, BACKGROUND) is not None,
                   f"{label}: no date, event or site text (y 680-752)")
    stray = boxes_with_ink(image, OUTSIDE, BACKGROUND)
    session.expect(not stray, f"{label}: pixels other than the background in {stray}")
    home = ink_box(image, HOME_PAGE_BAND, BACKGROUND)
    if final:
        # Right-aligned in the band across the whole screen.
        session.expect(home is not None and home[2] >= 990 and home[0] > 512,
                       f"{label}: home-page line missing or not right-aligned: ink at {home}")
    else:
        session.expect(home is None, f"{label}: home-page band shows ink at {home}")


def main(session):
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    pgn = session.install_game_file("two-plies.pgn", (DATA_DIR / "two_plies.pgn").read_bytes())
    # The Large pause: each position stays three seconds, long enough to be seen under load.
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2, Show_info=1,
                         Show_last_move=1, Current_game_number=0, Path_to_PGN_file=pgn,
                         Color_of_background=colour_ref(*BACKGROUND))
    boards = {label: skin.board(fen, marked) for label, (fen, marked) in POSITIONS.items()}

    saver = session.start_saver("/s")
    seen = session.watch(boards, until=lambda labels: "after e5" in labels,
                         timeout=ON_SCREEN)
    labels = [label for label, _ in seen]
    shown = [label for label in labels if label != "blank"]
    for label, image in seen:
        if label == "unknown":
            for name, board in boards.items():
                session.note(f"  unknown frame against {name}: wrong squares "
                             f"{wrong_squares(image, board)}")
    session.require(shown[:3] == ["start", "after e4", "after e5"],
                    f"positions shown {labels}, expected start, after e4, after e5")
    for label, image in seen:
        if label in POSITIONS:
            session.save(image, label.replace(" ", "-"))
            check_frame(session, label, image, final=label == "after e5")
    session.expect_running(saver, "after the game's end")
    session.end_with_key(saver, "end of the run")


if __name__ == "__main__":
    run_test(main)
