"""At 1920 x 1080: the classic board unchanged without "Fit board"; with it, 90-pixel cells from the
skins' twice-size drawing; player names in Cyrillic and Chinese drawn as Unicode, like a reference
drawn with the same font; and with "Animate moves" a frame of the pawn in the middle of its slide."""


from PIL import Image

from board_image import SLIDE_PGN, Skin, mean_difference, watch_slide
from e2e import ON_SCREEN, run_test
from fitted_board import (BACKGROUND, check_classic_board, check_fitted_board, classic_origin,
                          fitted_cell, fitted_origin, start_run)

SCREEN = (1920, 1080)
FONT_COLOUR = 0xC8C8C8  # the default ink, 0x00BBGGRR
WHITE_NAME = "Михаил Таль"
BLACK_NAME = "丁立人"


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

    shown = session.wait_for(drawn)
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
    """With "Animate moves" a piece travels between its squares: some frame shows it between
    them with every other square as before the move, and the move then lands with its squares
    marked."""
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    saver = start_run(session, "slides.pgn", SLIDE_PGN, Time_mode=1, Animate_moves=1)
    seen = watch_slide(session.screenshot, skin, classic_origin(SCREEN), ON_SCREEN)
    session.expect(seen is not None, "no slide was seen from its middle to its landing with its "
                   "squares marked")
    if seen is not None:
        move, middle, landed = seen
        session.note(f"the slide of {move} seen in its middle and landed")
        session.save(middle, "mid-slide")
        session.save(landed, "landed")
    session.end_with_key(saver, "slide run")


def main(session):
    check_classic_board(session, SCREEN)
    check_fitted_board(session, SCREEN, scale=2)
    check_names(session)
    check_slide(session)


if __name__ == "__main__":
    run_test(main, screens=(SCREEN,))
