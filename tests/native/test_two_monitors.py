"""quorvane -root on two monitors side by side (the virtual display's RandR monitors: 1024 x 768,
primary, and 800 x 600 to its right), with --monitors each: the stored game on the primary and
the next game on the other, each board at its own monitor's classic place, and the next unseen
game stored when the run ends. The games start from different positions, so the boards tell them
apart."""

from board_image import START_FEN, board_region
from full_screen import run_tool, stored_game
from native import run_test

SIZE = (1824, 768)
# xrandr's monitors: name (a * makes it the primary), geometry, output.
MONITORS = [("*primary", "1024/270x768/203+0+0", "screen"),
            ("right", "800/211x600/159+1024+0", "none")]
PRIMARY_BOARD = (256, 128)
SECOND_BOARD = (1024 + (800 - 512) // 2, (600 - 512) // 2)
AFTER_D4 = "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR"
GAMES = ('[White "A"]\n[Black "B"]\n\n1. e4 e5 *\n\n'
         f'[White "C"]\n[Black "D"]\n[SetUp "1"]\n[FEN "{AFTER_D4} b KQkq - 0 1"]\n\n1... d5 *\n\n'
         '[White "E"]\n[Black "F"]\n\n1. c4 c5 *\n')


def main(session):
    session.fresh_screen(SIZE)
    for name, geometry, output in MONITORS:
        run_tool(session, "xrandr", "--setmonitor", name, geometry, output)
    session.note(run_tool(session, "xrandr", "--listmonitors").strip())
    games = session.write_game_file("three.pgn", GAMES)
    skin = session.skin("Walnut.bmp")
    start, after_d4 = skin.board(START_FEN).tobytes(), skin.board(AFTER_D4).tobytes()
    # The Large pause keeps each game's first position on screen while the test looks.
    session.write_settings(f"Random skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
                           f"Path to PGN file={games}\nCurrent game number=0\n")
    process = session.start("-root", "--monitors", "each")
    image = session.wait_for(lambda im: board_region(im, PRIMARY_BOARD).tobytes() == start and
                             board_region(im, SECOND_BOARD).tobytes() == after_d4)
    session.require(image is not None, f"not game 0 at {PRIMARY_BOARD} and 1 at {SECOND_BOARD}")
    session.save(image, "each")
    session.stop(process, what="--monitors each")
    stored = stored_game(session)
    session.expect(stored == 2, f"stored game {stored}, expected 2, the next unseen")


if __name__ == "__main__":
    run_test(main)
