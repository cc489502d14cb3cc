# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Prints the lowest contrast of text against its background on each screenshot.

    contrast.py [--scale FACTOR] SCREENSHOT.png...

Text is found as glyph ink. Pixels in a straight run of one colour (give or take a shade) 12 or more
long are lines (the frames of boxes and groups, rules, underlines), never ink. The image is cut into tiles of 16 x 12
pixels (and again shifted by half a tile); in a tile whose most frequent colour, the background, covers
at least half of it, the other pixels that are not lines are ink when they make up 5 to 50 % of the
tile over at least four rows and three columns. The tile's contrast is the WCAG 2 contrast ratio
between the background and its most contrasting ink pixel: the solid stems of the glyphs, not their
anti-aliased edges. A pair of background and ink colours is a text's where it is the tile's pair
across 64 pixels or more (a line of glyphs), not an icon's or a stray glyph edge's. Prints, per file, the lowest tile contrast
and where that tile lies. Sizes are for shots at 1x; --scale gives the factor the shots were taken at.
"""

import sys

import numpy
from PIL import Image

TILE_W, TILE_H = 16, 12
MIN_INK, MAX_INK = 0.05, 0.5  # share of the tile's pixels that are ink
RUN = 12  # pixels of one colour in a straight line that make a line, not a glyph
SHADE = 24  # the largest step in a channel between neighbouring pixels of one line
MIN_SPAN = 64  # pixels across which one colour is the strongest ink on one background, to make it a text's


def luminance(rgb):
    channel = rgb / 255.0
    linear = numpy.where(channel <= 0.03928, channel / 12.92, ((channel + 0.055) / 1.055) ** 2.4)
    return linear @ numpy.array([0.2126, 0.7152, 0.0722])


def ratio(a, b):
    return (numpy.maximum(a, b) + 0.05) / (numpy.minimum(a, b) + 0.05)


def runs_along_rows(image):
    """The pixels in a horizontal run of RUN or more pixels of one colour, give or take SHADE."""
    height, width = image.shape[:2]
    # Pixel x+1 continues x's run when their colours differ by no more than
    # SHADE in each channel: the rounded corners of frames shade their lines.
    same = numpy.all(numpy.abs(image[:, 1:] - image[:, :-1]) <= SHADE, axis=2)
    result = numpy.zeros((height, width), dtype=bool)
    for y in range(height):
        start = 0
        for x in range(1, width + 1):
            if x == width or not same[y, x - 1]:
                if x - start >= RUN:
                    result[y, start:x] = True
                start = x
    return result


def tile_contrast(tile, lines, lum):
    pixels = tile.reshape(-1, 3)
    colours, inverse, counts = numpy.unique(pixels, axis=0, return_inverse=True, return_counts=True)
    background = counts.argmax()
    if counts[background] < pixels.shape[0] / 2:
        return None
    tile_lum = lum.reshape(-1)
    against = ratio(tile_lum, luminance(colours[background].astype(float)))
    ink = (inverse.reshape(-1) != background) & ~lines.reshape(-1)
    mask = ink.reshape(tile.shape[:2])
    rows, columns = mask.any(axis=1).sum(), mask.any(axis=0).sum()
    if not (MIN_INK <= ink.mean() <= MAX_INK) or rows < 4 or columns < 3:
        return None
    strongest = numpy.flatnonzero(ink)[against[ink].argmax()]
    return against[strongest], tuple(colours[background]), tuple(pixels[strongest])


def lowest_contrast(path):
    image = numpy.asarray(Image.open(path).convert("RGB")).astype(numpy.int16)
    lines = runs_along_rows(image) | runs_along_rows(image.transpose(1, 0, 2)).T
    lum = luminance(image.astype(float))
    height, width = image.shape[:2]
    pairs = {}  # (background, ink colour) -> [contrast, tiles, first tile]
    for y0 in range(0, height - TILE_H + 1, TILE_H // 2):
        for x0 in range(0, width - TILE_W + 1, TILE_W // 2):
            area = numpy.s_[y0 : y0 + TILE_H, x0 : x0 + TILE_W]
            found = tile_contrast(image[area], lines[area], lum[area])
            if found is not None:
                entry = pairs.setdefault(found[1:], [found[0], (x0, y0), x0, x0])
                entry[2], entry[3] = min(entry[2], x0), max(entry[3], x0)
    # A text's colour is the strongest ink of tiles along a line of glyphs;
    # an icon's or a glyph edge's lies in a tile or two.
    texts = [entry[:2] for entry in pairs.values() if entry[3] - entry[2] >= MIN_SPAN]
    return min(texts, default=[float("inf"), None])


def main():
    global TILE_W, TILE_H, RUN, MIN_SPAN
    paths = sys.argv[1:]
    if paths[:1] == ["--scale"]:
        factor = float(paths[1])
        TILE_W, TILE_H = round(TILE_W * factor), round(TILE_H * factor)
        RUN, MIN_SPAN = round(RUN * factor), round(MIN_SPAN * factor)
        paths = paths[2:]
    for path in paths:
        value, where = lowest_contrast(path)
        if where is None:
            print(f"{path}: no text found")
        else:
            print(f"{path}: lowest text contrast {value:.1f}:1 at x={where[0]} y={where[1]}")


if __name__ == "__main__":
    main()
