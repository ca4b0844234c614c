#!/usr/bin/env python3
"""Draws the six 13 x 13 bar-diameter pictures of the grid's symbol drawer
and writes them as 24-bit BMP files:

  resources/symbols/SDIAA.bmp .. SDIAN.bmp

Black on white, like the other pictures: a circle crossed by a vertical
stroke (the plain bar, grade A) and variants with a mark per grade.
Only the standard library is used. Run from the repository root:

  python3 tools/symbols/draw_bar_pictures.py
"""

import os
import struct

SIZE = 13
INK = (0, 0, 0)
WHITE = (255, 255, 255)

# The circle: pixels at distance 4.5 .. 5.5 from the centre (6, 6).
def base():
    p = [[WHITE] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            d2 = (x - 6) ** 2 + (y - 6) ** 2
            if 4.4 ** 2 <= d2 <= 5.5 ** 2:
                p[y][x] = INK
    for y in range(0, SIZE):
        p[y][6] = INK
    return p


def hline(p, x0, x1, y):
    for x in range(x0, x1 + 1):
        p[y][x] = INK


def grade_b(p):  # one bar across the middle
    hline(p, 3, 9, 6)


def grade_c(p):  # two short bars
    hline(p, 4, 8, 4)
    hline(p, 4, 8, 8)


def grade_d(p):  # a bar with a foot at the top right
    hline(p, 4, 8, 6)
    p[1][10] = p[2][10] = p[1][11] = INK


def grade_l(p):  # a foot at the bottom of the stroke
    hline(p, 6, 10, 12)


def grade_n(p):  # a slanted stroke
    for i in range(7):
        p[9 - i][3 + i] = INK


PICTURES = {
    "SDIAA": lambda p: None,
    "SDIAB": grade_b,
    "SDIAC": grade_c,
    "SDIAD": grade_d,
    "SDIAL": grade_l,
    "SDIAN": grade_n,
}


def write_bmp(path, pixels):
    row_size = (SIZE * 3 + 3) // 4 * 4
    data = b""
    for y in range(SIZE - 1, -1, -1):
        row = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in pixels[y])
        data += row + b"\0" * (row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def main():
    out = os.path.join("resources", "symbols")
    os.makedirs(out, exist_ok=True)
    for name, mark in PICTURES.items():
        p = base()
        mark(p)
        write_bmp(os.path.join(out, name + ".bmp"), p)


if __name__ == "__main__":
    main()
