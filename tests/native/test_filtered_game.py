"""Filters on screen: of three games, only the one that passes is shown. "Minimum rating" from the
settings file skips a game rated too low and one without ratings; --player, in other letter case
than the file's Cyrillic name, picks that player's game. Each passing game starts from a position
of its own, so the board tells which game is on screen."""

from board_image import board_region
from filtered_games import AFTER_C4, AFTER_D4, GAMES
from native import run_test

BOARD = (256, 128)


def main(session):
    games = session.write_game_file("three.pgn", GAMES)
    skin = session.skin("Walnut.bmp")
    runs = (("Minimum rating=2000", (), AFTER_D4), ("", ("--player", "ИВАН"), AFTER_C4))
    for line, switches, shown in runs:
        what = line or " ".join(switches)
        # The Large pause keeps the game's first position on screen while the test looks.
        session.write_settings(f"Random skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
                               f"Path to PGN file={games}\nCurrent game number=0\n{line}\n")
        process = session.start("-root", *switches)
        expected = skin.board(shown).tobytes()
        image = session.wait_for(lambda im: board_region(im, BOARD).tobytes() == expected)
        session.expect(image is not None, f"{what}: the passing game is not on screen")
        session.stop(process, what=what)


if __name__ == "__main__":
    run_test(main)
