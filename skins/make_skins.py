#!/usr/bin/python3
"""Writes the saver's skin bitmaps.

A skin is a 640 x 448 grid of 64 x 64 cells, each a complete square image
(square and piece together), read by the board renderer:

  row    y = 64 * kind (0 empty, 1 pawn, 2 knight, 3 bishop, 4 rook,
         5 queen, 6 king)
  column x = 0 dark square, 64 light square, 256 last-move square;
         + 320 for a black piece.

The columns at x = 128 and 192 of each half and the black half of the
empty row are never read; they repeat the dark and light squares so that
the file looks like a tidy sheet when opened in an image editor.

Each skin is also drawn at larger cells (2 and 4 times 64 pixels), into
the folders x2 and x4 beside the classic files, so that a board fitted to a
large screen is drawn from a sharp picture scaled down rather than a small
one scaled up. A larger drawing is the same picture: the square textures
are sampled at the same places of the classic cell, and the pieces are
drawn from their outlines at the larger size.

Usage: make_skins.py --out DIR       writes every skin into DIR and DIR/x2, DIR/x4
       make_skins.py --out DIR --theme NAME   writes that one skin, at every size
       make_skins.py --list          prints the classic file names, one per line
       make_skins.py --list-large    prints the larger drawings' paths, x2/NAME.bmp
"""

import argparse
import functools
import math
import os
import random
import sys
from dataclasses import dataclass

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

CELL = 64
SKIN_WIDTH, SKIN_HEIGHT = 10 * CELL, 7 * CELL
DARK_X, LIGHT_X, LAST_MOVE_X, BLACK_OFFSET = 0, 64, 256, 320
SPARE_COPIES = {128: DARK_X, 192: LIGHT_X}
LARGE_SCALES = (2, 4)


@dataclass(frozen=True)
class Theme:
    name: str
    dark: tuple
    light: tuple
    last_move: tuple
    texture: str  # "flat", "wood", "stone" or "marble"
    pieces: str  # key into piece_styles()
    seed: int


# The first one is the default skin.
THEMES = (
    Theme("Quorvane", (171, 124, 89), (238, 219, 184), (226, 182, 64), "flat", "ivory", 11),
    Theme("Walnut", (125, 84, 55), (222, 190, 140), (222, 138, 58), "wood", "ivory", 23),
    Theme("Tournament", (112, 146, 84), (236, 236, 208), (244, 198, 72), "flat", "ivory", 37),
    Theme("Slate", (104, 121, 143), (214, 221, 229), (236, 176, 88), "stone", "cool", 41),
    Theme("Marble", (74, 76, 84), (232, 230, 224), (206, 150, 84), "marble", "contrast", 53),
)


def skin_file_names():
    return [theme.name + ".bmp" for theme in THEMES]


def large_skin_paths():
    return [f"x{scale}/{name}" for scale in LARGE_SCALES for name in skin_file_names()]


def piece_styles():
    from piece_art import IVORY, PieceStyle

    return {
        "ivory": IVORY,
        "cool": PieceStyle(
            white_top=(255, 255, 255),
            white_bottom=(220, 224, 230),
            white_line=(26, 30, 38),
            black_top=(70, 74, 84),
            black_bottom=(20, 22, 28),
            black_rim=(236, 240, 246),
            black_detail=(186, 192, 202),
        ),
        "contrast": PieceStyle(
            white_top=(255, 255, 255),
            white_bottom=(228, 226, 220),
            white_line=(12, 12, 14),
            black_top=(60, 58, 58),
            black_bottom=(10, 10, 12),
            black_rim=(246, 244, 238),
            black_detail=(200, 198, 194),
            shadow_alpha=90,
        ),
    }


class ValueNoise:
    """Smooth lattice noise in 0..1; a fixed seed gives fixed values."""

    def __init__(self, seed, period=64):
        rng = random.Random(seed)
        self.period = period
        self.grid = [[rng.random() for _ in range(period)] for _ in range(period)]

    def at(self, x, y):
        x0, y0 = math.floor(x), math.floor(y)
        fx, fy = x - x0, y - y0
        sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        p = self.period
        g = self.grid
        a = g[y0 % p][x0 % p]
        b = g[y0 % p][(x0 + 1) % p]
        c = g[(y0 + 1) % p][x0 % p]
        d = g[(y0 + 1) % p][(x0 + 1) % p]
        top = a + (b - a) * sx
        return top + (c + (d - c) * sx - top) * sy

    def octaves(self, x, y, count):
        total, weight, norm = 0.0, 1.0, 0.0
        for i in range(count):
            scale = 2**i
            total += weight * self.at(x * scale + 17 * i, y * scale + 31 * i)
            norm += weight
            weight *= 0.5
        return total / norm


def _flat_shade(noise, x, y):
    # A faint cloudiness keeps large flat areas from looking synthetic.
    return 0.035 * (noise.octaves(x / 22, y / 22, 2) - 0.5)


def _wood_shade(noise, x, y, across_grain):
    along, across = (x, y) if across_grain == "y" else (y, x)
    warp = 7.0 * noise.octaves(along / 48, across / 16, 2)
    ring = 0.5 + 0.5 * math.sin((across + warp) * 2 * math.pi / 7.5)
    fibre = noise.at(along / 6, across * 1.3) - 0.5
    broad = noise.octaves(along / 30, across / 30, 2) - 0.5
    return -0.11 * ring**3 + 0.05 * fibre + 0.06 * broad + 0.03


def _stone_shade(noise, x, y):
    grain = noise.octaves(x / 10, y / 10, 4) - 0.5
    speck = noise.at(x * 0.9, y * 0.9) - 0.5
    return 0.08 * grain + 0.03 * speck


def _marble_shade(noise, x, y, vein_sign):
    turbulence = noise.octaves(x / 30, y / 30, 3)
    vein = abs(math.sin((x * 0.8 + y * 0.45) / 11 + 3.2 * turbulence))
    # A sharp vein with a soft halo reads as stone rather than a crack.
    vein = 0.75 * (1 - vein) ** 10 + 0.25 * (1 - vein) ** 2
    cloud = noise.octaves(x / 18 + 40, y / 18 + 40, 3) - 0.5
    return vein_sign * 0.14 * vein + 0.06 * cloud


def _shade_for(theme, role, noise):
    """Returns f(x, y) -> relative brightness change for one square kind."""
    if theme.texture == "wood":
        # Dark and light squares with crossing grain, as on inlaid boards.
        across = "y" if role == "dark" else "x"
        return lambda x, y: _wood_shade(noise, x, y, across)
    if theme.texture == "stone":
        return lambda x, y: _stone_shade(noise, x, y)
    if theme.texture == "marble":
        # Light veins on the dark stone, grey veins on the light one.
        sign = 1.0 if role == "dark" else -1.0
        return lambda x, y: _marble_shade(noise, x, y, sign)
    return lambda x, y: _flat_shade(noise, x, y)


def make_square(theme, role, cell=CELL):
    from PIL import Image

    base = {"dark": theme.dark, "light": theme.light, "last": theme.last_move}[role]
    # The last-move square takes a softer copy of the light square's grain.
    noise = ValueNoise(theme.seed * 10 + {"dark": 1, "light": 2, "last": 2}[role])
    shade = _shade_for(theme, "light" if role == "last" else role, noise)
    strength = 0.6 if role == "last" else 1.0
    square = Image.new("RGB", (cell, cell))
    pixels = square.load()
    # A larger cell samples the same texture at the centres of its smaller pixels.
    step = CELL / cell
    for y in range(cell):
        for x in range(cell):
            factor = 1.0 + strength * shade((x + 0.5) * step - 0.5, (y + 0.5) * step - 0.5)
            pixels[x, y] = tuple(max(0, min(255, round(c * factor))) for c in base)
    return square


@functools.lru_cache(maxsize=None)
def _piece_image(style_key, kind, colour, cell):
    """One rendered piece; themes that share a piece style share the drawing."""
    import piece_art

    return piece_art.render_piece(kind, colour, cell, piece_styles()[style_key])


def make_skin(theme, scale=1):
    from PIL import Image

    import piece_art

    cell = CELL * scale
    squares = {
        DARK_X: make_square(theme, "dark", cell),
        LIGHT_X: make_square(theme, "light", cell),
        LAST_MOVE_X: make_square(theme, "last", cell),
    }
    skin = Image.new("RGB", (SKIN_WIDTH * scale, SKIN_HEIGHT * scale))
    for kind in range(7):
        for colour in (piece_art.WHITE, piece_art.BLACK):
            piece = None
            if kind:
                piece = _piece_image(theme.pieces, kind, colour, cell)
            # An empty square never takes the black offset; that half of
            # the empty row just repeats the white half.
            half = BLACK_OFFSET * colour * scale
            for x, square in squares.items():
                image = square.convert("RGBA")
                if piece is not None:
                    image.alpha_composite(piece)
                skin.paste(image.convert("RGB"), (half + x * scale, cell * kind))
            for spare_x, source_x in SPARE_COPIES.items():
                left = half + source_x * scale
                box = (left, cell * kind, left + cell, cell * (kind + 1))
                skin.paste(skin.crop(box), (half + spare_x * scale, cell * kind))
    return skin


def write_skins(out_dir, only=None):
    os.makedirs(out_dir, exist_ok=True)
    for theme, file_name in zip(THEMES, skin_file_names()):
        if only is not None and theme.name != only:
            continue
        # Pillow writes 24-bit RGB as a bottom-up BI_RGB file with a
        # 40-byte BITMAPINFOHEADER, which LoadImageW reads as it is.
        make_skin(theme).save(os.path.join(out_dir, file_name), format="BMP")
        for scale in LARGE_SCALES:
            folder = os.path.join(out_dir, f"x{scale}")
            os.makedirs(folder, exist_ok=True)
            make_skin(theme, scale).save(os.path.join(folder, file_name), format="BMP")


def main(argv):
    parser = argparse.ArgumentParser(description="Writes the skin bitmaps.")
    group = parser.add_mutually_exclusive_group(required=True)
    group.add_argument("--out", help="folder to write the .bmp files into")
    group.add_argument("--list", action="store_true", help="print the file names")
    group.add_argument(
        "--list-large", action="store_true", help="print the larger drawings' paths"
    )
    parser.add_argument("--theme", help="with --out: draw this skin alone, at every size")
    args = parser.parse_args(argv)
    if args.list:
        print("\n".join(skin_file_names()))
        return 0
    if args.list_large:
        print("\n".join(large_skin_paths()))
        return 0
    if args.theme is not None and args.theme not in (theme.name for theme in THEMES):
        parser.error(f"no skin named {args.theme}")
    write_skins(args.out, args.theme)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
