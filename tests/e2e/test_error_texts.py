"""A missing skin folder and a missing game file are reported on the screen in place of the board:
each message alone, and both together one under the other. The playback never steps then: the
screen stays as it is, and the game number stored at the end is the one the run began with."""

import time

from board_image import ink_box
from e2e import PROGRAM_DIR, colour_ref, run_test

BACKGROUND = (0x30, 0x10, 0x08)
SCREEN = (0, 0, 1024, 768)
STORED = 3
MISSING_PGN = PROGRAM_DIR + r"\no-such-file.pgn"


def error_screen(session, what):
    """Runs the saver until its screen settles; checks that it never changes and that no board is
    drawn; ends it with a key. Returns the screenshot."""
    session.set_settings(Current_game_number=STORED)
    saver = session.start_saver("/s")
    first = session.wait_for(lambda image: ink_box(image, SCREEN, BACKGROUND) is not None
                             and image.getpixel((1023, 767)) == BACKGROUND)
    session.require(first is not None, f"{what}: the saver never painted its window")
    time.sleep(1)
    before = session.screenshot()
    time.sleep(3)
    after = session.screenshot()
    session.save(after, what.replace(" ", "-"))
    session.expect(before.tobytes() == after.tobytes(), f"{what}: the screen changed")
    text = ink_box(after, SCREEN, BACKGROUND)
    session.expect(text is not None and text[0] < 16 and text[1] < 16,
                   f"{what}: the text does not start at the top-left corner (ink at {text})")
    session.expect(ink_box(after, (0, 128, 1024, 768), BACKGROUND) is None,
                   f"{what}: something is drawn below the text, where the board would be")
    session.expect_running(saver, what)
    session.end_with_key(saver, what)
    stored = session.setting("Current game number")
    session.expect(stored == STORED, f"{what}: stored game number {stored}, expected {STORED} "
                   "(the playback stepped)")
    return after


def text_rows(image):
    box = ink_box(image, SCREEN, BACKGROUND)
    return (box[1], box[3]) if box else (0, 0)


def main(session):
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=0,
                         Color_of_background=colour_ref(*BACKGROUND))
    skin_folder = session.skin_folder()
    moved_skins = skin_folder.with_name("Skin.away")

    skin_folder.rename(moved_skins)
    skin_only = error_screen(session, "skin folder missing")
    moved_skins.rename(skin_folder)

    session.set_settings(Path_to_PGN_file=MISSING_PGN)
    pgn_only = error_screen(session, "game file missing")

    skin_folder.rename(moved_skins)
    both = error_screen(session, "skin folder and game file missing")

    # The skin message is one line; the game file's message must follow it one line lower, and
    # the first line must be the skin message exactly.
    top, bottom = text_rows(skin_only)
    session.require(bottom - top in range(8, 60), f"the skin message's rows {top}-{bottom} are "
                    "not one line of text")
    width = 1024
    line_height = next((d for d in range(8, 80)
                        if both.crop((0, d, width, 200)).tobytes()
                        == pgn_only.crop((0, 0, width, 200 - d)).tobytes()), None)
    session.expect(line_height is not None,
                   "the game file's message is not shown one line below the skin message")
    if line_height is not None:
        session.expect(both.crop((0, 0, width, line_height)).tobytes()
                       == skin_only.crop((0, 0, width, line_height)).tobytes(),
                       "the first line is not the skin message")
        session.note(f"line height {line_height} pixels")


if __name__ == "__main__":
    run_test(main)
