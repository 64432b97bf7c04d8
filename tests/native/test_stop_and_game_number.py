"""The run ends with exit code 0 on SIGTERM and SIGINT, and in its own window on Esc, q and the
window's end; each time the game on show is written back as "Current game number", keeping the
file's other lines byte for byte, or making the file when there is none."""

import signal

from native import DATA_DIR, run_test

BLACK = (0, 0, 0)
BOARD = (256, 128, 768, 640)


def three_games():
    one = (DATA_DIR / "two_plies.pgn").read_text()
    return "\n".join([one, one.replace("Alpha", "Second"), one.replace("Alpha", "Third")])


def main(session):
    games = session.write_game_file("three.pgn", three_games())
    kept = (f"# my Quorvane settings\r\nTime mode = 2\r\n; an old line\r\n"
            f"Path to PGN file={games}\r\n")

    # Game 7 of three wraps to game 0, and 0 is what is on show.
    session.write_settings(kept + "Current game number=7\r\n")
    saver = session.start("-root")
    session.expect(session.wait_for_ink(BOARD) is not None, "SIGTERM run: no board")
    session.stop(saver, signal.SIGTERM, "SIGTERM run")
    text = session.read_settings()
    session.expect(text == kept + "Current game number=0\r\n",
                   f"SIGTERM run: settings file now {text!r}")

    session.write_settings(kept + "Current game number=2\r\n")
    session.fresh_screen()
    saver = session.start("-root")
    session.expect(session.wait_for_ink(BOARD) is not None, "SIGINT run: no board")
    session.stop(saver, signal.SIGINT, "SIGINT run")
    text = session.read_settings()
    session.expect(text == kept + "Current game number=2\r\n",
                   f"SIGINT run: settings file now {text!r}")

    # Its own window, with no settings file at all: Esc, q, and the window destroyed under it
    # (as a window manager's close may do) end it.
    session.settings_file.unlink()
    for what, action in (("Esc", ("key", "--window", "{window}", "Escape")),
                         ("q", ("key", "--window", "{window}", "q")),
                         ("window closed", ("windowclose", "{window}"))):
        session.fresh_screen()
        window = session.start("-window")
        shown = session.wait_for_ink(BOARD)
        session.expect(shown is not None, f"own window ({what}): nothing shown")
        found = session.xdotool("search", "--sync", "--name", "^Quorvane$").split()
        session.require(found, "the program's own window was not found by its title")
        # xdotool may report a failure when the window is gone before it is done with it.
        session.xdotool(*[word.format(window=found[0]) for word in action], check=False)
        code = session.wait_exit(window)
        session.expect(code == 0, f"own window: exit code {code} after {what}, expected 0")
        if code is None:
            window.kill()
        text = session.read_settings() if session.settings_file.exists() else None
        session.expect(text == "Current game number=0\n",
                       f"own window ({what}): settings file {text!r}")
        session.settings_file.unlink(missing_ok=True)

if __name__ == "__main__":
    run_test(main)
