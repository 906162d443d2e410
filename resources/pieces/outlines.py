#!/usr/bin/python3
"""Makes the outline piece sets: the same chess glyphs that generate.py turns
into the bitmap sets, kept as vector paths so diagrams stay sharp at any size.

Each set becomes one SVG sheet laid out like its bitmap: 6 x 2 cells of
32 x 32 units, white pieces in the top row, columns king, queen, bishop,
knight, rook, pawn. Every piece is one <path> whose id is "w" or "b" and the
piece letter (wK, bN, ...), in cell units already placed in its cell: scaled
so the set's tallest glyph is as high as in the bitmap set, narrowed to at
most 30 units, centred, standing on the line y = 31 of its cell. The program
fills the outer contours white and the path itself black (nonzero rule).

Run with the system Python (it needs python3-fonttools and the fonts that
generate.py names):
    /usr/bin/python3 resources/pieces/outlines.py
"""

import os
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generate import CELL, COLUMN_GLYPHS, FILLED_OFFSET, MAX_WIDTH, SETS, font_path  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
LETTERS = "KQBNRP"  # column order of COLUMN_GLYPHS
BASELINE = CELL - 1


def glyph_bounds(glyphs, name):
    pen = BoundsPen(glyphs)
    glyphs[name].draw(pen)
    return pen.bounds


def number(value):
    text = "%.2f" % value
    text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


class RoundingPathPen(SVGPathPen):
    """Two decimals are far finer than any output needs."""

    def __init__(self, glyphs):
        super().__init__(glyphs, ntos=number)


def piece_path(glyphs, name, scale, row, column):
    x_min, y_min, x_max, y_max = glyph_bounds(glyphs, name)
    width = min(MAX_WIDTH, (x_max - x_min) * scale)
    x_scale = width / (x_max - x_min)
    left = column * CELL + (CELL - width) / 2
    bottom = row * CELL + BASELINE
    pen = RoundingPathPen(glyphs)
    # Font units have y upwards; the sheet has y downwards.
    transform = (x_scale, 0, 0, -scale, left - x_min * x_scale, bottom + y_min * scale)
    glyphs[name].draw(TransformPen(pen, transform))
    return pen.getCommands()


def sheet(font_file, package, tuning):
    font = TTFont(font_path(font_file, package))
    cmap = font.getBestCmap()
    glyphs = font.getGlyphSet()
    names = [[cmap[c] for c in COLUMN_GLYPHS], [cmap[c + FILLED_OFFSET] for c in COLUMN_GLYPHS]]
    tallest = max(glyph_bounds(glyphs, n)[3] - glyph_bounds(glyphs, n)[1] for row in names for n in row)
    scale = tuning["height"] / tallest
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
             % (6 * CELL, 2 * CELL, 6 * CELL, 2 * CELL)]
    for row, colour in enumerate("wb"):
        for column, letter in enumerate(LETTERS):
            d = piece_path(glyphs, names[row][column], scale, row, column)
            lines.append('<path id="%s%s" d="%s"/>' % (colour, letter, d))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main():
    for name, (font_file, package, tuning) in SETS.items():
        path = os.path.join(HERE, "vector", name + ".svg")
        tmp = path + ".tmp"
        with open(tmp, "w") as f:
            f.write(sheet(font_file, package, tuning))
        os.replace(tmp, path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
