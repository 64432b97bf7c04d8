"""At 1920 x 1080: the classic board unchanged without "Fit board"; with it, 90-pixel cells from the
skins' twice-size drawing; player names in Cyrillic and Chinese drawn as Unicode, like a reference
drawn with the same font; and with "Animate moves" a frame of the pawn in the middle of its slide."""

import time

from PIL import Image

from board_image import START_FEN, Skin, board_region, mean_difference, square
from e2e import run_test
from fitted_board import (BACKGROUND, check_classic_board, check_fitted_board, classic_origin,
                          fitted_cell, fitted_origin, start_run)

SCREEN = (1920, 1080)
FONT_COLOUR = 0xC8C8C8  # the default ink, 0x00BBGGRR
WHITE_NAME = "Михаил Таль"
BLACK_NAME = "丁立人"
AFTER_E4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"


def name_game():
    return ("[Event \"Names\"]\r\n[White \"" + WHITE_NAME + "\"]\r\n[Black \"" + BLACK_NAME +
            "\"]\r\n\r\n1. e4 e5 *\r\n").encode("utf-8")


def reference(session, text, band, mode):
    """The band as the saver's text path draws the text, by the draw_name harness."""
    font_height = 24 * fitted_cell(SCREEN) // 64
    out = session.dir / f"reference-{mode}-{band[1]}.bmp"
    background = BACKGROUND[0] | BACKGROUND[1] << 8 | BACKGROUND[2] << 16
    session.wine_run([session.harness("draw_name"), str(font_height), str(band[2] - band[0]),
                      str(band[3] - band[1]), str(FONT_COLOUR), str(background),
                      text.encode("utf-8").hex(), "Z:" + str(out).replace("/", "\\"), mode])
    return Image.open(out).convert("RGB")


def check_names(session):
    cell, (left, top) = fitted_cell(SCREEN), fitted_origin(SCREEN)
    # The bands scale with the cell: Black's name 40 pixels above the board at 64, White's the 40
    # below it.
    bands = {BLACK_NAME: (left, top - 40 * cell // 64, left + 8 * cell, top),
             WHITE_NAME: (left, top + 8 * cell, left + 8 * cell, top + 552 * cell // 64)}
    saver = start_run(session, "names.pgn", name_game(), Fit_board=1)
    wide = {name: reference(session, name, band, "wide") for name, band in bands.items()}
    narrow = {name: reference(session, name, band, "narrow") for name, band in bands.items()}

    def drawn(image):
        return all(image.crop(band).tobytes() == wide[name].tobytes()
                   for name, band in bands.items())

    shown = session.wait_for(drawn, 20)
    last = shown or session.screenshot()
    session.save(last, "names")
    for name, band in bands.items():
        on_screen = last.crop(band)
        session.expect(on_screen.tobytes() == wide[name].tobytes(),
                       f"{name!r} differs from the reference by "
                       f"{mean_difference(on_screen, wide[name]):.2f}")
        session.expect(mean_difference(wide[name], narrow[name]) > 1.0,
                       f"{name!r}: the Unicode and the 8-bit drawings look alike")
        # Each letter leaves ink: a missing glyph or an empty line would not.
        ink = sum(1 for p in on_screen.getdata() if p != BACKGROUND)
        session.expect(ink > 40 * len(name), f"{name!r}: only {ink} pixels of ink")
    session.end_with_key(saver, "names run")


def check_slide(session):
    """With "Animate moves" the pawn travels from e2 to e4: some frame shows it between them,
    with every other square as before the move."""
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    origin = classic_origin(SCREEN)
    start, after = skin.board(START_FEN), skin.board(AFTER_E4, ("e2", "e4"))
    travel = [square(name) for name in ("e2", "e3", "e4")]

    def boxes(index):
        row, column = 7 - index // 8, index % 8
        return (column * 64, row * 64, column * 64 + 64, row * 64 + 64)

    others = [boxes(i) for i in range(64) if i not in travel]
    e3 = boxes(square("e3"))
    saver = start_run(session, Time_mode=0, Animate_moves=1)
    session.require(session.wait_for(
        lambda image: board_region(image, origin).tobytes() == start.tobytes(), 20) is not None,
        "the start position did not show")
    middle = None
    deadline = time.monotonic() + 6
    seen_after = False
    while time.monotonic() < deadline and middle is None:
        board = board_region(session.screenshot(), origin)
        if board.tobytes() == after.tobytes():
            seen_after = True
            continue
        if board.tobytes() == start.tobytes():
            continue
        if all(board.crop(b).tobytes() == start.crop(b).tobytes() for b in others) and \
                board.crop(e3).tobytes() != start.crop(e3).tobytes():
            middle = board
    session.expect(middle is not None,
                   "no frame showed the pawn between e2 and e4" +
                   (" (the move was seen landing)" if seen_after else ""))
    if middle is not None:
        session.save(middle, "mid-slide")
    landed = session.wait_for(
        lambda image: board_region(image, origin).tobytes() == after.tobytes(), 5)
    session.expect(landed is not None, "after the slide the board is not the position after e4 "
                   "with e2 and e4 marked")
    session.end_with_key(saver, "slide run")


def main(session):
    check_classic_board(session, SCREEN)
    check_fitted_board(session, SCREEN, scale=2)
    check_names(session)
    check_slide(session)


if __name__ == "__main__":
    run_test(main, screens=(SCREEN,))
