#!/usr/bin/env python3
"""Draws the flags of the language page and writes them as .ico files.

Run by hand from the repository root whenever the artwork changes, then
commit the regenerated files:

    python3 scripts/make_flags.py [output-folder]

The output folder defaults to resources/flags. Only the Python standard
library is used: each flag is a function from a point to a colour, sampled
4 x 4 times per pixel, with slightly rounded corners and a thin darker rim.

Written files, one 48 x 32 image each (32-bit BGRA with the 1-bit AND mask):
    english.ico spanish.ico italian.ico portugues.ico german.ico french.ico
"""

import math
import os
import struct
import sys

WIDTH, HEIGHT = 48, 32
SAMPLES = 4
CORNER = 2.5
RIM = 1.0


def rgb(hex_colour):
    value = int(hex_colour.lstrip("#"), 16)
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


WHITE = rgb("#FFFFFF")


def union_jack(x, y):
    blue, red = rgb("#012169"), rgb("#C8102E")
    # Distance to the two diagonals, in pixels.
    length = math.hypot(WIDTH, HEIGHT)
    d1 = abs(HEIGHT * x - WIDTH * y) / length
    d2 = abs(HEIGHT * x + WIDTH * y - WIDTH * HEIGHT) / length
    dx, dy = abs(x - WIDTH / 2), abs(y - HEIGHT / 2)
    if min(dx, dy) < HEIGHT * 0.1:
        return red
    if min(dx, dy) < HEIGHT * 0.17:
        return WHITE
    if min(d1, d2) < HEIGHT * 0.035:
        return red
    if min(d1, d2) < HEIGHT * 0.1:
        return WHITE
    return blue


def spain(x, y):
    return rgb("#F1BF00") if HEIGHT / 4 <= y < HEIGHT * 3 / 4 else rgb("#AA151B")


def vertical_thirds(left, middle, right):
    def flag(x, y):
        return left if x < WIDTH / 3 else middle if x < WIDTH * 2 / 3 else right

    return flag


def horizontal_thirds(top, middle, bottom):
    def flag(x, y):
        return top if y < HEIGHT / 3 else middle if y < HEIGHT * 2 / 3 else bottom

    return flag


def portugal(x, y):
    cx, cy = WIDTH * 0.4, HEIGHT / 2
    r = math.hypot(x - cx, y - cy)
    if abs(x - cx) < 3.2 and abs(y - cy + 0.5) < 4:
        inner = abs(x - cx) < 1.8 and abs(y - cy + 0.5) < 2.6
        return WHITE if inner else rgb("#FF0000")
    if r < HEIGHT * 0.26:
        return rgb("#FFE000")
    return rgb("#006600") if x < WIDTH * 0.4 else rgb("#FF0000")


FLAGS = [
    ("english", union_jack),
    ("spanish", spain),
    ("italian", vertical_thirds(rgb("#009246"), WHITE, rgb("#CE2B37"))),
    ("portugues", portugal),
    ("german", horizontal_thirds(rgb("#000000"), rgb("#DD0000"), rgb("#FFCE00"))),
    ("french", vertical_thirds(rgb("#0055A4"), WHITE, rgb("#EF4135"))),
]


def inside(x, y):
    """Whether a point lies inside the rounded rectangle of the flag, and
    its distance from the edge."""
    dx = max(CORNER - x, 0.0, x - (WIDTH - CORNER))
    dy = max(CORNER - y, 0.0, y - (HEIGHT - CORNER))
    if dx > 0 and dy > 0:
        corner_distance = CORNER - math.hypot(dx, dy)
        return corner_distance >= 0, corner_distance
    edge = min(x, y, WIDTH - x, HEIGHT - y)
    return edge >= 0, edge


def pixel(flag, px, py):
    total = [0.0, 0.0, 0.0]
    covered = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = px + (sx + 0.5) / SAMPLES
            y = py + (sy + 0.5) / SAMPLES
            is_inside, edge = inside(x, y)
            if not is_inside:
                continue
            colour = flag(x, y)
            if edge < RIM:
                colour = tuple(c * 0.62 for c in colour)
            for i in range(3):
                total[i] += colour[i]
            covered += 1
    if covered == 0:
        return (0, 0, 0, 0)
    r, g, b = (round(c / covered) for c in total)
    return (r, g, b, round(255 * covered / (SAMPLES * SAMPLES)))


def ico(flag):
    rows = []
    for py in range(HEIGHT - 1, -1, -1):  # BMP rows go bottom-up
        row = b""
        for px in range(WIDTH):
            r, g, b, a = pixel(flag, px, py)
            row += bytes((b, g, r, a))
        rows.append(row)
    mask_row_bytes = ((WIDTH + 31) // 32) * 4
    mask = bytes(mask_row_bytes * HEIGHT)  # alpha decides; the AND mask is all clear
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    image = header + b"".join(rows) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    directory += struct.pack("<BBBBHHII", WIDTH, HEIGHT, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join("resources", "flags")
    os.makedirs(folder, exist_ok=True)
    for name, flag in FLAGS:
        with open(os.path.join(folder, name + ".ico"), "wb") as out:
            out.write(ico(flag))


if __name__ == "__main__":
    main()
