"""Skins and settings the saver must survive: a non-bitmap skin file (no skin remains, so the skin
message shows), a named skin that does not exist (the catalogue's pick shows
without a message), registry values of the wrong type and an over-long skin name (their defaults
are used). Each run keeps going until input and ends with exit code 0."""

import shutil
from pathlib import Path

from board_image import START_FEN, Skin, ink_box
from e2e import DATA_DIR, RawValue, run_test

BLACK = (0, 0, 0)
SCREEN = (0, 0, 1024, 768)
BLACK_NAME_BAND = (256, 88, 768, 128)
# The positions of two_plies.pgn: a check of the skin or the settings takes any of them, as the
# game goes on while the screen is read.
GAME = [(START_FEN, ()), ("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", ("e2", "e4")),
        ("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR", ("e7", "e5"))]


def run(session, what, problems):
    """Runs the saver until its screen shows what problems(image) expects (the list it returns is
    then empty), reports what is still wrong at the deadline, and ends the run with a key."""
    saver = session.start_saver("/s")
    image, found = session.wait_for_state(problems)
    session.save(image, what.replace(" ", "-"))
    for problem in found:
        session.expect(False, f"{what}: {problem}")
    session.expect_running(saver, what)
    session.end_with_key(saver, what)


def main(session):
    skin_path = session.skin_folder() / "Quorvane.bmp"
    skin = Skin(skin_path)
    good_bitmap = skin_path.read_bytes()
    game = [skin.board(fen, marked).tobytes() for fen, marked in GAME]
    session.write_file(r"C:\Program Files\Brenholt\Quorvane\varnoth.pgn",
                       (DATA_DIR / "two_plies.pgn").read_bytes())
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2)

    def no_skin(image):
        text = ink_box(image, SCREEN, BLACK)
        if text is not None and text[1] < 16 and text[3] < 60:
            return []
        return [f"expected one line of text at the top, ink at {text}"]

    def board_of_quorvane(image):
        found = []
        if image.crop((256, 128, 768, 640)).tobytes() not in game:
            found.append("the board is not a position of the game in Quorvane.bmp's cells")
        if ink_box(image, (0, 0, 1024, 88), BLACK) is not None:
            found.append("a message or other text above the board")
        return found

    # The only skin is not a bitmap, so neither the named load nor the random pick finds one.
    session.keep_only_skins("Quorvane.bmp")
    session.write_file(r"C:\Program Files\Brenholt\Quorvane\Skin\Quorvane.bmp",
                       b"This is not a bitmap.\r\n" * 100)
    run(session, "non-bitmap skin", no_skin)

    session.write_file(r"C:\Program Files\Brenholt\Quorvane\Skin\Quorvane.bmp", good_bitmap)
    session.set_settings(Name_of_skin="Missing.bmp")
    run(session, "named skin missing", board_of_quorvane)

    # Values of the wrong type keep their defaults: a random skin (Quorvane.bmp is the only
    # one), information shown, a black background, the default game file.
    session.set_settings(Random_skin="0", Show_info="0", Color_of_background="16777215",
                         Name_of_skin=RawValue(4, bytes(4)), Path_to_PGN_file=7,
                         Time_mode="0", Current_game_number="1")

    def defaults_check(image):
        found = []
        if image.crop((256, 128, 768, 640)).tobytes() not in game:
            found.append("not a position of the default game file")
        if ink_box(image, BLACK_NAME_BAND, BLACK) is None:
            found.append("no names (Show info lost its default)")
        if image.getpixel((5, 300)) != BLACK:
            found.append("background not black")
        return found

    run(session, "wrong value types", defaults_check)

    # A skin name longer than the 259 characters the setting holds is not taken: the default
    # Quorvane.bmp is, even with other skins beside it.
    for other in Path(session.config["skins"]).glob("*.bmp"):
        if other.name != "Quorvane.bmp":
            shutil.copyfile(other, session.skin_folder() / other.name)
    session.set_settings(Random_skin=0, Name_of_skin="N" * 296 + ".bmp", Time_mode=2,
                         Path_to_PGN_file=r"C:\Program Files\Brenholt\Quorvane\varnoth.pgn")
    run(session, "over-long skin name", board_of_quorvane)


if __name__ == "__main__":
    run_test(main)
