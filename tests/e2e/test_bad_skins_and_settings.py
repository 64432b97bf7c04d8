"""Skins and settings the saver must survive: a non-bitmap skin file (no skin remains, so the skin
message shows), a named skin that does not exist (the catalogue's pick shows
without a message), registry values of the wrong type and an over-long skin name (their defaults
are used). Each run keeps going until input and ends with exit code 0."""

import shutil
import time
from pathlib import Path

from board_image import START_FEN, Skin, ink_box
from e2e import DATA_DIR, RawValue, run_test

BLACK = (0, 0, 0)
SCREEN = (0, 0, 1024, 768)
BLACK_NAME_BAND = (256, 88, 768, 128)


def run(session, what, check):
    saver = session.start_saver("/s")
    image = session.wait_for(lambda im: ink_box(im, SCREEN, BLACK) is not None, timeout=15)
    session.require(image is not None, f"{what}: nothing came on screen")
    time.sleep(1.5)
    image = session.screenshot(what.replace(" ", "-"))
    check(image)
    session.expect_running(saver, what)
    session.end_with_key(saver, what)


def main(session):
    skin_path = session.skin_folder() / "Quorvane.bmp"
    skin = Skin(skin_path)
    good_bitmap = skin_path.read_bytes()
    start = skin.board(START_FEN)
    session.write_file(r"C:\Program Files\Brenholt\Quorvane\varnoth.pgn",
                       (DATA_DIR / "two_plies.pgn").read_bytes())
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2)

    def no_skin(what):
        def check(image):
            text = ink_box(image, SCREEN, BLACK)
            session.expect(text is not None and text[1] < 16 and text[3] < 60,
                           f"{what}: expected one line of text at the top, ink at {text}")
        return check

    def board_of_quorvane(what):
        def check(image):
            shown = image.crop((256, 128, 768, 640)).tobytes()
            session.expect(shown == start.tobytes(),
                           f"{what}: the board is not the start position in Quorvane.bmp's cells")
            session.expect(ink_box(image, (0, 0, 1024, 88), BLACK) is None,
                           f"{what}: a message or other text above the board")
        return check

    # The only skin is not a bitmap, so neither the named load nor the random pick finds one.
    session.keep_only_skins("Quorvane.bmp")
    session.write_file(r"C:\Program Files\Brenholt\Quorvane\Skin\Quorvane.bmp",
                       b"This is not a bitmap.\r\n" * 100)
    run(session, "non-bitmap skin", no_skin("non-bitmap skin"))

    session.write_file(r"C:\Program Files\Brenholt\Quorvane\Skin\Quorvane.bmp", good_bitmap)
    session.set_settings(Name_of_skin="Missing.bmp")
    run(session, "named skin missing", board_of_quorvane("named skin missing"))

    # Values of the wrong type keep their defaults: a random skin (Quorvane.bmp is the only
    # one), information shown, a black background, the default game file.
    session.set_settings(Random_skin="0", Show_info="0", Color_of_background="16777215",
                         Name_of_skin=RawValue(4, bytes(4)), Path_to_PGN_file=7,
                         Time_mode="0", Current_game_number="1")

    def defaults_check(image):
        shown = image.crop((256, 128, 768, 640)).tobytes()
        session.expect(shown == start.tobytes(), "wrong types: not the default game's start")
        session.expect(ink_box(image, BLACK_NAME_BAND, BLACK) is not None,
                       "wrong types: no names (Show info lost its default)")
        session.expect(image.getpixel((5, 300)) == BLACK, "wrong types: background not black")

    run(session, "wrong value types", defaults_check)

    # A skin name longer than the 259 characters the setting holds is not taken: the default
    # Quorvane.bmp is, even with other skins beside it.
    for other in Path(session.config["skins"]).glob("*.bmp"):
        if other.name != "Quorvane.bmp":
            shutil.copyfile(other, session.skin_folder() / other.name)
    session.set_settings(Random_skin=0, Name_of_skin="N" * 296 + ".bmp",
                         Path_to_PGN_file=r"C:\Program Files\Brenholt\Quorvane\varnoth.pgn")
    run(session, "over-long skin name", board_of_quorvane("over-long skin name"))


if __name__ == "__main__":
    run_test(main)
