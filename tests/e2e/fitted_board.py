"""Checks shared by the large-screen tests: where the full-screen board stands with and without
"Fit board", and that a fitted board is drawn from the skin's larger drawing."""

from board_image import START_FEN, Skin, board_region, mean_difference, square_differences
from e2e import DATA_DIR, PROGRAM_DIR, colour_ref

BACKGROUND = (0x10, 0x20, 0x40)
# A square of a fitted board must be this close to the larger drawing's cell, reduced by the test
# with an area filter (the saver reduces with halftone, so a little difference remains).
CLOSE = 6.0


def classic_origin(screen):
    return ((screen[0] - 512) // 2, (screen[1] - 512) // 2)


def fitted_cell(screen):
    """The cell of a board fitted to the screen: 64 scaled by the smaller of the screen's ratios to
    1024 x 768, never below 64."""
    return max(64, min(64 * screen[0] // 1024, 64 * screen[1] // 768))


def fitted_origin(screen):
    board = 8 * fitted_cell(screen)
    return ((screen[0] - board) // 2, (screen[1] - board) // 2)


def start_run(session, pgn_name="two-plies.pgn", pgn_data=None, **settings):
    data = pgn_data if pgn_data is not None else (DATA_DIR / "two_plies.pgn").read_bytes()
    pgn = session.install_game_file(pgn_name, data)
    values = dict(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2, Show_info=1,
                  Show_last_move=1, Current_game_number=0, Path_to_PGN_file=pgn,
                  Color_of_background=colour_ref(*BACKGROUND), Fit_board=0, Animate_moves=0)
    values.update(settings)
    session.set_settings(**values)
    return session.start_saver("/s")


def check_classic_board(session, screen):
    """Without "Fit board" the board is the classic 512 pixels, centred, cell for cell."""
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    expected = skin.board(START_FEN).tobytes()
    origin = classic_origin(screen)
    saver = start_run(session)
    shown = session.wait_for(lambda image: board_region(image, origin).tobytes() == expected)
    session.expect(shown is not None, f"classic board not at {origin} cell for cell")
    if shown is not None:
        session.save(shown, "classic")
    session.end_with_key(saver, "classic run")


def check_fitted_board(session, screen, scale):
    """With "Fit board" the board is 8 fitted cells, centred, each square close to the larger
    drawing's cell and further from every other cell."""
    cell, origin = fitted_cell(screen), fitted_origin(screen)
    large = Skin(session.skin_folder() / f"x{scale}" / "Quorvane.bmp", scale)
    expected = large.scaled_board(START_FEN, cell)
    saver = start_run(session, Fit_board=1)

    def close(image):
        return max(square_differences(image, expected, origin, cell).values()) < CLOSE

    shown = session.wait_for(close)
    if shown is None:
        last = session.screenshot("fitted-last")
        worst = sorted(square_differences(last, expected, origin, cell).items(),
                       key=lambda item: -item[1])[:4]
        session.expect(False, f"fitted board of {cell}-pixel cells not at {origin}; worst {worst}")
        session.end_with_key(saver, "fitted run")
        return None
    session.save(shown, "fitted")
    differences = square_differences(shown, expected, origin, cell)
    # The same squares with the pieces of the other side: a wrong cell is far off.
    swapped = large.scaled_board(START_FEN.swapcase(), cell)
    wrong = square_differences(shown, swapped, origin, cell)
    session.expect(min(wrong["a1"], wrong["e8"]) > 3 * CLOSE,
                   f"a wrong cell is as close as the right one: {wrong['a1']:.1f}")
    # The classic cells blown up are a blurrier picture than the larger drawing reduced.
    classic = Skin(session.skin_folder() / "Quorvane.bmp").scaled_board(START_FEN, cell)
    box = (origin[0], origin[1], origin[0] + 8 * cell, origin[1] + 8 * cell)
    from_large = mean_difference(shown.crop(box), expected)
    from_classic = mean_difference(shown.crop(box), classic)
    session.note(f"fitted board {cell} px cells at {origin}: mean difference from the x{scale} "
                 f"drawing {from_large:.2f}, from the classic cells enlarged {from_classic:.2f}; "
                 f"worst square {max(differences.values()):.2f}")
    session.expect(from_large < from_classic,
                   "the fitted board is nearer the enlarged classic skin than the larger drawing")
    session.end_with_key(saver, "fitted run")
    return shown
