#!/usr/bin/env python3
"""Reads a screenshot of the game window (binary PPM) taken at a scale factor and reports how the
playfield's 128 x 81 cells of 8 x 8 logical pixels came out in device pixels.
    cell_blocks.py <shot.ppm> <scale factor>
Prints "cells N uneven M fine F" and exits 1 when the cells cannot be whole blocks of device
pixels or the image is too small for the field. A cell is even when its whole block is one colour;
only cells under a sprite may be uneven, smoothing or seams make hundreds so. F counts the 2 x 2
blocks of the status panel below the field that are not one colour: text drawn at the device's
resolution has them at twice the scale, a 1x picture scaled up has none."""
import sys

COLUMNS, ROWS, CELL = 128, 81, 8


def read_ppm(path):
    with open(path, "rb") as file:
        data = file.read()
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position)
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit("not an 8-bit binary PPM")
    return int(fields[1]), int(fields[2]), data[position + 1:]


def main():
    path, factor = sys.argv[1], float(sys.argv[2])
    width, height, pixels = read_ppm(path)
    block = CELL * factor
    if block != int(block):
        sys.exit(f"a cell of {block} device pixels cannot be a whole block")
    block = int(block)
    if width < COLUMNS * block or height < ROWS * block:
        sys.exit(f"the image of {width} x {height} is smaller than the field")
    uneven = 0
    for row in range(ROWS):
        for column in range(COLUMNS):
            left, top = column * block, row * block
            first = pixels[3 * (top * width + left):3 * (top * width + left) + 3]
            line = first * block
            if any(pixels[3 * (y * width + left):3 * (y * width + left + block)] != line
                   for y in range(top, top + block)):
                uneven += 1
    fine = 0
    for top in range(ROWS * block, height - 1, 2):
        for left in range(0, width - 1, 2):
            pair = pixels[3 * (top * width + left):3 * (top * width + left) + 6]
            below = pixels[3 * ((top + 1) * width + left):3 * ((top + 1) * width + left) + 6]
            if pair != pair[:3] * 2 or below != pair:
                fine += 1
    print(f"cells {COLUMNS * ROWS} uneven {uneven} fine {fine}")


main()
