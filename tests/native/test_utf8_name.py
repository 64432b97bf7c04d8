"""Player names: UTF-8 is drawn as the characters it spells, other bytes as code page 1252 reads
them. "Dückhorn" in UTF-8 and in Latin-1 bytes draw the same pixels; the UTF-8 bytes read as
1252 ("DÃ¼ckhorn") draw different ones; a Cyrillic name in UTF-8 is as wide as the same face
draws it."""

import subprocess

from PIL import ImageFont

from board_image import ink_box
from native import run_test

BLACK = (0, 0, 0)
WHITE_BAND = (256, 640, 768, 680)
BLACK_BAND = (256, 88, 768, 128)
BOARD = (256, 128, 768, 640)
FONT_FAMILIES = "Palatino Linotype,P052,Palatino,DejaVu Serif,serif"
PIXELS = 18
CYRILLIC = "Карпов, Анатолий"


def game(white, black):
    return (b'[Event "Names"]\n[White "' + white + b'"]\n[Black "' + black + b'"]\n'
            b'[Result "*"]\n\n1. e4 *\n')


def bands(session, what, white, black):
    session.fresh_screen()
    games = session.write_game_file(what + ".pgn", game(white, black))
    session.write_settings(f"Path to PGN file={games}\nTime mode=2\n")
    saver = session.start("-root")
    image = session.wait_for(lambda im: ink_box(im, WHITE_BAND, BLACK) is not None
                             and ink_box(im, BOARD, BLACK) is not None)
    session.stop(saver, what=what)
    session.require(image is not None, f"{what}: no names on screen")
    return image.crop(WHITE_BAND), image.crop(BLACK_BAND)


def font_file_for(text):
    """The face fontconfig gives the program's families for these characters."""
    charset = " ".join(f"{ord(ch):x}" for ch in sorted(set(text)) if ch not in " ,")
    return subprocess.run(["fc-match", "-f", "%{file}", f"{FONT_FAMILIES}:charset={charset}"],
                          capture_output=True, text=True, check=True).stdout


def main(session):
    utf8_white, cyrillic_black = bands(session, "utf8", "Dückhorn".encode("utf-8"),
                                       CYRILLIC.encode("utf-8"))
    latin1_white, _ = bands(session, "latin1", "Dückhorn".encode("latin-1"), b"x")
    mojibake_white, _ = bands(session, "mojibake", "DÃ¼ckhorn".encode("utf-8"), b"x")
    session.expect(utf8_white.tobytes() == latin1_white.tobytes(),
                   "Dückhorn in UTF-8 and in Latin-1 bytes are drawn differently")
    session.expect(utf8_white.tobytes() != mojibake_white.tobytes(),
                   "Dückhorn in UTF-8 is drawn as its bytes read one by one")

    box = ink_box(cyrillic_black, (0, 0) + cyrillic_black.size, BLACK)
    session.require(box is not None, "the Cyrillic name left no ink")
    face = ImageFont.truetype(font_file_for(CYRILLIC), size=PIXELS)
    left, _, right, _ = face.getbbox(CYRILLIC)
    drawn, expected = box[2] - box[0], right - left
    session.note(f"Cyrillic name: {drawn} pixels drawn, {expected} expected from {face.path}")
    session.expect(abs(drawn - expected) <= 3,
                   f"the Cyrillic name is {drawn} pixels wide, the face draws it {expected} wide")


if __name__ == "__main__":
    run_test(main)
