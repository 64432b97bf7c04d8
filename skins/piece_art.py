"""Chess piece drawing shared by the skin, icon and About-picture tools.

Pieces are built from DejaVu Sans' chess glyphs (U+2654..U+265F, freely
licensed): the filled glyph gives the body shape, the outline glyph the
inner lines. Everything is drawn at SUPERSAMPLE times the target size and
reduced with an area filter, so edges are smooth and the result depends
only on the font file and this code (no randomness, no time stamps).
"""

from dataclasses import dataclass

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
BOLD_FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

SUPERSAMPLE = 4
LINE_THINNING = 2  # supersampled pixels taken off each side of inner lines

# Piece kinds as the board model numbers them.
PAWN, KNIGHT, BISHOP, ROOK, QUEEN, KING = 1, 2, 3, 4, 5, 6
KINDS = (PAWN, KNIGHT, BISHOP, ROOK, QUEEN, KING)
WHITE, BLACK = 0, 1
CLOSED_KINDS = {QUEEN: 14}  # kind -> closing radius, supersampled pixels

# kind -> (outline glyph, filled glyph, height relative to the king).
# The font draws every piece the same height; real sets grade them, and
# the grading also tells pawn from bishop at a glance on small boards.
GLYPHS = {
    PAWN: (0x2659, 0x265F, 0.76),
    KNIGHT: (0x2658, 0x265E, 0.90),
    BISHOP: (0x2657, 0x265D, 0.93),
    ROOK: (0x2656, 0x265C, 0.82),
    QUEEN: (0x2655, 0x265B, 0.97),
    KING: (0x2654, 0x265A, 1.00),
}


@dataclass(frozen=True)
class PieceStyle:
    """Colours of one piece set; each colour an (r, g, b) tuple."""

    white_top: tuple  # white body, lit end of the gradient
    white_bottom: tuple  # white body, shaded end
    white_line: tuple  # outline and inner lines of white pieces
    black_top: tuple
    black_bottom: tuple
    black_rim: tuple  # light rim of black pieces
    black_detail: tuple  # inner lines of black pieces
    shadow_alpha: int = 70  # 0..255, soft shadow under the piece


# Ivory and ebony: the house set, shared by the main skin, the icon and the About picture.
IVORY = PieceStyle(
    white_top=(255, 253, 246),
    white_bottom=(226, 218, 200),
    white_line=(30, 26, 22),
    black_top=(76, 70, 66),
    black_bottom=(24, 22, 22),
    black_rim=(238, 232, 220),
    black_detail=(196, 188, 176),
)

@dataclass(frozen=True)
class _Masks:
    body: Image.Image  # full silhouette, holes filled
    lines: Image.Image  # contour and thinned inner lines (white pieces)
    details: Image.Image  # the filled glyph's open inner lines (black pieces)


def _threshold(mask):
    return mask.point(lambda v: 255 if v >= 128 else 0)


# A square filter of width 2r + 1 is r passes of the 3 x 3 one, with the same
# result; the passes cost r * 9 per pixel instead of (2r + 1)^2, which is
# what makes the larger skins affordable.
def _dilate(mask, radius):
    for _ in range(radius):
        mask = mask.filter(ImageFilter.MaxFilter(3))
    return mask


def _erode(mask, radius):
    for _ in range(radius):
        mask = mask.filter(ImageFilter.MinFilter(3))
    return mask


def _fill_holes(mask):
    """Returns mask with every region not reachable from the border set."""
    outside = mask.copy()
    ImageDraw.floodfill(outside, (0, 0), 128)
    return outside.point(lambda v: 0 if v == 128 else 255)


def _glyph_mask(char, font, canvas, origin):
    mask = Image.new("L", (canvas, canvas), 0)
    ImageDraw.Draw(mask).text(origin, chr(char), font=font, fill=255)
    return _threshold(mask)


def _font_for(kind, height):
    """A font in which the kind's glyph is `height` times its grade tall."""
    outline_char, _, grade = GLYPHS[kind]
    probe = ImageFont.truetype(FONT_PATH, 400)
    left, top, right, bottom = probe.getmask(chr(outline_char)).getbbox()
    ink = bottom - top
    size = max(4, round(400 * height * grade / ink))
    return ImageFont.truetype(FONT_PATH, size)


def _piece_masks(kind, size):
    """Masks of one piece, centred across a size x size canvas, base at 90 %."""
    big = size * SUPERSAMPLE
    outline_char, filled_char, _ = GLYPHS[kind]
    font = _font_for(kind, big * 0.80)
    left, top = font.getbbox(chr(filled_char))[:2]
    ink = font.getmask(chr(filled_char)).getbbox()  # relative to (left, top)
    origin = (
        (big - (ink[2] - ink[0])) // 2 - (left + ink[0]),
        round(big * 0.9) - (top + ink[3]),
    )
    outline = _glyph_mask(outline_char, font, big, origin)
    filled = _glyph_mask(filled_char, font, big, origin)
    body = _fill_holes(ImageChops.lighter(outline, filled))
    details = ImageChops.subtract(_fill_holes(filled), filled)
    inner_lines = _erode(outline, LINE_THINNING)
    if kind in CLOSED_KINDS:
        # Fill the notches between the crown's points in their lower part,
        # so that the piece keeps a body of its own colour when the board
        # is shrunk; the points stay free. The outline glyph's lines no
        # longer fit that body: the white piece takes the filled glyph's
        # inner lines, as the black one does.
        radius = CLOSED_KINDS[kind]
        closed = _erode(_dilate(body, radius), radius)
        top, bottom = body.getbbox()[1::2]
        closed.paste(0, (0, 0, big, top + round((bottom - top) * 0.36)))
        body = ImageChops.lighter(body, closed)
        inner_lines = details
    # The font's inner lines are heavy enough to grey a white piece out
    # when it is reduced; they are thinned, the contour keeps full weight.
    contour = ImageChops.subtract(body, _erode(body, LINE_THINNING))
    lines = ImageChops.lighter(inner_lines, contour)
    # Openings at the very edge would only blur into the rim.
    details = ImageChops.multiply(details, _erode(body, SUPERSAMPLE))
    return _Masks(body=body, lines=lines, details=details)


def _gradient(size, top, bottom):
    """A vertical colour gradient, lit from the top."""
    column = Image.new("RGB", (1, size))
    for y in range(size):
        t = y / max(1, size - 1)
        column.putpixel(
            (0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        )
    return column.resize((size, size), Image.Resampling.NEAREST)


def _layer(canvas, colour_or_image, mask):
    if isinstance(colour_or_image, tuple):
        colour_or_image = Image.new("RGB", canvas.size, colour_or_image)
    layer = colour_or_image.convert("RGBA")
    layer.putalpha(mask)
    canvas.alpha_composite(layer)


def render_piece(kind, colour, size, style, rim_px=None):
    """An RGBA image size x size of the piece, ready to compose on a square.

    rim_px is the width in target pixels of the outer rim (dark on white
    pieces, light on black ones); the default holds up at 64 px and after
    a reduction to 14 px.
    """
    if rim_px is None:
        rim_px = max(1.0, size / 64)
    big = size * SUPERSAMPLE
    masks = _piece_masks(kind, size)
    rim = _dilate(masks.body, round(rim_px * SUPERSAMPLE))

    canvas = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    shadow = rim.filter(ImageFilter.GaussianBlur(big / 40))
    shadow = ImageChops.offset(shadow, big // 48, big // 36)
    shadow = shadow.point(lambda v: v * style.shadow_alpha // 255)
    _layer(canvas, (0, 0, 0), shadow)

    if colour == WHITE:
        _layer(canvas, style.white_line, rim)
        _layer(canvas, _gradient(big, style.white_top, style.white_bottom), masks.body)
        _layer(canvas, style.white_line, masks.lines)
    else:
        _layer(canvas, style.black_rim, rim)
        _layer(canvas, _gradient(big, style.black_top, style.black_bottom), masks.body)
        _layer(canvas, style.black_detail, masks.details)
    return canvas.resize((size, size), Image.Resampling.BOX)


def bold_font(size):
    """The face used for the product name on the About picture."""
    return ImageFont.truetype(BOLD_FONT_PATH, size)
