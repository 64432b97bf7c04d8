#!/usr/bin/python3
"""Checks the artwork tools: repeatable output, and files the saver can use.

The bitmaps are read with a small reader of our own rather than with the
imaging library that wrote them, so that a wrong header or row order is
caught instead of being read back the same wrong way.
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SKIN_TOOL = os.path.join(ROOT, "skins", "make_skins.py")
ICON_TOOL = os.path.join(ROOT, "resources", "art", "make_icon.py")
ABOUT_TOOL = os.path.join(ROOT, "resources", "art", "make_about_bitmap.py")

CELL = 64
KINDS = range(1, 7)
SQUARE_COLUMNS = {"dark": 0, "light": 64, "last move": 256}
BLACK_OFFSET = 320


class Bitmap:
    """An uncompressed 24-bit BMP file, header fields and pixels."""

    def __init__(self, path):
        with open(path, "rb") as file:
            self.data = file.read()
        (self.magic, self.file_size, self.pixel_offset) = struct.unpack_from("<2sI4xI", self.data, 0)
        (
            self.header_size,
            self.width,
            self.height,
            self.planes,
            self.bits,
            self.compression,
        ) = struct.unpack_from("<IiiHHI", self.data, 14)
        self.stride = (self.width * 3 + 3) // 4 * 4
        self.cells = {}

    def pixel(self, x, y):
        """(r, g, b) at x, y counted from the top-left, as Windows shows it."""
        row = self.height - 1 - y  # rows are stored bottom-up
        at = self.pixel_offset + row * self.stride + 3 * x
        b, g, r = self.data[at : at + 3]
        return r, g, b

    def cell(self, left, top):
        if (left, top) not in self.cells:
            self.cells[left, top] = [self.pixel(left + x, top + y) for y in range(CELL) for x in range(CELL)]
        return self.cells[left, top]


def distance(a, b):
    return sum(abs(p - q) for p, q in zip(a, b))


def luminance(rgb):
    r, g, b = rgb
    return 0.299 * r + 0.587 * g + 0.114 * b


def run_tool(tool, out_dir, *options):
    subprocess.run([sys.executable, tool, "--out", out_dir, *options], check=True)


def files_below(folder):
    return sorted(os.path.relpath(os.path.join(top, name), folder)
                  for top, _, names in os.walk(folder) for name in names)


# The second run draws one skin only, the one with the most texture: drawing every skin at every
# size twice would take minutes, and every skin goes through the same code.
REPEAT_THEME = "Marble"

# The build's folder of drawn skins, when the test runs in a build tree (its only argument).
BUILT_SKINS = sys.argv.pop(1) if len(sys.argv) > 1 else None


class ArtToolsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory()
        cls.runs = [os.path.join(cls.temp.name, name) for name in ("first", "second")]
        for out_dir in cls.runs:
            for tool in (ICON_TOOL, ABOUT_TOOL):
                run_tool(tool, out_dir)
        # The build has drawn every skin already with the same tool; drawing them all again would
        # take minutes on a loaded machine. Run by hand, the test draws them itself.
        cls.skin_dir = BUILT_SKINS or cls.runs[0]
        if not BUILT_SKINS:
            run_tool(SKIN_TOOL, cls.runs[0])
        run_tool(SKIN_TOOL, cls.runs[1], "--theme", REPEAT_THEME)
        listed = subprocess.run([sys.executable, SKIN_TOOL, "--list"], check=True, capture_output=True, text=True)
        cls.skin_names = listed.stdout.split()
        cls.skins = {name: Bitmap(os.path.join(cls.skin_dir, name)) for name in cls.skin_names}
        listed = subprocess.run([sys.executable, SKIN_TOOL, "--list-large"], check=True, capture_output=True, text=True)
        cls.large_paths = listed.stdout.split()

    @classmethod
    def tearDownClass(cls):
        cls.temp.cleanup()

    def test_every_run_writes_the_same_bytes(self):
        skins = [name for name in files_below(self.skin_dir) if name.endswith(".bmp")]
        first = sorted(set(files_below(self.runs[0])) | set(skins))
        second = files_below(self.runs[1])
        repeated = [name for name in first if not name.endswith(".bmp") or name == "about.bmp"
                    or os.path.basename(name) == REPEAT_THEME + ".bmp"]
        self.assertEqual(repeated, second)
        self.assertEqual(len([name for name in second if name.endswith(REPEAT_THEME + ".bmp")]), 3)
        for name in second:
            with self.subTest(file=name):
                drawn = self.runs[0] if os.path.exists(os.path.join(self.runs[0], name)) else self.skin_dir
                with open(os.path.join(drawn, name), "rb") as a, open(os.path.join(self.runs[1], name), "rb") as b:
                    self.assertEqual(a.read(), b.read())

    def test_listed_skins_are_the_written_ones(self):
        written = sorted(n for n in os.listdir(self.skin_dir) if n.endswith(".bmp") and n != "about.bmp")
        self.assertEqual(sorted(self.skin_names), written)
        large = sorted(n for n in files_below(self.skin_dir) if os.sep in n)
        self.assertEqual(sorted(p.replace("/", os.sep) for p in self.large_paths), large)
        self.assertEqual(len(large), 2 * len(self.skin_names))
        self.assertIn("Quorvane.bmp", self.skin_names)
        self.assertGreaterEqual(len(self.skin_names), 4)

    def assert_bitmap_header(self, bitmap, width, height):
        self.assertEqual(bitmap.magic, b"BM")
        self.assertEqual(bitmap.header_size, 40)  # BITMAPINFOHEADER
        self.assertEqual((bitmap.width, bitmap.height), (width, height))  # positive: bottom-up
        self.assertEqual((bitmap.planes, bitmap.bits, bitmap.compression), (1, 24, 0))
        self.assertEqual(bitmap.pixel_offset, 54)
        self.assertEqual(bitmap.file_size, len(bitmap.data))
        self.assertEqual(len(bitmap.data), 54 + bitmap.stride * height)

    def test_skin_headers(self):
        for name, skin in self.skins.items():
            with self.subTest(skin=name):
                self.assert_bitmap_header(skin, 640, 448)

    def test_larger_drawings_are_the_same_picture_at_their_scale(self):
        # Each 2 x 2 (or 4 x 4) block of a larger drawing averages to about the classic pixel:
        # the same squares and pieces, only sharper. Sampled every few cells to keep it quick.
        for path in self.large_paths:
            scale = int(path.split("/")[0][1:])
            name = path.split("/")[1]
            large = Bitmap(os.path.join(self.skin_dir, path))
            classic = self.skins[name]
            with self.subTest(drawing=path):
                self.assert_bitmap_header(large, 640 * scale, 448 * scale)
                total, count = 0, 0
                for top in range(0, 448, 64 * 3):
                    for left in range(0, 640, 64 * 3):
                        for y in range(top, top + 64, 5):
                            for x in range(left, left + 64, 5):
                                block = [large.pixel(scale * x + i, scale * y + j)
                                         for j in range(scale) for i in range(scale)]
                                mean = tuple(sum(p[c] for p in block) / len(block) for c in range(3))
                                total += distance(mean, classic.pixel(x, y))
                                count += 1
                # Mean over the three channels together; edges of pieces differ a little.
                self.assertLess(total / count, 24)

    def test_about_bitmap_header(self):
        self.assert_bitmap_header(Bitmap(os.path.join(self.runs[0], "about.bmp")), 203, 61)

    def piece_pixels(self, skin, column, kind, colour):
        """Pixels of a piece cell that differ clearly from its empty square."""
        empty = skin.cell(column, 0)
        cell = skin.cell(column + BLACK_OFFSET * colour, CELL * kind)
        return [p for p, e in zip(cell, empty) if distance(p, e) > 48]

    def test_every_piece_cell_holds_a_piece_of_its_colour(self):
        for name, skin in self.skins.items():
            for square, column in SQUARE_COLUMNS.items():
                for kind in KINDS:
                    with self.subTest(skin=name, square=square, kind=kind):
                        # A piece covers at least a tenth of its cell.
                        self.assertGreater(len(self.piece_pixels(skin, column, kind, 0)), CELL * CELL // 10)
                        self.assertGreater(len(self.piece_pixels(skin, column, kind, 1)), CELL * CELL // 10)
                        # Where the two colours' cells differ, the white
                        # piece is the lighter one: its body outweighs the
                        # dark outline, as the black body outweighs its rim.
                        white = skin.cell(column, CELL * kind)
                        black = skin.cell(column + BLACK_OFFSET, CELL * kind)
                        pairs = [(w, b) for w, b in zip(white, black) if distance(w, b) > 48]
                        self.assertGreater(len(pairs), CELL * CELL // 10)
                        lighter = sum(luminance(w) - luminance(b) for w, b in pairs) / len(pairs)
                        self.assertGreater(lighter, 20)

    def test_piece_rows_follow_the_kind_order(self):
        # Pawns are drawn smallest, so row 1 must hold the least ink, and
        # no two kinds may share a picture.
        for name, skin in self.skins.items():
            for colour in (0, 1):
                with self.subTest(skin=name, colour=colour):
                    ink = {kind: len(self.piece_pixels(skin, 0, kind, colour)) for kind in KINDS}
                    self.assertEqual(min(ink, key=ink.get), 1)
                    cells = [tuple(skin.cell(BLACK_OFFSET * colour, CELL * kind)) for kind in KINDS]
                    self.assertEqual(len(set(cells)), len(cells))

    def test_piece_cells_sit_on_their_column_square(self):
        for name, skin in self.skins.items():
            for colour in (0, 1):
                for column in SQUARE_COLUMNS.values():
                    for kind in KINDS:
                        with self.subTest(skin=name, colour=colour, column=column, kind=kind):
                            corner = skin.pixel(column + BLACK_OFFSET * colour, CELL * kind)
                            self.assertLessEqual(distance(corner, skin.pixel(column, 0)), 6)

    def test_last_move_square_stands_out(self):
        for name, skin in self.skins.items():
            with self.subTest(skin=name):
                last = skin.pixel(256, 0)
                self.assertGreater(distance(last, skin.pixel(0, 0)), 60)
                self.assertGreater(distance(last, skin.pixel(64, 0)), 60)
                self.assertGreater(distance(skin.pixel(0, 0), skin.pixel(64, 0)), 60)

    def test_unread_cells_repeat_the_squares(self):
        for name, skin in self.skins.items():
            for half in (0, BLACK_OFFSET):
                for spare, source in ((128, 0), (192, 64)):
                    for kind in range(7):
                        with self.subTest(skin=name, x=half + spare, kind=kind):
                            self.assertEqual(skin.cell(half + spare, CELL * kind), skin.cell(half + source, CELL * kind))
            with self.subTest(skin=name, row="empty"):
                for column in (0, 64, 256):
                    self.assertEqual(skin.cell(BLACK_OFFSET + column, 0), skin.cell(column, 0))

    def test_icon_holds_the_four_sizes(self):
        with open(os.path.join(self.runs[0], "quorvane.ico"), "rb") as file:
            data = file.read()
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertEqual((reserved, kind, count), (0, 1, 4))
        sizes = []
        for index in range(count):
            width, height, _, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * index)
            self.assertLessEqual(offset + length, len(data))
            image = data[offset : offset + length]
            if image.startswith(b"\x89PNG\r\n\x1a\n"):
                real = struct.unpack_from(">II", image, 16)  # IHDR width, height
            else:
                dib_width, dib_height, _, dib_bits = struct.unpack_from("<iiHH", image, 4)
                self.assertEqual(dib_height, 2 * dib_width)  # colour and AND mask
                self.assertEqual(dib_bits, 32)
                real = (dib_width, dib_width)
            self.assertEqual(real[0], real[1])
            self.assertEqual(width or 256, real[0])  # 0 stands for 256
            self.assertEqual((planes, bits), (1, 32))
            sizes.append(real[0])
        self.assertEqual(sorted(sizes), [16, 32, 48, 256])


if __name__ == "__main__":
    unittest.main()
