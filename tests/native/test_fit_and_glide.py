""""Fit board" and "Animate moves": at 1920 x 1080 the fitted board (90-pixel cells, centred) is
drawn from the skin's drawing at twice the cell size, each square the mean of the larger cell's
pixels it covers, with the texts scaled; at 1024 x 768 the fitted board is the classic one; a
gliding move shows frames between the two positions and comes to rest as the classic board."""

import time

from PIL import Image

from board_image import START_FEN, Skin, board_region, ink_box, square
from native import DATA_DIR, run_test

BLACK = (0, 0, 0)
AFTER_E4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"
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


def fitted(session, games):
    session.fresh_screen(WIDE)
    session.write_settings(f"Fit board=1\nRandom skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
                           f"Path to PGN file={games}\n")
    saver = session.start("-root")
    image = session.wait_for(lambda im: ink_box(im, (LEFT, TOP, LEFT + 8 * CELL, TOP + 8 * CELL),
                                                BLACK) is not None, timeout=8)
    session.require(image is not None, "fitted: no board at 1920 x 1080")
    time.sleep(0.3)
    image = session.screenshot("fitted")
    session.stop(saver, what="fitted")
    # Across the board's middle rows, and down its left edge (where the centred names do not
    # reach): the board's extent.
    across = ink_box(image, (0, 500, 1920, 520), BLACK)
    down = ink_box(image, (LEFT, 0, LEFT + 4, 1080), BLACK)
    session.expect(across is not None and (across[0], across[2]) == (LEFT, LEFT + 8 * CELL),
                   f"fitted: the board spans {across} across, expected {LEFT}..{LEFT + 8 * CELL}")
    session.expect(down is not None and (down[1], down[3]) == (TOP, TOP + 8 * CELL),
                   f"fitted: the board spans {down} down, expected {TOP}..{TOP + 8 * CELL}")
    large = Image.open(session.data / "Skin" / "x2" / "Walnut.bmp").convert("RGB")
    # Empty light and dark squares and a black piece: e4, d4, e8 (the king, light square).
    for name, cell in (("e4", (128, 0)), ("d4", (0, 0)), ("e8", ((64 + 320) * 2, 6 * 128))):
        index = square(name)
        x, y = LEFT + (index % 8) * CELL, TOP + (7 - index // 8) * CELL
        shown = image.crop((x, y, x + CELL, y + CELL))
        expected = scaled_cell(large, cell[0], cell[1], 128, CELL)
        session.expect(shown.tobytes() == expected.tobytes(),
                       f"fitted: {name} is not the larger drawing's cell filtered to {CELL}")
    white_band = (LEFT, TOP + 512 * CELL // 64, LEFT + 8 * CELL, TOP + 552 * CELL // 64)
    text = ink_box(image, white_band, BLACK)
    session.expect(text is not None and text[3] - text[1] > 16,
                   f"fitted: White's name should be drawn larger in its scaled band: {text}")


def classic_when_small(session, games):
    session.fresh_screen()
    session.write_settings(f"Fit board=1\nRandom skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
                           f"Path to PGN file={games}\n")
    expected = session.skin("Walnut.bmp").board(START_FEN).tobytes()
    saver = session.start("-root")
    image = session.wait_for(lambda im: board_region(im).tobytes() == expected, timeout=8)
    session.expect(image is not None, "fitted at 1024 x 768 is not the classic board")
    session.stop(saver, what="fitted at 1024 x 768")


def glide(session, games):
    session.fresh_screen()
    session.write_settings(f"Animate moves=1\nRandom skin=0\nName of skin=Walnut.bmp\n"
                           f"Time mode=0\nPath to PGN file={games}\n")
    skin = session.skin("Walnut.bmp")
    start = skin.board(START_FEN).tobytes()
    after = skin.board(AFTER_E4, marked=("e2", "e4")).tobytes()
    saver = session.start("-root")
    seen, between = [], 0
    deadline = time.monotonic() + 8
    while time.monotonic() < deadline and "e4" not in seen:
        shown = board_region(session.screenshot()).tobytes()
        if shown == start:
            label = "start"
        elif shown == after:
            label = "e4"
        else:
            label = "between"
        if label == "between" and seen[-1:] == ["start"]:
            between += 1
            session.screenshot("between")
        if label != "between" and seen[-1:] != [label]:
            seen.append(label)
    session.stop(saver, what="glide")
    session.expect(seen == ["start", "e4"], f"glide: expected start then e4, saw {seen}")
    session.expect(between > 0, "glide: no frame between the two positions was seen")


def main(session):
    games = session.write_game_file("two.pgn", (DATA_DIR / "two_plies.pgn").read_bytes())
    fitted(session, games)
    classic_when_small(session, games)
    glide(session, games)


if __name__ == "__main__":
    run_test(main)
