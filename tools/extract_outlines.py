# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the outlines of the mansion pictures' characters, for drawing them sharp above 1x and on paper.

    extract_outlines.py FONT_FILE FACE_INDEX OUTPUT < "index character width height pointsize" lines

Each character's glyph is taken from the font the pictures were rendered from, scaled to the point size
it was rendered at (one pixel per point, as ImageMagick draws at 72 dpi), flipped to y downwards and
centred in its picture's width x height, so that its coordinates are the picture's own pixels. One output
line per picture: the index, the picture's width and height, then the path as commands M (move), L
(line), Q (quadratic curve) and Z (close), each followed by its points' coordinates, blank-separated.
"""

import sys

from fontTools.pens.basePen import BasePen
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTCollection


class CommandPen(BasePen):
    """Collects a glyph as M/L/Q/Z commands with two decimals."""

    def __init__(self, glyph_set):
        super().__init__(glyph_set)
        self.words = []

    def _point(self, command, *points):
        self.words.append(command)
        for x, y in points:
            self.words += [f"{x:.2f}".rstrip("0").rstrip("."), f"{y:.2f}".rstrip("0").rstrip(".")]

    def _moveTo(self, pt):
        self._point("M", pt)

    def _lineTo(self, pt):
        self._point("L", pt)

    def _qCurveToOne(self, pt1, pt2):
        self._point("Q", pt1, pt2)

    def _curveToOne(self, pt1, pt2, pt3):
        raise ValueError("the font's glyphs are expected to be quadratic")

    def _closePath(self):
        self.words.append("Z")


def main():
    font_file, face, output = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    font = TTCollection(font_file).fonts[face]
    glyphs = font.getGlyphSet()
    cmap = font.getBestCmap()
    units = font["head"].unitsPerEm
    lines = []
    for row in sys.stdin:
        index, character, width, height, pointsize = row.split()
        width, height, scale = int(width), int(height), int(pointsize) / units
        glyph = glyphs[cmap[ord(character)]]
        bounds = BoundsPen(glyphs)
        glyph.draw(bounds)
        x_min, y_min, x_max, y_max = bounds.bounds
        # Font units, y up, to picture pixels, y down, with the ink centred.
        dx = width / 2 - scale * (x_min + x_max) / 2
        dy = height / 2 + scale * (y_min + y_max) / 2
        pen = CommandPen(glyphs)
        glyph.draw(TransformPen(pen, (scale, 0, 0, -scale, dx, dy)))
        lines.append(f"{index} {width} {height} {' '.join(pen.words)}\n")
    with open(output, "w", encoding="ascii") as out:
        out.writelines(lines)


if __name__ == "__main__":
    main()
