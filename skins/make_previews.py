#!/usr/bin/python3
"""Draws a preview picture of each skin for the documentation.

Each picture shows the position after 1. e4, with e2 and e4 marked as the
last move, composed cell by cell from the skin the way the saver draws it:
at 64-pixel cells as on the full screen, and beside it at 14-pixel cells
(each cell reduced on its own with an area filter, as the settings
dialog's halftone preview does).

Usage: make_previews.py --skins DIR --out DIR
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont

CELL = 64
SMALL_CELL = 14
BACK_RANK = (4, 2, 3, 5, 6, 3, 2, 4)  # a..h: rook, knight, bishop, queen, king
FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def position_after_e4():
    """board[rank][file] = (kind, colour); rank 0 is the first rank."""
    board = [[(0, 0)] * 8 for _ in range(8)]
    for file in range(8):
        board[0][file] = (BACK_RANK[file], 0)
        board[1][file] = (1, 0)
        board[6][file] = (1, 1)
        board[7][file] = (BACK_RANK[file], 1)
    board[1][4] = (0, 0)
    board[3][4] = (1, 0)
    return board


def cell_origin(kind, colour, light, marked):
    """Top-left corner of the skin cell for one square."""
    x = 256 if marked else (64 if light else 0)
    if kind and colour == 1:
        x += 320
    return x, CELL * kind


def compose(skin, board, marked, cell_size):
    target = Image.new("RGB", (8 * cell_size, 8 * cell_size))
    for row in range(8):
        rank = 7 - row
        for column in range(8):
            kind, colour = board[rank][column]
            light = (row + column) % 2 == 0
            x, y = cell_origin(kind, colour, light, (column, rank) in marked)
            cell = skin.crop((x, y, x + CELL, y + CELL))
            if cell_size != CELL:
                cell = cell.resize((cell_size, cell_size), Image.Resampling.BOX)
            target.paste(cell, (column * cell_size, row * cell_size))
    return target


def make_preview(skin_path, title):
    skin = Image.open(skin_path).convert("RGB")
    board = position_after_e4()
    marked = {(4, 1), (4, 3)}  # e2, e4
    large = compose(skin, board, marked, CELL)
    small = compose(skin, board, marked, SMALL_CELL)
    margin, gap, caption = 16, 24, 28
    width = margin + large.width + gap + small.width + margin
    height = margin + caption + large.height + margin
    picture = Image.new("RGB", (width, height), (44, 46, 52))
    draw = ImageDraw.Draw(picture)
    font = ImageFont.truetype(FONT_PATH, 15)
    draw.text((margin, margin), title, font=font, fill=(230, 230, 230))
    top = margin + caption
    picture.paste(large, (margin, top))
    small_left = margin + large.width + gap
    picture.paste(small, (small_left, top))
    draw.text((small_left, top + small.height + 8), "14 px cells", font=font, fill=(170, 170, 175))
    return picture


def main(argv):
    parser = argparse.ArgumentParser(description="Draws skin preview pictures.")
    parser.add_argument("--skins", required=True, help="folder of .bmp skins")
    parser.add_argument("--out", required=True, help="folder for the .png pictures")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    for file_name in sorted(os.listdir(args.skins)):
        name, extension = os.path.splitext(file_name)
        if extension.lower() != ".bmp":
            continue
        picture = make_preview(os.path.join(args.skins, file_name), name + " — after 1. e4")
        picture.save(os.path.join(args.out, name + ".png"), optimize=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
