"""Every line around a fitted board at 1920 x 1080: titles and ratings beside the names, the clocks,
the opening reached, the last move, the coordinates and, at the final position only, the result
and how the game ended. White's name is long and mixes Latin, Cyrillic, Chinese and Arabic."""

from board_image import ink_box
from e2e import run_test
from fitted_board import BACKGROUND, start_run

SCREEN = (1920, 1080)
# The fitted board's 90-pixel cells span x 600 to 1320; the lines above it move it up to y 132.
RESULT_BAND = (600, 0, 1320, 40)
RANKS = (560, 132, 598, 852)
FILES = (600, 854, 1320, 880)
CLOCKS = (1325, 88, 1480, 118)
WHITE = "Ivanov Иван 伊万 إيفان Alexandrovich von Mustermann-Longname of the Long Event"
GAME = f"""[Event "Long Weekend Open of the Western District Chess Federation, section A"]
[Site "Great Hall of the Municipal Library and Cultural Centre, Old Town"]
[Date "2026.11.28"]
[White "{WHITE}"]
[Black "Petrova, Anna"]
[WhiteTitle "GM"]
[BlackTitle "WIM"]
[WhiteElo "2701"]
[BlackElo "2388"]
[Result "1-0"]

1. e4 {{[%clk 1:30:00]}} e5 {{[%clk 1:29:58]}} 2. Bc4 {{[%clk 1:29:40]}} Nc6 {{[%clk 1:29:01]}}
3. Qh5 {{[%clk 1:28:12]}} Nf6 {{[%clk 1:20:33]}} 4. Qxf7# {{[%clk 1:27:59]}} 1-0
""".encode()


def main(session):
    saver = start_run(session, "every-line.pgn", GAME, Time_mode=0, Fit_board=1, Show_result=1,
                      Show_ratings=1, Show_opening=1, Show_move=1, Show_clocks=1,
                      Show_coordinates=1)
    # The saver's background in the corner tells its window is up; the result line, above
    # everything else, comes with the final position alone.
    image = session.wait_for(lambda im: im.getpixel((4, 4))[:3] == BACKGROUND and
                             ink_box(im, RESULT_BAND, BACKGROUND) is not None)
    session.require(image is not None, "no result line came above the board")
    session.save(image, "every-line")
    for what, box in (("rank numbers", RANKS), ("file letters", FILES), ("clocks", CLOCKS)):
        session.expect(ink_box(image, box, BACKGROUND) is not None, f"no {what} in {box}")
    session.end_with_key(saver, "every line")


if __name__ == "__main__":
    run_test(main, screens=(SCREEN,))
