"""Filters on screen: of three games, only the one that passes is shown. "Minimum rating" from the
settings file skips a game rated too low and one without ratings; --player, in other letter case
than the file's Cyrillic name, picks that player's game. Each passing game starts from a position
of its own, so the board tells which game is on screen."""

from board_image import board_region
from native import run_test

BOARD = (256, 128)
AFTER_D4 = "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR"
AFTER_C4 = "rnbqkbnr/pppppppp/8/8/2P5/8/PP1PPPPP/RNBQKBNR"
GAMES = ('[White "Low"]\n[Black "Rated"]\n[WhiteElo "1500"]\n[BlackElo "2600"]\n\n1. e4 e5 *\n\n'
         '[White "High"]\n[Black "Rated"]\n[WhiteElo "2500"]\n[BlackElo "2600"]\n[SetUp "1"]\n'
         f'[FEN "{AFTER_D4} b KQkq - 0 1"]\n\n1... d5 *\n\n'
         '[White "Иван Петров"]\n[Black "Unrated"]\n[SetUp "1"]\n'
         f'[FEN "{AFTER_C4} b KQkq - 0 1"]\n\n1... c5 *\n')


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
