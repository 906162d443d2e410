#!/usr/bin/python3
"""Makes the piece artwork: three piece sets and the training marks.

Every picture is a 4-bit BMP with the standard 16-colour palette, made of
32 x 32 cells on a magenta background (white pieces in the top row, black
pieces below; columns king, queen, bishop, knight, rook, pawn). The marks
picture holds the cross and the dot, white above black.

Pieces come from the chess glyphs of fonts in Debian packages
(fonts-dejavu-core, fonts-freefont-ttf, fonts-symbola). Each glyph is drawn
eight times too large, split into ink, enclosed inside and outside, and then
reduced to whole pixels of black, white or magenta, so no grey fringe ever
touches the transparent background.

Run with the system Python (it needs python3-pil):
    /usr/bin/python3 resources/pieces/generate.py [--check]
--check only verifies the committed pictures.
"""

import os
import struct
import sys
from collections import deque

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
CELL = 32
SCALE = 8  # supersampling factor
BIG = CELL * SCALE
MAX_WIDTH = 30  # pixels; keeps a margin between pieces on neighbouring squares

# The standard 16-colour palette in index order, as (r, g, b).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAGENTA, WHITE = 0, 13, 15

# Outline glyphs U+2654..2659 are K Q R B N P; the filled ones follow at +6.
COLUMN_GLYPHS = [0x2654, 0x2655, 0x2657, 0x2658, 0x2656, 0x2659]  # K Q B N R P
FILLED_OFFSET = 6

FONT_DIRS = ["/usr/share/fonts/truetype"]

# Picture name -> (font file, package that ships it, tuning).
SETS = {
    "RIROZ": ("dejavu/DejaVuSans.ttf", "fonts-dejavu-core",
              {"height": 29, "ink": 0.30}),
    "ROVIRAVO": ("freefont/FreeSerif.ttf", "fonts-freefont-ttf",
                 {"height": 30, "ink": 0.25}),
    "RORUVOZ": ("ancient-scripts/Symbola_hint.ttf", "fonts-symbola",
                {"height": 30, "ink": 0.40, "hole": 0.55}),
}


# --------------------------------------------------------------------------
# Masks at supersampled size: lists of rows of 0/1.

def glyph_mask(font, code):
    """Binary mask of one glyph, cropped to its ink."""
    left, top, right, bottom = font.getbbox(chr(code))
    img = Image.new("L", (right - left + 4, bottom - top + 4), 0)
    ImageDraw.Draw(img).text((2 - left, 2 - top), chr(code), font=font, fill=255)
    box = img.getbbox()
    return img.crop(box) if box else img


def place_in_cell(glyph, factor, baseline):
    """Scales a glyph mask and puts it into a BIG x BIG cell, centred
    horizontally and standing on the baseline. A glyph too wide for the cell
    is narrowed rather than shrinking the whole set."""
    w = max(1, min(MAX_WIDTH * SCALE, round(glyph.width * factor)))
    h = max(1, round(glyph.height * factor))
    scaled = glyph.resize((w, h), Image.LANCZOS)
    cell = Image.new("L", (BIG, BIG), 0)
    cell.paste(scaled, ((BIG - w) // 2, baseline - h))
    data = cell.tobytes()
    return [[1 if data[y * BIG + x] >= 128 else 0 for x in range(BIG)] for y in range(BIG)]


def outside_of(ink):
    """Cells reachable from the border without crossing ink."""
    n = len(ink)
    out = [[0] * n for _ in range(n)]
    todo = deque()
    for i in range(n):
        for y, x in ((0, i), (n - 1, i), (i, 0), (i, n - 1)):
            if not ink[y][x] and not out[y][x]:
                out[y][x] = 1
                todo.append((y, x))
    while todo:
        y, x = todo.popleft()
        for dy, dx in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            yy, xx = y + dy, x + dx
            if 0 <= yy < n and 0 <= xx < n and not ink[yy][xx] and not out[yy][xx]:
                out[yy][xx] = 1
                todo.append((yy, xx))
    return out


def coverage(mask):
    """Fraction of each SCALE x SCALE block that is set, as CELL x CELL."""
    area = SCALE * SCALE
    result = []
    for by in range(CELL):
        rows = mask[by * SCALE:(by + 1) * SCALE]
        result.append([sum(sum(r[bx * SCALE:(bx + 1) * SCALE]) for r in rows) / area
                       for bx in range(CELL)])
    return result


# --------------------------------------------------------------------------
# Reduction to palette indexes: CELL x CELL lists of indexes.

def touches_background(cell, y, x):
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            yy, xx = y + dy, x + dx
            if not (0 <= yy < CELL and 0 <= xx < CELL) or cell[yy][xx] == MAGENTA:
                if (dy, dx) != (0, 0):
                    return True
    return False


def close_outline(cell):
    """White never borders the transparent background: it gets a black rim."""
    edge = [(y, x) for y in range(CELL) for x in range(CELL)
            if cell[y][x] == WHITE and touches_background(cell, y, x)]
    for y, x in edge:
        cell[y][x] = BLACK
    return cell


def drop_specks(cell):
    """Lone white pixels inside a black piece read as noise at this size."""
    specks = [(y, x) for y in range(CELL) for x in range(CELL)
              if cell[y][x] == WHITE and sum(
                  cell[y + dy][x + dx] == WHITE
                  for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                  if (dy or dx) and 0 <= y + dy < CELL and 0 <= x + dx < CELL) == 0]
    for y, x in specks:
        cell[y][x] = BLACK
    return cell


def white_piece(ink_mask, ink_threshold):
    outside = outside_of(ink_mask)
    inside = [[1 - (i | o) for i, o in zip(ri, ro)] for ri, ro in zip(ink_mask, outside)]
    ink_cov, in_cov = coverage(ink_mask), coverage(inside)
    cell = [[MAGENTA] * CELL for _ in range(CELL)]
    for y in range(CELL):
        for x in range(CELL):
            if ink_cov[y][x] >= ink_threshold:
                cell[y][x] = BLACK
            elif ink_cov[y][x] + in_cov[y][x] >= 0.5:
                cell[y][x] = WHITE
    return close_outline(cell)


def black_piece(ink_mask, ink_threshold, hole_threshold=0.45):
    """Solid silhouette; the glyph's own inner openings become white lines."""
    outside = outside_of(ink_mask)
    holes = [[1 - (i | o) for i, o in zip(ri, ro)] for ri, ro in zip(ink_mask, outside)]
    ink_cov, hole_cov = coverage(ink_mask), coverage(holes)
    cell = [[MAGENTA] * CELL for _ in range(CELL)]
    for y in range(CELL):
        for x in range(CELL):
            body = ink_cov[y][x] + hole_cov[y][x]
            if body >= 0.5 or ink_cov[y][x] >= ink_threshold:
                cell[y][x] = WHITE if hole_cov[y][x] >= hole_threshold else BLACK
    return close_outline(drop_specks(cell))


# --------------------------------------------------------------------------
# The pictures.

def font_path(relative, package):
    for base in FONT_DIRS:
        path = os.path.join(base, relative)
        if os.path.exists(path):
            return path
    raise SystemExit("missing font %s: install the Debian package %s" % (relative, package))


def piece_set(font_file, package, tuning):
    # Drawn at 256 and scaled: at some larger sizes the rasteriser loses the
    # inner filled contours of the solid king glyphs.
    font = ImageFont.truetype(font_path(font_file, package), 256)
    outlines = [glyph_mask(font, c) for c in COLUMN_GLYPHS]
    fills = [glyph_mask(font, c + FILLED_OFFSET) for c in COLUMN_GLYPHS]
    tallest = max(g.height for g in outlines + fills)
    factor = tuning["height"] * SCALE / tallest
    baseline = BIG - SCALE  # one pixel below the pieces stays free
    whites = [white_piece(place_in_cell(g, factor, baseline), tuning["ink"]) for g in outlines]
    blacks = [black_piece(place_in_cell(g, factor, baseline), tuning["ink"],
                          tuning.get("hole", 0.45)) for g in fills]
    return [whites, blacks]


def mark_cell(draw_shape, white):
    """A mark drawn as a black shape, with a white inside for the white mark."""
    big = Image.new("L", (BIG, BIG), 0)
    draw_shape(ImageDraw.Draw(big), 0)
    outer = big.tobytes()
    inner = None
    if white:
        small = Image.new("L", (BIG, BIG), 0)
        draw_shape(ImageDraw.Draw(small), 2 * SCALE)
        inner = small.tobytes()
    area = SCALE * SCALE
    cell = [[MAGENTA] * CELL for _ in range(CELL)]
    for y in range(CELL):
        for x in range(CELL):
            def cov(buf):
                return sum(1 for yy in range(y * SCALE, (y + 1) * SCALE)
                           for xx in range(x * SCALE, (x + 1) * SCALE)
                           if buf[yy * BIG + xx] >= 128) / area
            if cov(outer) >= 0.5:
                cell[y][x] = WHITE if inner is not None and cov(inner) >= 0.5 else BLACK
    return close_outline(cell)


def cross(draw, shrink):
    lo, hi = 8 * SCALE + shrink * 0.7, 24 * SCALE - shrink * 0.7
    width = 6 * SCALE - 2 * shrink
    draw.line([(lo, lo), (hi, hi)], fill=255, width=int(width))
    draw.line([(lo, hi), (hi, lo)], fill=255, width=int(width))


def dot(draw, shrink):
    r = 7 * SCALE - shrink
    c = 16 * SCALE
    draw.ellipse([c - r, c - r, c + r, c + r], fill=255)


def marks():
    return [[mark_cell(cross, True), mark_cell(dot, True)],
            [mark_cell(cross, False), mark_cell(dot, False)]]


def assemble(rows):
    """Cells (rows of columns) -> one list of pixel rows of indexes."""
    pixels = []
    for row in rows:
        for y in range(CELL):
            line = []
            for cell in row:
                line.extend(cell[y])
            pixels.append(line)
    return pixels


# --------------------------------------------------------------------------
# 4-bit BMP.

def write_bmp4(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = ((width + 1) // 2 + 3) // 4 * 4
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        packed = bytearray(stride)
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            packed[x // 2] = (hi << 4) | lo
        body += packed
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(body),
                       3780, 3780, 16, 16)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(header + info + palette + body)
    os.replace(tmp, path)


def read_bmp4(path):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 118 or data[:2] != b"BM":
        raise ValueError("%s: not a BMP" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    (size, width, height, planes, bits, compression) = struct.unpack_from("<IiiHHI", data, 14)
    if size != 40 or bits != 4 or compression != 0 or planes != 1 or height <= 0:
        raise ValueError("%s: not an uncompressed bottom-up 4-bit BMP" % path)
    palette = [struct.unpack_from("<BBBB", data, 54 + 4 * i)[:3][::-1] for i in range(16)]
    stride = ((width + 1) // 2 + 3) // 4 * 4
    if offset + stride * height > len(data):
        raise ValueError("%s: truncated" % path)
    pixels = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride:]
        pixels.append([(row[x // 2] >> 4) if x % 2 == 0 else (row[x // 2] & 15)
                       for x in range(width)])
    return palette, pixels


# --------------------------------------------------------------------------
# Self-check and contact sheet.

EXPECTED = {"RIROZ": (6, 2), "ROVIRAVO": (6, 2), "RORUVOZ": (6, 2), "EXTRA": (2, 2)}


def check(name):
    palette, pixels = read_bmp4(os.path.join(HERE, name + ".bmp"))
    cols, rows = EXPECTED[name]
    problems = []
    if [tuple(c) for c in palette] != PALETTE:
        problems.append("palette differs from the standard one")
    if (len(pixels[0]), len(pixels)) != (cols * CELL, rows * CELL):
        problems.append("size %dx%d" % (len(pixels[0]), len(pixels)))
        return problems
    for r in range(rows):
        for c in range(cols):
            cell = [row[c * CELL:(c + 1) * CELL] for row in pixels[r * CELL:(r + 1) * CELL]]
            used = {v for line in cell for v in line}
            where = "%s cell (%d,%d)" % (name, r, c)
            if not used <= {BLACK, WHITE, MAGENTA}:
                problems.append(where + ": colours other than black, white, magenta")
            if cell[0][0] != MAGENTA or cell[-1][-1] != MAGENTA:
                problems.append(where + ": corner not magenta")
            if sum(v != MAGENTA for line in cell for v in line) < 20:
                problems.append(where + ": nearly empty")
            if any(cell[y][x] == WHITE and touches_background(cell, y, x)
                   for y in range(CELL) for x in range(CELL)):
                problems.append(where + ": white touches the background")
            if r == 1 and sum(v == BLACK for line in cell for v in line) < \
                    sum(v == WHITE for line in cell for v in line):
                problems.append(where + ": black piece mostly white")
    return problems


def to_rgb(pixels, background=None):
    img = Image.new("RGB", (len(pixels[0]), len(pixels)))
    img.putdata([PALETTE[v] if (background is None or v != MAGENTA) else background
                 for line in pixels for v in line])
    return img


def cell_of(pixels, row, column):
    return [line[column * CELL:(column + 1) * CELL]
            for line in pixels[row * CELL:(row + 1) * CELL]]


def on_squares(cells_by_row, first_light):
    """Cells at 1x on 36-pixel board squares, alternating light and dark."""
    light, dark = (0xF0, 0xD9, 0xB5), (0xB5, 0x88, 0x63)
    columns = len(cells_by_row[0])
    img = Image.new("RGB", (columns * 36, len(cells_by_row) * 36))
    for r, row in enumerate(cells_by_row):
        for c, cell in enumerate(row):
            square = light if (r + c + first_light) % 2 == 0 else dark
            tile = Image.new("RGB", (36, 36), square)
            tile.paste(to_rgb(cell, square), (2, 2))
            img.paste(tile, (c * 36, r * 36))
    return img


def contact_sheet(pictures):
    """Every picture at 4x on grey and on magenta, then at 1x on board
    squares, each piece once on a light and once on a dark square."""
    zoom, gap, label = 4, 12, 14
    grey = (0x90, 0x90, 0x90)
    width = 2 * 192 * zoom + 3 * gap
    blocks = []
    for name, pixels in pictures:
        w, h = len(pixels[0]) * zoom, len(pixels) * zoom
        block = Image.new("RGB", (width, label + h + gap), grey)
        ImageDraw.Draw(block).text((gap, 0), name, fill=(0, 0, 0))
        block.paste(to_rgb(pixels, (0xA0, 0xA0, 0xA0)).resize((w, h), Image.NEAREST),
                    (gap, label))
        block.paste(to_rgb(pixels).resize((w, h), Image.NEAREST), (2 * gap + 192 * zoom, label))
        blocks.append(block)
    marks_pixels = pictures[3][1]
    for name, pixels in pictures[:3]:
        rows = [[cell_of(pixels, r, c % 6) for c in range(12)] for r in range(2)]
        mark_rows = [[cell_of(marks_pixels, r, c % 2) for c in range(4)] for r in range(2)]
        block = Image.new("RGB", (width, label + 72 + gap), grey)
        ImageDraw.Draw(block).text((gap, 0), name + " at 1x", fill=(0, 0, 0))
        block.paste(on_squares(rows, 0), (gap, label))
        block.paste(on_squares(mark_rows, 1), (2 * gap + 12 * 36, label))
        blocks.append(block)
    sheet = Image.new("RGB", (width, sum(b.height for b in blocks) + gap), grey)
    y = gap
    for b in blocks:
        sheet.paste(b, (0, y))
        y += b.height
    return sheet


def main():
    names = ["RIROZ", "ROVIRAVO", "RORUVOZ", "EXTRA"]
    if "--check" not in sys.argv[1:]:
        for name, (font_file, package, tuning) in SETS.items():
            write_bmp4(os.path.join(HERE, name + ".bmp"),
                       assemble(piece_set(font_file, package, tuning)))
        write_bmp4(os.path.join(HERE, "EXTRA.bmp"), assemble(marks()))
    problems = [p for name in names for p in check(name)]
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        return 1
    if "--check" not in sys.argv[1:]:
        pictures = [(n, read_bmp4(os.path.join(HERE, n + ".bmp"))[1]) for n in names]
        contact_sheet(pictures).save(os.path.join(HERE, "contact-sheet.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
