"""A settings file of bad values plays as the defaults do (any skin, black background, the
information lines in the default grey); a good value among bad ones is still taken."""

from board_image import Skin, ink_box, squares_are_skin_cells
from native import run_test

BLACK = (0, 0, 0)
WHITE_NAME_BAND = (256, 640, 768, 680)
DEFAULT_GREY = (0xC8, 0xC8, 0xC8)

BAD = ("Time mode=fast\nShow info=yes\nShow last move=1.5\nRandom skin=maybe\n"
       "Name of skin=" + "x" * 300 + "\nColor of font=0x1FFFFFFFF\nCurrent game number=12abc\n"
       "Fit board=on\nAnimate moves=\n=\n==\nno equals\n\x00\xff\xfe garbage\n")


def brightest(image, box):
    region = image.crop(box)
    return max(region.getdata(), key=sum)


def board_of_some_skin(session, image):
    skins = [Skin(path) for path in sorted((session.data / "Skin").glob("*.bmp"))]
    return any(squares_are_skin_cells(image, skin) for skin in skins)


def main(session):
    for what, text, background in (
            ("bad values only", BAD, BLACK),
            ("a good background among bad values", BAD + "Color of background=0x00FF0000\n",
             (0, 0, 255))):
        session.fresh_screen()
        session.write_settings(text.encode("latin-1"))
        saver = session.start("-root")
        image = session.wait_for(
            lambda im: im.getpixel((5, 5)) == background and board_of_some_skin(session, im))
        session.expect(image is not None, f"{what}: no board of a supplied skin on "
                       f"{background} (shown: corner {session.screenshot(what).getpixel((5, 5))})")
        if image is not None:
            session.expect(ink_box(image, WHITE_NAME_BAND, background) is not None,
                           f"{what}: the information lines are missing")
            session.expect(brightest(image, WHITE_NAME_BAND) == DEFAULT_GREY,
                           f"{what}: the text is not the default grey: "
                           f"{brightest(image, WHITE_NAME_BAND)}")
        session.stop(saver, what=what)


if __name__ == "__main__":
    run_test(main)
