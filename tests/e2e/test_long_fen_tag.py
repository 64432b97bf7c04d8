"""A game whose FEN tag is a megabyte of space-separated fields loads at once: its position comes
on screen, the run wraps through game 0 and loads it again, and a key still ends the run with exit
code 0 and the game on screen stored."""

from board_image import START_FEN, Skin
from e2e import ON_SCREEN, run_test

MiB = 1 << 20
FEN = b"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1"


def game_file():
    fields = b" x" * (MiB // 2)  # read by nobody: a FEN has six fields
    return (b'[White "Short"]\n\n1. e4 *\n\n'
            b'[White "Long"]\n[FEN "' + FEN + fields + b'"]\n\n1. e4 Kd7 *\n')


def main(session):
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    boards = {
        "game 0 start": skin.board(START_FEN),
        "game 0 after e4": skin.board("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR",
                                      ("e2", "e4")),
        "game 1 start": skin.board("4k3/8/8/8/8/8/4P3/4K3"),
        "game 1 after e4": skin.board("4k3/8/8/8/4P3/8/8/4K3", ("e2", "e4")),
        "game 1 after Kd7": skin.board("8/3k4/8/8/4P3/8/8/4K3", ("e8", "d7")),
    }
    pgn = session.install_game_file("long-fen.pgn", game_file())
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=0,
                         Path_to_PGN_file=pgn, Current_game_number=1)
    saver = session.start_saver("/s")

    def back_in_game_1(labels):
        shown = [label for label in labels if label not in ("blank", "unknown")]
        return "game 0 after e4" in shown and shown[-1].startswith("game 1")

    # Some 25 s of play: game 1 to its end, game 0 to its end, game 1 again.
    seen = session.watch(boards, until=back_in_game_1, timeout=25 + ON_SCREEN)
    labels = [label for label, _ in seen]
    session.note(f"shown: {labels}")
    session.expect(back_in_game_1(labels),
                   f"the long-FEN game did not play, wrap and load again; saw {labels}")
    if seen:
        session.save(seen[-1][1], "last")
    code = session.end_with_key(saver, "a key in the long-FEN game")
    if code is None:
        saver.kill()
        saver.wait()
    stored = session.setting("Current game number")
    session.expect(stored == 1, f"stored game number {stored}, expected 1")


if __name__ == "__main__":
    run_test(main)
