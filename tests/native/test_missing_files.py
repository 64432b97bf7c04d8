"""With the PGN file missing, no skins, or both, the program shows the set-up failure texts at the
top-left instead of a board, keeps running, and ends with exit code 0 on SIGTERM. The PGN message
names the settings file; it is longer than the skin message, so it takes more lines."""

from board_image import ink_box
from native import run_test

BLACK = (0, 0, 0)
SCREEN = (0, 0, 1024, 768)
BOARD = (256, 128, 768, 640)


def text_box(session, what):
    image = session.wait_for_ink(SCREEN)
    session.expect(image is not None, f"{what}: nothing on screen")
    if image is None:
        return None
    session.screenshot(what.replace(" ", "-"))
    box = ink_box(image, SCREEN, BLACK)
    session.expect(box[0] < 8 and box[1] < 12, f"{what}: the text does not start top-left: {box}")
    session.expect(ink_box(image, (0, 200, 1024, 768), BLACK) is None,
                   f"{what}: something below the text, such as a board")
    return box


def run(session, what, settings):
    session.fresh_screen()
    session.write_settings(settings)
    saver = session.start("-root")
    box = text_box(session, what)
    session.stop(saver, what=what)
    return box


def main(session):
    missing = session.dir / "no-such-folder" / "games.pgn"
    pgn = run(session, "missing PGN", f"Path to PGN file={missing}\n")
    # A longer settings path makes the PGN message take more room.
    long_home = session.dir / ("deep-" + "d" * 60)
    session.env["XDG_CONFIG_HOME"] = str(long_home)
    session.settings_file = long_home / "quorvane" / "quorvane.conf"
    pgn_long = run(session, "missing PGN, long settings path", f"Path to PGN file={missing}\n")
    session.keep_only_skins()
    skins = run(session, "no skins", "")
    both = run(session, "no skins and missing PGN", f"Path to PGN file={missing}\n")
    if None in (pgn, pgn_long, skins, both):
        return
    session.expect(skins[3] < 40, f"the skin message is one line, ink at {skins}")
    session.expect(pgn[3] > skins[3], f"the PGN message should take more lines: {pgn}, {skins}")
    session.expect(pgn_long[3] >= pgn[3],
                   f"a longer settings path should not shorten the message: {pgn_long}, {pgn}")
    session.expect(both[3] > pgn[3], f"both messages: expected more lines than one: {both}")


if __name__ == "__main__":
    run_test(main)
