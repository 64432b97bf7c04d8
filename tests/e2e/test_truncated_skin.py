"""A skin file cut short (its header promises more pixels than the file holds) is not a readable
bitmap: with it as the only skin, the saver shows the skin message, keeps running until input and
ends with exit code 0."""

from board_image import ink_box
from e2e import PROGRAM_DIR, run_test

BLACK = (0, 0, 0)
SCREEN = (0, 0, 1024, 768)
SKIN = PROGRAM_DIR + r"\Skin\Quorvane.bmp"


def main(session):
    bitmap = (session.skin_folder() / "Quorvane.bmp").read_bytes()
    session.keep_only_skins("Quorvane.bmp")
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2)

    def one_line_at_top(image):
        text = ink_box(image, SCREEN, BLACK)
        if text is not None and text[1] < 16 and text[3] < 60:
            return []
        return [f"expected one line of text at the top, ink at {text}"]

    # Cut inside the header, and inside the pixel rows.
    for size in (40, 4000):
        what = f"skin cut to {size} bytes"
        session.write_file(SKIN, bitmap[:size])
        saver = session.start_saver("/s")
        image, problems = session.wait_for_state(one_line_at_top)
        session.save(image, what.replace(" ", "-"))
        for problem in problems:
            session.expect(False, f"{what}: {problem}")
        session.expect_running(saver, what)
        code = session.end_with_key(saver, what)
        if code is None:
            saver.kill()


if __name__ == "__main__":
    run_test(main)
