""""Fit board" and "Animate moves": at 1920 x 1080 the fitted board (90-pixel cells, centred) is
drawn from the skin's drawing at twice the cell size, each square the mean of the larger cell's
pixels it covers, with the texts scaled; at 1024 x 768 the fitted board is the classic one; a
gliding move shows frames between the two positions and comes to rest as the classic board."""

from PIL import Image

from board_image import SLIDE_PGN, START_FEN, board_region, ink_box, square, watch_slide
from native import DATA_DIR, ON_SCREEN, run_test

BLACK = (0, 0, 0)
WIDE = (1920, 1080)
CELL = 90  # 64 x min(1920 / 1024, 1080 / 768), truncated
LEFT, TOP = (1920 - 8 * CELL) // 2, (1080 - 8 * CELL) // 2


def scaled_cell(large, x, y, source, size):
    """A size-pixel square from the source-pixel cell at (x, y): each pixel the integer mean of
    the cell pixels it covers, as the program filters."""
    cell = large.crop((x, y, x + source, y + source)).load()
    out = Image.new("RGB", (size, size))
    pixels = out.load()

    def span(i):
        start, end = i * source // size, (i + 1) * source // size
        return start, max(end, start + 1)

    for row in range(size):
        y0, y1 = span(row)
        for column in range(size):
            x0, x1 = span(column)
            values = [cell[u, v] for v in range(y0, y1) for u in range(x0, x1)]
            pixels[column, row] = tuple(sum(c[k] for c in values) // len(values)
                                        for k in range(3))
    return out


def fitted_problems(session):
    """What a screenshot shows wrong of the fitted board: its extent, three squares against the
    larger drawing's cells filtered to the fitted size, and White's name drawn larger."""
    large = Image.open(session.data / "Skin" / "x2" / "Walnut.bmp").convert("RGB")
    # Empty light and dark squares and a black piece: e4, d4, e8 (the king, light square).
    cells = {name: scaled_cell(large, cell[0], cell[1], 128, CELL).tobytes()
             for name, cell in (("e4", (128, 0)), ("d4", (0, 0)),
                                ("e8", ((64 + 320) * 2, 6 * 128)))}
    white_band = (LEFT, TOP + 512 * CELL // 64, LEFT + 8 * CELL, TOP + 552 * CELL // 64)

    def problems(image):
        found = []
        # Across the board's middle rows, and down its left edge (where the centred names do not
        # reach): the board's extent.
        across = ink_box(image, (0, 500, 1920, 520), BLACK)
        down = ink_box(image, (LEFT, 0, LEFT + 4, 1080), BLACK)
        if across is None or (across[0], across[2]) != (LEFT, LEFT + 8 * CELL):
            found.append(f"the board spans {across} across, expected {LEFT}..{LEFT + 8 * CELL}")
        if down is None or (down[1], down[3]) != (TOP, TOP + 8 * CELL):
            found.append(f"the board spans {down} down, expected {TOP}..{TOP + 8 * CELL}")
        for name, expected in cells.items():
            index = square(name)
            x, y = LEFT + (index % 8) * CELL, TOP + (7 - index // 8) * CELL
            if image.crop((x, y, x + CELL, y + CELL)).tobytes() != expected:
                found.append(f"{name} is not the larger drawing's cell filtered to {CELL}")
        text = ink_box(image, white_band, BLACK)
        if text is None or text[3] - text[1] <= 16:
            found.append(f"White's name should be drawn larger in its scaled band: {text}")
        return found

    return problems


def fitted(session, games):
    session.fresh_screen(WIDE)
    session.write_settings(f"Fit board=1\nRandom skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
                           f"Path to PGN file={games}\n")
    saver = session.start("-root")
    image, problems = session.wait_for_state(fitted_problems(session))
    session.save(image, "fitted")
    for problem in problems:
        session.expect(False, f"fitted: {problem}")
    session.stop(saver, what="fitted")


def classic_when_small(session, games):
    session.fresh_screen()
    session.write_settings(f"Fit board=1\nRandom skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
                           f"Path to PGN file={games}\n")
    expected = session.skin("Walnut.bmp").board(START_FEN).tobytes()
    saver = session.start("-root")
    image = session.wait_for(lambda im: board_region(im).tobytes() == expected)
    session.expect(image is not None, "fitted at 1024 x 768 is not the classic board")
    session.stop(saver, what="fitted at 1024 x 768")


def glide(session):
    session.fresh_screen()
    games = session.write_game_file("slides.pgn", SLIDE_PGN)
    session.write_settings(f"Animate moves=1\nRandom skin=0\nName of skin=Walnut.bmp\n"
                           f"Time mode=1\nPath to PGN file={games}\n")
    saver = session.start("-root")
    seen = watch_slide(session.screenshot, session.skin("Walnut.bmp"), (256, 128), ON_SCREEN)
    session.expect(seen is not None, "glide: no move was seen between its two positions and then "
                   "at rest with its squares marked")
    if seen is not None:
        session.save(seen[1], "between")
    session.stop(saver, what="glide")


def main(session):
    games = session.write_game_file("two.pgn", (DATA_DIR / "two_plies.pgn").read_bytes())
    fitted(session, games)
    classic_when_small(session, games)
    glide(session)


if __name__ == "__main__":
    run_test(main)
