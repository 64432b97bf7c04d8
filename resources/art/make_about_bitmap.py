#!/usr/bin/python3
"""Writes the About box's picture (bitmap 135): 203 x 61 pixels, 24-bit.

Two rows of board squares with a few pieces on the left, the product's
name on the right.

Usage: make_about_bitmap.py --out DIR     writes DIR/about.bmp
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "skins"))

from PIL import Image, ImageDraw, ImageFont  # noqa: E402

import make_skins  # noqa: E402
import piece_art  # noqa: E402

WIDTH, HEIGHT = 203, 61
BITMAP_NAME = "about.bmp"
PRODUCT_NAME = "Quorvane"
TAGLINE = "chess screen saver"

BACKGROUND_TOP = (52, 55, 62)
BACKGROUND_BOTTOM = (30, 32, 37)
NAME_COLOUR = (240, 234, 222)
TAGLINE_COLOUR = (200, 176, 128)
# The board corner in the default skin's squares.
DARK_SQUARE = make_skins.DEFAULT_THEME.dark
LIGHT_SQUARE = make_skins.DEFAULT_THEME.light
SQUARE = 27
STYLE = piece_art.IVORY
# (column, row) -> (kind, colour) on the 3 x 2 board corner.
PIECES = {
    (0, 0): (piece_art.KNIGHT, piece_art.BLACK),
    (2, 0): (piece_art.QUEEN, piece_art.BLACK),
    (1, 1): (piece_art.KING, piece_art.WHITE),
}


def draw_board_corner(picture, left, top):
    for row in range(2):
        for column in range(3):
            light = (row + column) % 2 == 0
            square = Image.new("RGBA", (SQUARE, SQUARE), (LIGHT_SQUARE if light else DARK_SQUARE) + (255,))
            if (column, row) in PIECES:
                kind, colour = PIECES[(column, row)]
                square.alpha_composite(piece_art.render_piece(kind, colour, SQUARE, STYLE))
            picture.paste(square.convert("RGB"), (left + column * SQUARE, top + row * SQUARE))


def _largest_font(text, width, largest):
    for size in range(largest, 6, -1):
        font = piece_art.bold_font(size)
        left, _, right, _ = font.getbbox(text)
        if right - left <= width:
            return font
    return piece_art.bold_font(6)


def draw_about():
    picture = Image.new("RGB", (WIDTH, HEIGHT))
    draw = ImageDraw.Draw(picture)
    for y in range(HEIGHT):
        t = y / (HEIGHT - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(BACKGROUND_TOP, BACKGROUND_BOTTOM))
        draw.line([(0, y), (WIDTH - 1, y)], fill=colour)
    board_top = (HEIGHT - 2 * SQUARE) // 2
    draw_board_corner(picture, board_top, board_top)
    # The name as large as fits beside the board, the tag line under it,
    # the pair centred in the space that is left.
    area_left = board_top + 3 * SQUARE
    area_width = WIDTH - area_left
    name_font = _largest_font(PRODUCT_NAME, area_width - 14, 22)
    tag_font = ImageFont.truetype(piece_art.FONT_PATH, 10)
    name_box = draw.textbbox((0, 0), PRODUCT_NAME, font=name_font)
    tag_box = draw.textbbox((0, 0), TAGLINE, font=tag_font)
    gap = 5
    block_height = (name_box[3] - name_box[1]) + gap + (tag_box[3] - tag_box[1])
    name_top = (HEIGHT - block_height) // 2
    tag_top = name_top + (name_box[3] - name_box[1]) + gap
    name_left = area_left + (area_width - (name_box[2] - name_box[0])) // 2
    tag_left = area_left + (area_width - (tag_box[2] - tag_box[0])) // 2
    draw.text((name_left - name_box[0], name_top - name_box[1]), PRODUCT_NAME, font=name_font, fill=NAME_COLOUR)
    draw.text((tag_left - tag_box[0], tag_top - tag_box[1]), TAGLINE, font=tag_font, fill=TAGLINE_COLOUR)
    return picture


def main(argv):
    parser = argparse.ArgumentParser(description="Writes the About box picture.")
    parser.add_argument("--out", required=True, help="folder to write about.bmp into")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    draw_about().save(os.path.join(args.out, BITMAP_NAME), format="BMP")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
