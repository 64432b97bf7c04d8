"""Names in scripts that need shaping, checked against Pango's own rendering by pango-view, an
independent program: an Arabic name is drawn joined and right to left, as Pango lays it out, and
not letter by letter in storage order; a line that mixes Latin, Cyrillic, CJK and Arabic draws
every letter from a face that has it, and none as a missing-glyph box."""

import shutil
import subprocess

from PIL import Image, ImageChops, ImageDraw, ImageFont

from board_image import ink_box
from native import SkipTest, run_test

BLACK = (0, 0, 0)
WHITE_BAND = (256, 640, 768, 680)
BLACK_BAND = (256, 88, 768, 128)
BOARD = (256, 128, 768, 640)
FONT_FAMILIES = "Palatino Linotype,P052,Palatino,DejaVu Serif,serif"
PIXELS = 18  # the information font at the classic board
GREY = "#c8c8c8"  # the default font colour
ARABIC = "محمد الشريف"
MIXED = "Ivanov Иван 伊万 إيفان"


def names_on_screen(session, white, black):
    games = session.write_game_file("names.pgn", (
        f'[Event "Names"]\n[White "{white}"]\n[Black "{black}"]\n[Result "*"]\n\n1. e4 *\n'))
    session.write_settings(f"Path to PGN file={games}\nTime mode=2\n")
    saver = session.start("-root")
    image = session.wait_for(lambda im: ink_box(im, WHITE_BAND, BLACK) is not None
                             and ink_box(im, BLACK_BAND, BLACK) is not None
                             and ink_box(im, BOARD, BLACK) is not None, timeout=8)
    session.stop(saver, what="names")
    session.require(image is not None, "no names on screen")
    return image.crop(WHITE_BAND), image.crop(BLACK_BAND)


def pango_view(session, text, label, fallback=True):
    """text as pango-view draws it in the program's families, size and colours."""
    out = session.dir / f"pango-{label}.png"
    markup = text if fallback else f'<span fallback="false">{text}</span>'
    subprocess.run(["pango-view", "-q", "--pixels", "--markup", "--margin=8",
                    f"--font={FONT_FAMILIES} {PIXELS}", f"--foreground={GREY}",
                    "--background=#000000", "-t", markup, "-o", str(out)],
                   check=True, capture_output=True)
    return Image.open(out).convert("RGB")


def letter_by_letter(text):
    """text as a drawer without shaping draws it: each character's own glyph from the face
    fontconfig gives it, left to right in storage order."""
    charset = " ".join(f"{ord(ch):x}" for ch in sorted(set(text)) if ch != " ")
    face_file = subprocess.run(["fc-match", "-f", "%{file}", f"{FONT_FAMILIES}:charset={charset}"],
                               capture_output=True, text=True, check=True).stdout
    face = ImageFont.truetype(face_file, size=PIXELS, layout_engine=ImageFont.Layout.BASIC)
    image = Image.new("RGB", (PIXELS * (len(text) + 2), PIXELS * 3), BLACK)
    ImageDraw.Draw(image).text((PIXELS, PIXELS), text, font=face, fill=GREY)
    return image


def ink(image):
    """The image's ink, cut to its bounding box, as a mask of 0 and 255."""
    mask = image.convert("L").point(lambda value: 255 if value >= 96 else 0)
    box = mask.getbbox()
    return mask.crop(box) if box else None


def likeness(a, b):
    """Shared ink over all ink of two masks laid top-left on top-left: 1 for the same shapes,
    near 0 for unrelated ones."""
    size = (max(a.size[0], b.size[0]), max(a.size[1], b.size[1]))
    pads = []
    for mask in (a, b):
        pad = Image.new("L", size, 0)
        pad.paste(mask, (0, 0))
        pads.append(pad)
    both = ImageChops.darker(*pads).histogram()[255]
    either = ImageChops.lighter(*pads).histogram()[255]
    return both / either


def compare(session, what, drawn, right, wrong, wrong_name):
    """drawn must have right's ink box (within 2 pixels) and shapes, and not wrong's shapes."""
    to_right, to_wrong = likeness(drawn, right), likeness(drawn, wrong)
    session.note(f"{what}: ink {drawn.size[0]} x {drawn.size[1]} drawn, {right.size[0]} x "
                 f"{right.size[1]} by pango-view, {wrong.size[0]} x {wrong.size[1]} {wrong_name}; "
                 f"likeness {to_right:.2f} to pango-view, {to_wrong:.2f} {wrong_name}")
    session.expect(all(abs(d - r) <= 2 for d, r in zip(drawn.size, right.size)),
                   f"{what}: the ink is {drawn.size}, pango-view's {right.size}")
    session.expect(to_right >= 0.8, f"{what}: drawn unlike pango-view ({to_right:.2f})")
    session.expect(to_wrong <= 0.4, f"{what}: drawn like {wrong_name} ({to_wrong:.2f})")


def main(session):
    if not shutil.which("pango-view"):
        raise SkipTest("pango-view (pango1.0-tools) is missing")
    whole = ink(pango_view(session, MIXED, "mixed"))
    boxes = ink(pango_view(session, MIXED, "boxes", fallback=False))
    session.require(likeness(whole, boxes) <= 0.5,
                    "pango-view draws the mixed line alike with and without fallback faces: the "
                    "faces for CJK and Arabic are missing (scripts/setup.sh installs them)")

    white, black = names_on_screen(session, MIXED, ARABIC)
    arabic = ink(black)
    mixed = ink(white)
    session.require(arabic is not None and mixed is not None, "a name left no ink")
    compare(session, "Arabic name", arabic, ink(pango_view(session, ARABIC, "arabic")),
            ink(letter_by_letter(ARABIC)), "letter by letter")
    compare(session, "mixed line", mixed, whole, boxes, "without fallback")


if __name__ == "__main__":
    run_test(main)
