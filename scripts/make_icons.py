#!/usr/bin/env python3
"""Draws Quadrivista's icons and writes them as .ico files.

Run by hand from the repository root whenever the artwork changes, then
commit the regenerated files:

    python3 scripts/make_icons.py [output-folder]

The output folder defaults to resources/icons. Only the Python standard
library is used: shapes are rounded rectangles rasterised with supersampling,
and the digits come from a small stroke font whose metrics are chosen per
icon size so that every stroke lands on whole pixels.

Written files:
    quadrivista.ico          application icon: a screen holding six panes
    desktopN.ico             tray image of desktop N (1..6), not current
    desktopN_current.ico     tray image of desktop N while it is current

Every .ico holds 16, 20, 24, 32, 40 and 48 pixel images, each a 32-bit
BGRA bitmap with alpha plus the 1-bit AND mask, the most widely read form.
"""

import os
import struct
import sys

SIZES = (16, 20, 24, 32, 40, 48)
SUPERSAMPLE = 8  # samples per pixel along each axis


def rgb(hex_colour, alpha=1.0):
    value = int(hex_colour.lstrip("#"), 16)
    return ((value >> 16) / 255.0, ((value >> 8) & 255) / 255.0, (value & 255) / 255.0, alpha)


# Palette: deep blue and teal for the mark, slate for idle desktops and a
# bright cyan accent for the current one.
NAVY = rgb("#0F2A5C")
NAVY_RIM = rgb("#3B82C4")
PANE = rgb("#0E7490")
PANE_LIGHT = rgb("#14A3B8")
ACCENT = rgb("#5EEAD4")
ACCENT_LIGHT = rgb("#CCFBF1")
SLATE_FILL = rgb("#1E293B")
SLATE_RIM = rgb("#8394AB")
SLATE_DIGIT = rgb("#E2E8F0")
CURRENT_FILL = rgb("#0891B2")
CURRENT_FILL_LIGHT = rgb("#22B8D8")
CURRENT_RIM = rgb("#A5F3FC")
WHITE = rgb("#FFFFFF")


# ---------------------------------------------------------------- rasteriser


class RoundedRect:
    """Axis-aligned rectangle [x0, x1) x [y0, y1) in pixels with corner radius r."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.r = min(r, (x1 - x0) / 2.0, (y1 - y0) / 2.0)

    def contains(self, x, y):
        if x < self.x0 or x >= self.x1 or y < self.y0 or y >= self.y1:
            return False
        r = self.r
        if r <= 0:
            return True
        dx = max(self.x0 + r - x, 0.0, x - (self.x1 - r))
        dy = max(self.y0 + r - y, 0.0, y - (self.y1 - r))
        return dx * dx + dy * dy <= r * r

    def bounds(self):
        return self.x0, self.y0, self.x1, self.y1


class Union:
    def __init__(self, parts):
        self.parts = list(parts)

    def contains(self, x, y):
        return any(part.contains(x, y) for part in self.parts)

    def bounds(self):
        boxes = [part.bounds() for part in self.parts]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))


class Ring:
    """The band between an outer shape and an inner one (a frame or outline)."""

    def __init__(self, outer, inner):
        self.outer, self.inner = outer, inner

    def contains(self, x, y):
        return self.outer.contains(x, y) and not self.inner.contains(x, y)

    def bounds(self):
        return self.outer.bounds()


class Canvas:
    """Square image in premultiplied RGBA floats, painted front to back."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def coverage(self, shape, px, py):
        n = SUPERSAMPLE
        inside = 0
        for sy in range(n):
            y = py + (sy + 0.5) / n
            for sx in range(n):
                if shape.contains(px + (sx + 0.5) / n, y):
                    inside += 1
        return inside / float(n * n)

    def paint(self, shape, colour):
        """Composites shape over the canvas. colour is an RGBA tuple or a
        function of the pixel row returning one (for vertical gradients)."""
        x0, y0, x1, y1 = shape.bounds()
        for py in range(max(0, int(y0)), min(self.size, int(-(-y1 // 1)))):
            r, g, b, a = colour(py) if callable(colour) else colour
            for px in range(max(0, int(x0)), min(self.size, int(-(-x1 // 1)))):
                cover = self.coverage(shape, px, py) * a
                if cover <= 0:
                    continue
                dst = self.pixels[py * self.size + px]
                keep = 1.0 - cover
                dst[0] = r * cover + dst[0] * keep
                dst[1] = g * cover + dst[1] * keep
                dst[2] = b * cover + dst[2] * keep
                dst[3] = cover + dst[3] * keep

    def bgra_rows(self):
        """Rows top to bottom as straight-alpha BGRA bytes."""
        rows = []
        for py in range(self.size):
            row = bytearray()
            for px in range(self.size):
                r, g, b, a = self.pixels[py * self.size + px]
                if a <= 0:
                    row += b"\0\0\0\0"
                    continue
                row += bytes(min(255, round(c / a * 255)) for c in (b, g, r))
                row.append(min(255, round(a * 255)))
            rows.append(bytes(row))
        return rows


def gradient(top, bottom, y0, y1):
    """Vertical blend from top colour at row y0 to bottom colour at row y1."""

    def colour(py):
        t = 0.0 if y1 <= y0 else min(1.0, max(0.0, (py + 0.5 - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))

    return colour


# ----------------------------------------------------------------- ico file


def bmp_image(canvas):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA, then the AND mask."""
    size = canvas.size
    rows = canvas.bgra_rows()
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for px in range(size):
            if row[px * 4 + 3] == 0:  # fully transparent: let the background through
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         size * size * 4 + len(mask), 0, 0, 0, 0)
    return header + b"".join(reversed(rows)) + bytes(mask)


def write_ico(path, canvases):
    images = [bmp_image(canvas) for canvas in canvases]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        side = canvas.size % 256  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(directory + b"".join(images))


# ---------------------------------------------------------------- the font

# Per icon size: stroke width, inner counter width, the two counter heights
# (upper and lower bowl) and the corner radius of the strokes. Whole pixels
# keep the small sizes crisp; the larger ones get softly rounded corners.
FONT_METRICS = {
    16: (2, 3, 2, 2, 0.0),
    20: (2, 4, 3, 3, 0.0),
    24: (3, 4, 3, 3, 0.6),
    32: (4, 5, 4, 5, 1.0),
    40: (5, 6, 5, 6, 1.4),
    48: (6, 7, 6, 7, 1.8),
}


def glyph_strokes(digit, size):
    """The strokes of a digit as rectangles in glyph coordinates, and the
    glyph's width and height. The digits are built like a bold seven-segment
    display: bars at the top, middle and bottom joined by vertical stems."""
    sw, cw, upper, lower, radius = FONT_METRICS[size]
    width = 2 * sw + cw
    mid = sw + upper  # top edge of the middle bar
    height = 3 * sw + upper + lower
    right = width - sw
    rect = lambda x0, y0, x1, y1: RoundedRect(x0, y0, x1, y1, radius)

    top_bar = rect(0, 0, width, sw)
    mid_bar = rect(0, mid, width, mid + sw)
    bottom_bar = rect(0, height - sw, width, height)
    left_upper = rect(0, 0, sw, mid + sw)
    left_lower = rect(0, mid, sw, height)
    right_upper = rect(right, 0, width, mid + sw)
    right_lower = rect(right, mid, width, height)

    if digit == 1:
        stem_x = (width - sw + 1) // 2
        flag_y = max(1, sw // 2)
        strokes = [
            rect(stem_x, 0, stem_x + sw, height),
            rect(stem_x - sw, flag_y, stem_x + sw, flag_y + sw),
            rect(max(0, stem_x - sw), height - sw, min(width, stem_x + 2 * sw), height),
        ]
    elif digit == 2:
        strokes = [top_bar, right_upper, mid_bar, left_lower, bottom_bar]
    elif digit == 3:
        short_mid = rect(sw // 2 + 1, mid, width, mid + sw)
        strokes = [top_bar, short_mid, bottom_bar, right_upper, right_lower]
    elif digit == 4:
        strokes = [left_upper, mid_bar, right_upper, right_lower]
    elif digit == 5:
        strokes = [top_bar, left_upper, mid_bar, right_lower, bottom_bar]
    elif digit == 6:
        strokes = [top_bar, left_upper, left_lower, mid_bar, right_lower, bottom_bar]
    else:
        raise ValueError("no glyph for %r" % digit)
    return strokes, width, height


def digit_shape(digit, size, centre_x, centre_y):
    """The digit placed on whole pixels with its centre near (centre_x, centre_y)."""
    strokes, width, height = glyph_strokes(digit, size)
    left = int(centre_x - width / 2.0 + 0.5)
    top = int(centre_y - height / 2.0 + 0.5)
    return Union(RoundedRect(s.x0 + left, s.y0 + top, s.x1 + left, s.y1 + top, s.r)
                 for s in strokes)


# ----------------------------------------------------------------- artwork


def outline_width(size):
    return 1 if size < 32 else 2


def desktop_icon(digit, current, size):
    canvas = Canvas(size)
    radius = size * 0.22
    border = outline_width(size)
    outer = RoundedRect(0, 0, size, size, radius)
    inner = RoundedRect(border, border, size - border, size - border, radius - border)
    if current:
        canvas.paint(outer, gradient(CURRENT_FILL_LIGHT, CURRENT_FILL, 0, size))
        canvas.paint(Ring(outer, inner), CURRENT_RIM)
        canvas.paint(digit_shape(digit, size, size / 2.0, size / 2.0), WHITE)
    else:
        canvas.paint(outer, SLATE_FILL)
        canvas.paint(Ring(outer, inner), SLATE_RIM)
        canvas.paint(digit_shape(digit, size, size / 2.0, size / 2.0), SLATE_DIGIT)
    return canvas


# Per icon size: frame inset around the panes, gap between panes, pane width
# and height, neck height and base height of the stand. Chosen so that the
# frame spans the whole width and every edge falls on a whole pixel.
SCREEN_LAYOUT = {
    16: (1, 1, 4, 4, 1, 2),
    20: (2, 2, 4, 4, 1, 2),
    24: (2, 1, 6, 5, 2, 2),
    32: (2, 2, 8, 7, 2, 3),
    40: (3, 2, 10, 8, 3, 3),
    48: (3, 3, 12, 10, 3, 4),
}

HIGHLIGHTED_PANE = (1, 0)  # column, row


def app_icon(size):
    inset, gap, pane_w, pane_h, neck_h, base_h = SCREEN_LAYOUT[size]
    frame_w = 2 * inset + 3 * pane_w + 2 * gap
    frame_h = 2 * inset + 2 * pane_h + gap
    total_h = frame_h + neck_h + base_h
    left = (size - frame_w) // 2
    top = (size - total_h) // 2
    canvas = Canvas(size)

    # Stand first so the frame overlaps its top.
    neck_w = max(2, size // 6 // 2 * 2)  # even, so it centres under the frame
    base_w = size // 2
    neck_x = left + (frame_w - neck_w) // 2
    base_x = left + (frame_w - base_w) // 2
    neck = RoundedRect(neck_x, top + frame_h - 1, neck_x + neck_w, top + frame_h + neck_h)
    base_y = top + frame_h + neck_h
    base = RoundedRect(base_x, base_y, base_x + base_w, base_y + base_h, base_h / 2.0)
    canvas.paint(Union([neck, base]), NAVY_RIM)

    frame_r = max(1.5, size / 10.0)
    frame = RoundedRect(left, top, left + frame_w, top + frame_h, frame_r)
    canvas.paint(frame, NAVY)
    if size >= 24:
        rim = 1 if size < 40 else 1.5
        inner = RoundedRect(left + rim, top + rim, left + frame_w - rim, top + frame_h - rim,
                            frame_r - rim)
        canvas.paint(Ring(frame, inner), NAVY_RIM)

    pane_r = 0.0 if size < 24 else pane_w / 6.0
    for row in range(2):
        for column in range(3):
            x = left + inset + column * (pane_w + gap)
            y = top + inset + row * (pane_h + gap)
            pane = RoundedRect(x, y, x + pane_w, y + pane_h, pane_r)
            if (column, row) == HIGHLIGHTED_PANE:
                colour = gradient(ACCENT_LIGHT, ACCENT, y, y + pane_h)
            else:
                colour = gradient(PANE_LIGHT, PANE, y, y + pane_h)
            canvas.paint(pane, colour)
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, os.pardir, "resources", "icons")
    out_dir = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else default)
    os.makedirs(out_dir, exist_ok=True)

    write_ico(os.path.join(out_dir, "quadrivista.ico"), [app_icon(s) for s in SIZES])
    for digit in range(1, 7):
        for current, suffix in ((False, ""), (True, "_current")):
            name = "desktop%d%s.ico" % (digit, suffix)
            write_ico(os.path.join(out_dir, name),
                      [desktop_icon(digit, current, s) for s in SIZES])
    print("icons written to", out_dir)


if __name__ == "__main__":
    main()
