#!/usr/bin/env python3
"""cell_blocks.py <shot.ppm> <scale factor>: how the playfield's 128 x 81 cells of 8 x 8 logical
pixels came out in device pixels in a screenshot (ImageMagick's binary PPM) taken at that factor.
Prints "cells N uneven M fine F"; exits 1 when a cell cannot be a whole block of device pixels or
the image is smaller than the field. Only cells under a sprite may be uneven (not one colour over
their block); smoothing or seams make hundreds so. F counts the 2 x 2 blocks of the status panel
below the field that are not one colour: text drawn at the device's resolution has them at twice
the scale, a 1x picture scaled up has none."""
import sys

COLUMNS, ROWS = 128, 81
magic, size, depth, pixels = open(sys.argv[1], "rb").read().split(b"\n", 3)
width, height = map(int, size.split())
block = 8 * float(sys.argv[2])
if magic != b"P6" or depth != b"255" or block != int(block):
    sys.exit(f"not an 8-bit PPM, or a cell of {block} device pixels")
block = int(block)
if width < COLUMNS * block or height < ROWS * block:
    sys.exit(f"the image of {width} x {height} is smaller than the field")


def row(x, y, count):  # the bytes of count pixels from (x, y) on
    return pixels[3 * (y * width + x):3 * (y * width + x + count)]


uneven = sum(1 for r in range(ROWS) for c in range(COLUMNS)
             if any(row(c * block, y, block) != row(c * block, r * block, 1) * block
                    for y in range(r * block, (r + 1) * block)))
fine = sum(1 for y in range(ROWS * block, height - 1, 2) for x in range(0, width - 1, 2)
           if row(x, y, 2) != row(x, y, 1) * 2 or row(x, y + 1, 2) != row(x, y, 2))
print(f"cells {COLUMNS * ROWS} uneven {uneven} fine {fine}")
