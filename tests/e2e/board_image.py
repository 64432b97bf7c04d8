"""What the screen must show: boards built from a skin's cells, and the text bands around them.

A skin is a grid of 64 x 64 cells: row y = 64 x kind (0 empty, 1 pawn ... 6 king), column x = 0 on a
dark square, 64 on a light one, 256 on a square of the last move, plus 320 for a black piece. The
full-screen board is those cells copied unscaled, so a correct board equals them byte for byte.
"""

import time

from PIL import Image, ImageChops

CELL = 64
KINDS = {"p": 1, "n": 2, "b": 3, "r": 4, "q": 5, "k": 6}
START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"


def board_from_fen(placement):
    """64 (kind, colour) pairs in rank x 8 + file order (rank 0 = the first rank) from the piece
    placement field of a FEN."""
    board = [(0, 0)] * 64
    for row, rank_text in enumerate(placement.split(" ")[0].split("/")):
        rank = 7 - row
        file = 0
        for ch in rank_text:
            if ch.isdigit():
                file += int(ch)
                continue
            board[rank * 8 + file] = (KINDS[ch.lower()], 0 if ch.isupper() else 1)
            file += 1
    return board


def square(name):
    """'e4' -> its index in rank x 8 + file order."""
    return (int(name[1]) - 1) * 8 + "abcdefgh".index(name[0])


def square_name(index):
    return "abcdefgh"[index % 8] + str(index // 8 + 1)


def placement_from_board(board):
    """The piece placement field of a FEN from 64 (kind, colour) pairs."""
    letters = {kind: letter for letter, kind in KINDS.items()}
    ranks = []
    for rank in range(7, -1, -1):
        text, empty = "", 0
        for file in range(8):
            kind, colour = board[rank * 8 + file]
            if kind == 0:
                empty += 1
                continue
            text += (str(empty) if empty else "") + (letters[kind].upper() if colour == 0
                                                      else letters[kind])
            empty = 0
        ranks.append(text + (str(empty) if empty else ""))
    return "/".join(ranks)


def placement_after(placement, move):
    """The placement after a move given as (from, to) square names: the piece moves, whatever
    stood on the target goes. Enough for moves without castling, en passant or promotion."""
    board = board_from_fen(placement)
    board[square(move[1])] = board[square(move[0])]
    board[square(move[0])] = (0, 0)
    return placement_from_board(board)


class Skin:
    """A skin file; scale 2 or 4 for its larger drawings, whose cells are that many times 64."""

    def __init__(self, path, scale=1):
        self.path = path
        self.image = Image.open(path).convert("RGB")
        self.size = CELL * scale

    def cell(self, kind, colour, light, marked):
        x = 256 if marked else (64 if light else 0)
        if kind != 0 and colour == 1:
            x += 320
        x, y = x * self.size // CELL, self.size * kind
        return self.image.crop((x, y, x + self.size, y + self.size))

    def board(self, placement, marked=()):
        """The board the renderer must draw, 8 cells square: from White's side, a8 top-left and
        light."""
        return self.board_cells(placement, marked, lambda cell: cell, self.size)

    def board_cells(self, placement, marked, convert, size):
        board = board_from_fen(placement)
        marked = {square(name) for name in marked}
        image = Image.new("RGB", (8 * size, 8 * size))
        for row in range(8):
            for column in range(8):
                index = (7 - row) * 8 + column
                kind, colour = board[index]
                light = (row + column) % 2 == 0
                image.paste(convert(self.cell(kind, colour, light, index in marked)),
                            (column * size, row * size))
        return image

    def scaled_board(self, placement, size, marked=()):
        """The board drawn from this skin's cells resized to size pixels with an area filter,
        the nearest a test can come to a halftone reduction."""
        return self.board_cells(placement, marked,
                                lambda cell: cell.resize((size, size), Image.Resampling.BOX), size)

    def cells(self):
        """Every cell the renderer may copy, as bytes, for 'is this square any skin cell?'."""
        found = set()
        for kind in range(7):
            for colour in (0, 1) if kind else (0,):
                for light in (False, True):
                    for marked in (False, True):
                        found.add(self.cell(kind, colour, light, marked).tobytes())
        return found


def board_box(origin=(256, 128), size=512):
    return (origin[0], origin[1], origin[0] + size, origin[1] + size)


def board_region(screen, origin=(256, 128)):
    return screen.crop(board_box(origin))


def same_image(a, b):
    return a.size == b.size and a.tobytes() == b.tobytes()


def wrong_squares(screen, expected, origin=(256, 128)):
    """Names of the squares where the screen differs from the expected board."""
    wrong = []
    for row in range(8):
        for column in range(8):
            box = (column * CELL, row * CELL, (column + 1) * CELL, (row + 1) * CELL)
            shown = screen.crop((origin[0] + box[0], origin[1] + box[1],
                                 origin[0] + box[2], origin[1] + box[3]))
            if shown.tobytes() != expected.crop(box).tobytes():
                wrong.append(square_name((7 - row) * 8 + column))
    return wrong


def squares_are_skin_cells(screen, skin, origin=(256, 128)):
    """True when each of the 64 squares on the screen is one of the skin's cells."""
    cells = skin.cells()
    for row in range(8):
        for column in range(8):
            x, y = origin[0] + column * CELL, origin[1] + row * CELL
            if screen.crop((x, y, x + CELL, y + CELL)).tobytes() not in cells:
                return False
    return True


def mean_difference(a, b):
    """The mean absolute difference of two images' channels, 0 to 255."""
    histogram = ImageChops.difference(a, b).histogram()
    total = sum(value * count for channel in range(3)
                for value, count in enumerate(histogram[channel * 256:(channel + 1) * 256]))
    return total / (a.size[0] * a.size[1] * 3)


def square_differences(screen, expected, origin, size):
    """Mean difference of each of the 64 squares on the screen from the expected board's, by
    square name."""
    found = {}
    for row in range(8):
        for column in range(8):
            box = (column * size, row * size, (column + 1) * size, (row + 1) * size)
            shown = screen.crop((origin[0] + box[0], origin[1] + box[1],
                                 origin[0] + box[2], origin[1] + box[3]))
            found[square_name((7 - row) * 8 + column)] = mean_difference(shown, expected.crop(box))
    return found


def ink_box(image, box, background):
    """The bounding box, in screen coordinates, of the pixels inside box that differ from the
    background colour; None when there are none."""
    region = image.crop(box)
    found = ImageChops.difference(region, Image.new("RGB", region.size, background)).getbbox()
    if found is None:
        return None
    return (box[0] + found[0], box[1] + found[1], box[0] + found[2], box[1] + found[3])


def boxes_with_ink(image, boxes, background):
    """The boxes among the given ones that hold a pixel other than the background."""
    return [box for box in boxes if ink_box(image, box, background) is not None]


# A game of moves of two squares or more, without castling or captures: each slide passes a square
# between its ends, where a frame in the middle of the slide differs from the positions before
# and after it.
SLIDE_MOVES = [("e2", "e4"), ("e7", "e5"), ("g1", "f3"), ("b8", "c6"), ("f1", "c4"), ("f8", "c5"),
               ("b1", "c3"), ("g8", "f6"), ("c1", "g5"), ("c8", "g4"), ("d1", "d3"), ("d8", "d6")]
SLIDE_PGN = (b'[White "Slide"]\n[Black "Glide"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. Nc3 Nf6 '
             b"5. Bg5 Bg4 6. Qd3 Qd6 *\n")


def slide_squares(move):
    """The squares of the rectangle spanned by a move's two squares: the only ones its slide may
    change."""
    files = sorted("abcdefgh".index(name[0]) for name in move)
    ranks = sorted(int(name[1]) for name in move)
    return {"abcdefgh"[f] + str(r) for f in range(files[0], files[1] + 1)
            for r in range(ranks[0], ranks[1] + 1)}


def mid_slide(board, before, move):
    """Whether a 512 x 512 board is a frame inside the move's slide: every square off its path as
    before the move, and a square between its two ends covered by the travelling piece."""
    path = slide_squares(move)

    def same(name):
        index = square(name)
        x, y = (index % 8) * CELL, (7 - index // 8) * CELL
        box = (x, y, x + CELL, y + CELL)
        return board.crop(box).tobytes() == before.crop(box).tobytes()

    others = [square_name(i) for i in range(64) if square_name(i) not in path]
    between = [name for name in path if name not in move]
    return all(same(name) for name in others) and not all(same(name) for name in between)


def watch_slide(screenshot, skin, origin, timeout):
    """Plays SLIDE_PGN's positions off the screen (screenshot() gives the next frame) until one
    move is seen in the middle of its slide and then landed, its squares marked: returns the move,
    the middle frame and the landed one's board, or None when the time is up first. A slide lasts
    a quarter of a second, which a busy machine's screenshots may miss; twelve slides make seeing
    one all but certain."""
    placements = [START_FEN]
    for move in SLIDE_MOVES:
        placements.append(placement_after(placements[-1], move))
    boards = [skin.board(placements[0])] + [
        skin.board(placement, move) for placement, move in zip(placements[1:], SLIDE_MOVES)]
    known = {board.tobytes(): ply for ply, board in enumerate(boards)}
    ply, middle = None, None
    deadline = time.monotonic() + timeout + 2 * len(SLIDE_MOVES)
    while time.monotonic() < deadline:
        board = board_region(screenshot(), origin)
        shown = known.get(board.tobytes())
        if shown is not None and middle is not None and shown == middle[0] + 1:
            return SLIDE_MOVES[middle[0]], middle[1], board
        if shown is not None:
            ply, middle = shown, None
        elif ply is not None and ply < len(SLIDE_MOVES) and middle is None and \
                mid_slide(board, boards[ply], SLIDE_MOVES[ply]):
            middle = (ply, board)
    return None
