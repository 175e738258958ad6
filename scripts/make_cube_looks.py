#!/usr/bin/env python3
"""Draws the two looks of the 3D cube shown on the cube's appearance page and
writes them as .ico files.

Run by hand from the repository root whenever the artwork changes, then
commit the regenerated files:

    python3 scripts/make_cube_looks.py [output-folder]

The output folder defaults to resources/cube. Only the Python standard
library is used: each face of the cube is a little desktop (sky, a window,
a taskbar) cut into small cells that are projected with perspective and
filled 4 x 4 times per pixel, back to front, with alpha.

Written files, one 128 x 96 image each (32-bit BGRA with the 1-bit AND mask):
    plain.ico  the closed cube
    apart.ico  the six faces standing apart from each other, translucent
"""

import math
import os
import struct
import sys

WIDTH, HEIGHT = 128, 96
SAMPLES = 4
CELLS = 20  # cells along each side of a face
CAMERA = 5.2
YAW, PITCH = math.radians(38), math.radians(30)
LIGHT = (-0.4, 0.7, 0.6)


def rgb(hex_colour):
    value = int(hex_colour.lstrip("#"), 16)
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


SKIES = [rgb(c) for c in ("#3A7BC8", "#2E9E6A", "#C8642E", "#7A4EC2", "#C23A5A", "#2E8FA8")]
WINDOW, TITLE, TASKBAR, RIM = rgb("#F4F6F8"), rgb("#1F4E79"), rgb("#20252C"), rgb("#14181E")


def face_colour(face, u, v):
    """The little desktop on a face at (u, v), both 0..1, v growing down."""
    sky = SKIES[face]
    if u < 1.0 / CELLS or u > 1 - 1.0 / CELLS or v < 1.0 / CELLS or v > 1 - 1.0 / CELLS:
        return RIM
    if v > 0.84:
        return TASKBAR
    if 0.18 < u < 0.72 and 0.2 < v < 0.66:
        return TITLE if v < 0.3 else WINDOW
    lighten = 1.25 - 0.45 * v
    return tuple(min(255, c * lighten) for c in sky)


# The faces: centre, the direction of u, the direction of v (down), outward normal.
FACES = [
    ((0, 0, 1), (1, 0, 0), (0, -1, 0), (0, 0, 1)),  # front
    ((1, 0, 0), (0, 0, -1), (0, -1, 0), (1, 0, 0)),  # right
    ((0, 0, -1), (-1, 0, 0), (0, -1, 0), (0, 0, -1)),  # back
    ((-1, 0, 0), (0, 0, 1), (0, -1, 0), (-1, 0, 0)),  # left
    ((0, 1, 0), (1, 0, 0), (0, 0, 1), (0, 1, 0)),  # top
    ((0, -1, 0), (1, 0, 0), (0, 0, -1), (0, -1, 0)),  # bottom
]


def rotate(p):
    x, y, z = p
    x, z = x * math.cos(YAW) - z * math.sin(YAW), x * math.sin(YAW) + z * math.cos(YAW)
    y, z = y * math.cos(PITCH) - z * math.sin(PITCH), y * math.sin(PITCH) + z * math.cos(PITCH)
    return (x, y, z)


def project(p, scale):
    x, y, z = rotate(p)
    depth = CAMERA - z
    f = scale * CAMERA / depth
    return (WIDTH * SAMPLES / 2 + x * f, HEIGHT * SAMPLES / 2 - y * f)


def add(a, b, k=1.0):
    return tuple(a[i] + b[i] * k for i in range(3))


def inside(point, polygon):
    """Whether a point lies in a convex polygon given in either winding."""
    sign = 0
    for i in range(len(polygon)):
        (x1, y1), (x2, y2) = polygon[i], polygon[(i + 1) % len(polygon)]
        cross = (x2 - x1) * (point[1] - y1) - (y2 - y1) * (point[0] - x1)
        if cross != 0:
            if sign == 0:
                sign = 1 if cross > 0 else -1
            elif (cross > 0) != (sign > 0):
                return False
    return True


def fill(buffer, polygon, colour, alpha):
    xs = [p[0] for p in polygon]
    ys = [p[1] for p in polygon]
    for sy in range(max(0, int(min(ys))), min(HEIGHT * SAMPLES, int(max(ys)) + 1)):
        for sx in range(max(0, int(min(xs))), min(WIDTH * SAMPLES, int(max(xs)) + 1)):
            if inside((sx + 0.5, sy + 0.5), polygon):
                r, g, b, a = buffer[sy][sx]
                k = 1 - alpha
                buffer[sy][sx] = (
                    colour[0] * alpha + r * k,
                    colour[1] * alpha + g * k,
                    colour[2] * alpha + b * k,
                    alpha + a * k,
                )


def draw(apart):
    buffer = [[(0.0, 0.0, 0.0, 0.0)] * (WIDTH * SAMPLES) for _ in range(HEIGHT * SAMPLES)]
    push, size, alpha, scale = (0.42, 0.86, 0.62, 21 * SAMPLES) if apart else (0, 1, 1, 28 * SAMPLES)
    light_length = math.sqrt(sum(c * c for c in LIGHT))
    faces = []
    for index, (centre, du, dv, normal) in enumerate(FACES):
        centre = add(centre, normal, push)
        turned = rotate(normal)
        facing = turned[2] > 0
        if not apart and not facing:
            continue  # the closed cube hides its back faces
        shade = 0.62 + 0.38 * max(0.0, sum(turned[i] * LIGHT[i] for i in range(3)) / light_length)
        if apart and not facing:
            shade *= 0.8  # seen from behind, through the front faces
        faces.append((rotate(centre)[2], index, centre, du, dv, shade))
    for _, index, centre, du, dv, shade in sorted(faces):  # back to front
        for j in range(CELLS):
            for i in range(CELLS):
                corners = []
                for a, b in ((i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1)):
                    u, v = a / CELLS * 2 - 1, b / CELLS * 2 - 1
                    point = add(add(centre, du, u * size), dv, v * size)
                    corners.append(project(point, scale))
                colour = face_colour(index, (i + 0.5) / CELLS, (j + 0.5) / CELLS)
                fill(buffer, corners, tuple(c * shade for c in colour), alpha)
    return buffer


def pixels(buffer):
    rows = []
    for py in range(HEIGHT):
        row = []
        for px in range(WIDTH):
            total = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = buffer[py * SAMPLES + sy][px * SAMPLES + sx]
                    total[0] += r
                    total[1] += g
                    total[2] += b
                    total[3] += a
            n = SAMPLES * SAMPLES
            a = total[3] / n
            # The buffer holds colours already weighted by coverage: undo it.
            colour = [min(255, round(total[c] / n / a)) if a > 0 else 0 for c in range(3)]
            row.append((colour[0], colour[1], colour[2], round(255 * a)))
        rows.append(row)
    return rows


def ico(rows):
    image_rows = []
    for row in reversed(rows):  # BMP rows go bottom-up
        image_rows.append(b"".join(bytes((b, g, r, a)) for r, g, b, a in row))
    mask_row_bytes = ((WIDTH + 31) // 32) * 4
    mask = bytes(mask_row_bytes * HEIGHT)  # alpha decides; the AND mask is all clear
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    image = header + b"".join(image_rows) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    directory += struct.pack("<BBBBHHII", WIDTH, HEIGHT, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join("resources", "cube")
    os.makedirs(folder, exist_ok=True)
    for name, apart in (("plain", False), ("apart", True)):
        with open(os.path.join(folder, name + ".ico"), "wb") as out:
            out.write(ico(pixels(draw(apart))))


if __name__ == "__main__":
    main()
