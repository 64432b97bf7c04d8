#!/usr/bin/python3
"""Writes the program icon: a white knight on a board square.

The .ico holds 16, 32 and 48 pixel images as 32-bit DIBs with an AND mask
(what every Windows version reads) and the 256 pixel image as PNG (how
large icons are stored). Each size is drawn on its own, not scaled from
the large one, so the small ones keep a heavy outline.

Usage: make_icon.py --out DIR     writes DIR/quorvane.ico
"""

import argparse
import io
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "skins"))

from PIL import Image, ImageDraw  # noqa: E402

import piece_art  # noqa: E402

ICON_SIZES = (16, 32, 48, 256)
ICON_NAME = "quorvane.ico"

SQUARE_TOP = (190, 140, 101)
SQUARE_BOTTOM = (150, 105, 73)
BORDER = (92, 62, 42)
STYLE = piece_art.IVORY


def draw_icon(size):
    """One RGBA icon image of size x size pixels."""
    scale = piece_art.SUPERSAMPLE
    big = size * scale
    # Rounded tile with a soft top-to-bottom shading; the smallest sizes
    # use the whole area, since every pixel counts there.
    inset = 0 if size <= 16 else round(big * 0.03)
    radius = round(big * (0.08 if size <= 16 else 0.14))
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle(
        (inset, inset, big - 1 - inset, big - 1 - inset), radius=radius, fill=255
    )
    shade = Image.new("RGB", (1, big))
    for y in range(big):
        t = y / (big - 1)
        shade.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(SQUARE_TOP, SQUARE_BOTTOM)))
    tile = shade.resize((big, big), Image.Resampling.NEAREST).convert("RGBA")
    border = max(scale, round(big * 0.025))
    ImageDraw.Draw(tile).rounded_rectangle(
        (inset, inset, big - 1 - inset, big - 1 - inset),
        radius=radius,
        outline=BORDER,
        width=border,
    )
    tile.putalpha(mask)
    tile = tile.resize((size, size), Image.Resampling.BOX)
    # At the small sizes a heavier rim keeps the horse's head readable.
    rim = 1.0 if size <= 32 else size / 64
    piece = piece_art.render_piece(piece_art.KNIGHT, piece_art.WHITE, size, STYLE, rim_px=rim)
    # Lift it a little: its base sits lower than the tile's border.
    lift = round(size * 0.03)
    piece = piece.crop((0, lift, size, size + lift))
    tile.alpha_composite(piece)
    return tile


def _dib_entry(image):
    """BITMAPINFOHEADER, bottom-up BGRA rows and the AND mask."""
    size = image.width
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = image.load()
    colour_rows = []
    mask_rows = []
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray()
        mask_row = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = pixels[x, y]
            row += bytes((b, g, r, a))
            if a == 0:
                mask_row[x // 8] |= 0x80 >> (x % 8)
        colour_rows.append(bytes(row))
        mask_rows.append(bytes(mask_row))
    return header + b"".join(colour_rows) + b"".join(mask_rows)


def _png_entry(image):
    stream = io.BytesIO()
    image.save(stream, format="PNG", optimize=True)
    return stream.getvalue()


def icon_bytes(images):
    """A .ico file of the given square RGBA images, smallest first."""
    entries = [_png_entry(im) if im.width >= 256 else _dib_entry(im) for im in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, data in zip(images, entries):
        side = image.width if image.width < 256 else 0
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(entries)


def main(argv):
    parser = argparse.ArgumentParser(description="Writes the program icon.")
    parser.add_argument("--out", required=True, help="folder to write quorvane.ico into")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    data = icon_bytes([draw_icon(size) for size in ICON_SIZES])
    with open(os.path.join(args.out, ICON_NAME), "wb") as file:
        file.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
