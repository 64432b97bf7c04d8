"""Filters on screen under Windows: of three games, "Minimum rating" skips one rated too low and
one without ratings, and "Player", in other letter case than the file's Cyrillic name, picks that
player's game. Each passing game starts from a position of its own, so the board tells which game
is on screen."""

from board_image import Skin, board_region
from e2e import SETTINGS_KEY, run_test
from filtered_games import AFTER_C4, AFTER_D4, GAMES
from fitted_board import start_run


def main(session):
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    runs = (("Minimum rating 2000", 2000, "", AFTER_D4), ("Player ИВАН", 0, "ИВАН", AFTER_C4))
    for what, rating, player, shown in runs:
        # reg.exe takes the name as Unicode, which a .reg file in UTF-8 would not give.
        session.reg_add(SETTINGS_KEY, "Player", "REG_SZ", player)
        # The Large pause keeps the game's first position on screen while the test looks.
        saver = start_run(session, "three.pgn", GAMES.encode(), Time_mode=2, Minimum_rating=rating)
        expected = skin.board(shown).tobytes()
        image = session.wait_for(lambda im: board_region(im).tobytes() == expected)
        session.expect(image is not None, f"{what}: the passing game is not on screen")
        session.end_with_key(saver, what)


if __name__ == "__main__":
    run_test(main)
