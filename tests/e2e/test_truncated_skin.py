"""A skin file cut short (its header promises more pixels than the file holds) is not a readable
bitmap: with it as the only skin, the saver shows the skin message, keeps running until input and
ends with exit code 0."""

import time

from board_image import ink_box
from e2e import PROGRAM_DIR, run_test

BLACK = (0, 0, 0)
SCREEN = (0, 0, 1024, 768)
SKIN = PROGRAM_DIR + r"\Skin\Quorvane.bmp"


def main(session):
    bitmap = (session.skin_folder() / "Quorvane.bmp").read_bytes()
    session.keep_only_skins("Quorvane.bmp")
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2)
    # Cut inside the header, and inside the pixel rows.
    for size in (40, 4000):
        what = f"skin cut to {size} bytes"
        session.write_file(SKIN, bitmap[:size])
        saver = session.start_saver("/s")
        image = session.wait_for(lambda im: ink_box(im, SCREEN, BLACK) is not None, timeout=8)
        session.expect(image is not None, f"{what}: nothing came on screen")
        if image is not None:
            time.sleep(1)
            text = ink_box(session.screenshot(what.replace(" ", "-")), SCREEN, BLACK)
            session.expect(text is not None and text[1] < 16 and text[3] < 60,
                           f"{what}: expected one line of text at the top, ink at {text}")
        session.expect_running(saver, what)
        code = session.end_with_key(saver, what)
        if code is None:
            saver.kill()


if __name__ == "__main__":
    run_test(main)
