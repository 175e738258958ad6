#!/usr/bin/env python3
"""Draws the pictures of Quadrivista's 3D effects.

Run by hand from the repository root whenever the artwork changes, then
commit the regenerated files:

    python3 scripts/make_effect_images.py [resources-folder]

The folder defaults to resources. Needs Pillow and the DejaVu fonts, on
Debian: apt-get install python3-pil fonts-dejavu-core

Written files (under the resources folder):
    effects/protected_desktop.png     1024 x 768, the face of a private desktop
    effects/black_gradient.jpg        21 x 1024, dark grey to black
    effects/white_gradient.jpg        92 x 162, white to light grey
    effects/rotate_{normal,over}.png  64 x 64 round glass buttons with alpha:
    effects/pointer_{normal,over}.png rotate, pointer and the six desktops;
    effects/buttonN_{normal,over}.png "over" is the lit state
    skyboxes/<Theme>/<Theme>_<face>.jpg  512 x 512 faces of two themes,
                                      Daylight and Starfield

Everything is drawn larger and scaled down, so edges come out smooth. The sky
boxes are drawn from a function of the viewing direction, evaluated at the
point of the cube each texel covers, so the six faces meet without seams.
"""

import math
import os
import random
import sys

try:
    from PIL import Image, ImageDraw, ImageFilter, ImageFont
except ImportError:
    sys.exit("make_effect_images.py needs Pillow: apt-get install python3-pil")

FONT_FOLDER = "/usr/share/fonts/truetype/dejavu"
BOLD_FONT = os.path.join(FONT_FOLDER, "DejaVuSans-Bold.ttf")
BOOK_FONT = os.path.join(FONT_FOLDER, "DejaVuSans.ttf")
for font_file in (BOLD_FONT, BOOK_FONT):
    if not os.path.exists(font_file):
        sys.exit("make_effect_images.py needs " + font_file + ": apt-get install fonts-dejavu-core")

JPEG_OPTIONS = {"quality": 92, "subsampling": 0, "optimize": True}


# ---------------------------------------------------------------- helpers

def mix(a, b, t):
    """Colour a at t = 0 to colour b at t = 1, component by component."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def smoothstep(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def vertical_gradient(size, stops):
    """An RGB picture whose rows run through the (position, colour) stops."""
    width, height = size
    column = Image.new("RGB", (1, height))
    for y in range(height):
        t = (y + 0.5) / height
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                column.putpixel((0, y), mix(c0, c1, smoothstep(t0, t1, t)))
                break
    return column.resize((width, height), Image.NEAREST)


def shrink(image, factor):
    """Scales a supersampled picture down, averaging with straight alpha kept right."""
    if image.mode == "RGBA":
        return image.convert("RGBa").reduce(factor).convert("RGBA")
    return image.reduce(factor)


def clipped(layer, mask):
    """The layer with its alpha limited to the mask."""
    alpha = Image.composite(layer.getchannel("A"), Image.new("L", layer.size, 0), mask)
    layer = layer.copy()
    layer.putalpha(alpha)
    return layer


def coloured(size, colour, alpha_mask):
    layer = Image.new("RGBA", size, colour + (0,))
    layer.putalpha(alpha_mask)
    return layer


def gradient_fill(size, top, bottom, box):
    """An RGBA layer filled with a vertical gradient spanning box (top to bottom)."""
    left, upper, right, lower = box
    gradient = vertical_gradient((1, max(1, lower - upper)), [(0.0, top), (1.0, bottom)])
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    layer.paste(gradient.resize((right - left, lower - upper)).convert("RGBA"), (left, upper))
    return layer


def ink_box(text, font):
    """The bounding box of the ink of text drawn at (0, 0)."""
    probe = Image.new("L", (font.size * (len(text) + 2), font.size * 3), 0)
    ImageDraw.Draw(probe).text((font.size, font.size), text, font=font, fill=255)
    left, upper, right, lower = probe.getbbox()
    return left - font.size, upper - font.size, right - font.size, lower - font.size


def draw_text_centred(draw, centre, text, font, fill):
    left, upper, right, lower = ink_box(text, font)
    x = centre[0] - (left + right) / 2
    y = centre[1] - (upper + lower) / 2
    draw.text((x, y), text, font=font, fill=fill)


# ---------------------------------------------------------------- gradients

def black_gradient():
    return vertical_gradient((21, 1024), [(0.0, (58, 60, 66)), (0.55, (22, 23, 26)),
                                          (1.0, (0, 0, 0))])


def white_gradient():
    return vertical_gradient((92, 162), [(0.0, (255, 255, 255)), (0.6, (236, 239, 243)),
                                         (1.0, (208, 214, 222))])


# ---------------------------------------------------------------- protected desktop

def protected_desktop():
    scale = 2
    width, height = 1024 * scale, 768 * scale
    image = vertical_gradient((width, height), [(0.0, (24, 31, 48)), (1.0, (5, 7, 13))])
    image = image.convert("RGBA")

    # A soft glow behind the padlock.
    glow_mask = Image.new("L", (width, height), 0)
    centre_x, centre_y = width // 2, 330 * scale
    ImageDraw.Draw(glow_mask).ellipse(
        (centre_x - 300 * scale, centre_y - 260 * scale, centre_x + 300 * scale,
         centre_y + 260 * scale), fill=90)
    glow_mask = glow_mask.filter(ImageFilter.GaussianBlur(120 * scale))
    image.alpha_composite(coloured((width, height), (52, 92, 150), glow_mask))

    body = (centre_x - 120 * scale, centre_y - 40 * scale, centre_x + 120 * scale,
            centre_y + 150 * scale)
    shackle_radius, shackle_width = 78 * scale, 30 * scale

    # Shadow of the whole padlock.
    shadow = Image.new("L", (width, height), 0)
    shadow_draw = ImageDraw.Draw(shadow)
    offset = 14 * scale
    shadow_draw.rounded_rectangle(tuple(v + offset for v in body), 30 * scale, fill=150)
    shadow = shadow.filter(ImageFilter.GaussianBlur(18 * scale))
    image.alpha_composite(coloured((width, height), (0, 0, 0), shadow))

    # Shackle: a thick arch whose legs go down into the body.
    shackle = Image.new("L", (width, height), 0)
    shackle_draw = ImageDraw.Draw(shackle)
    top = body[1] - shackle_radius - 50 * scale
    outer = shackle_radius + shackle_width // 2
    arch_box = (centre_x - outer, top, centre_x + outer, top + 2 * outer)
    shackle_draw.arc(arch_box, 180, 360, fill=255, width=shackle_width)
    leg_top = top + outer
    for side in (-1, 1):
        leg_x = centre_x + side * (outer - shackle_width // 2)
        shackle_draw.rectangle((leg_x - shackle_width // 2, leg_top, leg_x + shackle_width // 2,
                                body[1] + 10 * scale), fill=255)
    metal = gradient_fill((width, height), (214, 222, 236), (120, 132, 156),
                          (0, top, width, body[1]))
    image.alpha_composite(clipped(metal, shackle))

    # Body with a bevelled rim and a keyhole.
    body_mask = Image.new("L", (width, height), 0)
    ImageDraw.Draw(body_mask).rounded_rectangle(body, 30 * scale, fill=255)
    image.alpha_composite(clipped(gradient_fill((width, height), (176, 190, 214), (82, 96, 124),
                                                body), body_mask))
    inner_mask = Image.new("L", (width, height), 0)
    inset = 10 * scale
    ImageDraw.Draw(inner_mask).rounded_rectangle(
        (body[0] + inset, body[1] + inset, body[2] - inset, body[3] - inset), 22 * scale, fill=255)
    image.alpha_composite(clipped(gradient_fill((width, height), (140, 156, 184), (98, 112, 142),
                                                body), inner_mask))

    keyhole = Image.new("L", (width, height), 0)
    key_draw = ImageDraw.Draw(keyhole)
    key_y = centre_y + 40 * scale
    key_draw.ellipse((centre_x - 24 * scale, key_y - 24 * scale, centre_x + 24 * scale,
                      key_y + 24 * scale), fill=255)
    key_draw.polygon([(centre_x - 11 * scale, key_y), (centre_x + 11 * scale, key_y),
                      (centre_x + 17 * scale, key_y + 68 * scale),
                      (centre_x - 17 * scale, key_y + 68 * scale)], fill=255)
    image.alpha_composite(coloured((width, height), (20, 26, 40), keyhole))

    # The caption, with a thin rule between it and the padlock.
    draw = ImageDraw.Draw(image)
    rule_y = 545 * scale
    for x in range(centre_x - 200 * scale, centre_x + 200 * scale, scale):
        fade = 1 - abs(x - centre_x) / (200 * scale)
        draw.line((x, rule_y, x + scale, rule_y), fill=mix((24, 31, 48), (96, 120, 160), fade),
                  width=scale)
    font = ImageFont.truetype(BOOK_FONT, 58 * scale)
    draw_text_centred(draw, (centre_x, 610 * scale), "Private desktop", font, (206, 216, 234))
    return shrink(image, scale).convert("RGB")


# ---------------------------------------------------------------- buttons

BUTTON = 64
BUTTON_SCALE = 4


def rotate_glyph(size, centre, radius):
    mask = Image.new("L", size, 0)
    draw = ImageDraw.Draw(mask)
    r = radius * 0.50
    stroke = radius * 0.17
    outer = r + stroke / 2
    end = 250  # degrees, clockwise from three o'clock; the arrow points into the gap
    draw.arc((centre - outer, centre - outer, centre + outer, centre + outer), -45, end,
             fill=255, width=round(stroke))
    angle = math.radians(end - 4)
    point = (centre + r * math.cos(angle), centre + r * math.sin(angle))
    tangent = (-math.sin(angle), math.cos(angle))
    normal = (math.cos(angle), math.sin(angle))
    head, half = radius * 0.30, radius * 0.24
    draw.polygon([(point[0] + tangent[0] * head, point[1] + tangent[1] * head),
                  (point[0] + normal[0] * half, point[1] + normal[1] * half),
                  (point[0] - normal[0] * half, point[1] - normal[1] * half)], fill=255)
    return mask


def pointer_glyph(size, centre, radius):
    # A mouse arrow, tip at the top left, in units of its own grid.
    outline = [(0, 0), (0, 16.5), (4, 12.8), (6.9, 19.2), (9.6, 18), (6.8, 11.7), (12, 11.7)]
    unit = radius * 0.055
    width = 12 * unit
    height = 19.2 * unit
    left, upper = centre - width / 2 - unit * 0.6, centre - height / 2
    points = [(left + x * unit, upper + y * unit) for x, y in outline]
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).polygon(points, fill=255)
    return mask, points


def digit_glyph(size, centre, radius, digit):
    mask = Image.new("L", size, 0)
    font = ImageFont.truetype(BOLD_FONT, round(radius * 1.05))
    draw_text_centred(ImageDraw.Draw(mask), (centre, centre), str(digit), font, 255)
    return mask


def glass_button(glyph, over):
    scale = BUTTON_SCALE
    size = (BUTTON * scale, BUTTON * scale)
    centre = BUTTON * scale / 2
    radius = 27 * scale
    image = Image.new("RGBA", size, (0, 0, 0, 0))

    def circle(r, dy=0.0):
        return (centre - r, centre - r + dy, centre + r, centre + r + dy)

    shadow = Image.new("L", size, 0)
    ImageDraw.Draw(shadow).ellipse(circle(radius, 1.5 * scale), fill=130)
    image.alpha_composite(coloured(size, (0, 0, 0), shadow.filter(ImageFilter.GaussianBlur(
        2 * scale))))
    if over:
        halo = Image.new("L", size, 0)
        ImageDraw.Draw(halo).ellipse(circle(radius + 2 * scale), fill=150)
        image.alpha_composite(coloured(size, (110, 190, 255), halo.filter(
            ImageFilter.GaussianBlur(2.5 * scale))))

    body = Image.new("L", size, 0)
    ImageDraw.Draw(body).ellipse(circle(radius), fill=255)
    box = tuple(round(v) for v in circle(radius))
    top, bottom = ((70, 140, 225), (16, 52, 118)) if over else ((52, 84, 132), (12, 24, 50))
    image.alpha_composite(clipped(gradient_fill(size, top, bottom, box), body))

    # Light gathering in the lower half, as in a glass marble.
    glow = Image.new("L", size, 0)
    ImageDraw.Draw(glow).ellipse((centre - radius * 0.75, centre + radius * 0.15,
                                  centre + radius * 0.75, centre + radius * 1.05),
                                 fill=150 if over else 95)
    glow = glow.filter(ImageFilter.GaussianBlur(5 * scale))
    image.alpha_composite(clipped(coloured(size, (120, 190, 255), glow), body))

    # Glyph with a soft drop shadow.
    glyph_shadow = glyph.filter(ImageFilter.GaussianBlur(1.2 * scale))
    glyph_shadow = Image.eval(glyph_shadow, lambda v: v * 150 // 255)
    image.alpha_composite(coloured(size, (0, 0, 0), glyph_shadow), (0, round(1.2 * scale)))
    image.alpha_composite(coloured(size, (255, 255, 255) if over else (226, 234, 246), glyph))

    # Gloss over the upper half.
    gloss_mask = Image.new("L", size, 0)
    ImageDraw.Draw(gloss_mask).ellipse((centre - radius * 0.80, centre - radius * 0.94,
                                        centre + radius * 0.80, centre + radius * 0.12), fill=255)
    gloss = Image.new("RGBA", size, (255, 255, 255, 0))
    fade = vertical_gradient((1, size[1]), [(0.0, (0, 0, 0)), (0.06, (120, 0, 0)),
                                            (0.5, (12, 0, 0)), (1.0, (0, 0, 0))])
    gloss.putalpha(fade.getchannel("R").resize(size))
    if over:
        gloss.putalpha(Image.eval(gloss.getchannel("A"), lambda v: min(255, v * 5 // 4)))
    image.alpha_composite(clipped(clipped(gloss, gloss_mask), body))

    # Rim: a light inner line and a dark outer line, so the button stands out on
    # light and dark backgrounds alike.
    rim = Image.new("RGBA", size, (0, 0, 0, 0))
    rim_draw = ImageDraw.Draw(rim)
    rim_draw.ellipse(circle(radius + 0.75 * scale), outline=(8, 14, 28, 190),
                     width=round(1.5 * scale))
    rim_draw.ellipse(circle(radius - 0.25 * scale),
                     outline=(190, 225, 255, 230) if over else (150, 180, 225, 170),
                     width=round(1.0 * scale))
    image.alpha_composite(rim)
    return shrink(image, scale)


def buttons():
    scale = BUTTON_SCALE
    size = (BUTTON * scale, BUTTON * scale)
    centre = BUTTON * scale / 2
    radius = 27 * scale
    glyphs = {"rotate": rotate_glyph(size, centre, radius)}
    pointer_mask, points = pointer_glyph(size, centre, radius)
    glyphs["pointer"] = pointer_mask
    for digit in range(1, 7):
        glyphs["button%d" % digit] = digit_glyph(size, centre, radius, digit)
    result = {}
    for name, glyph in glyphs.items():
        for state in ("normal", "over"):
            result["%s_%s.png" % (name, state)] = glass_button(glyph, state == "over")
    return result


# ---------------------------------------------------------------- sky boxes

SKY_FACE = 512
SKY_GRID = 256  # the smooth sky is computed on this grid and scaled up

# Each face as the cube point at its centre and the directions in which the
# picture's u (rightwards) and v (downwards) grow, matching the cube table:
# a texel at (u, v) shows the direction centre + (2u - 1) * U + (2v - 1) * V.
SKY_FACES = {
    "front": ((0, 0, -1), (1, 0, 0), (0, -1, 0)),
    "right": ((1, 0, 0), (0, 0, 1), (0, -1, 0)),
    "back": ((0, 0, 1), (-1, 0, 0), (0, -1, 0)),
    "left": ((-1, 0, 0), (0, 0, -1), (0, -1, 0)),
    "top": ((0, 1, 0), (1, 0, 0), (0, 0, -1)),
    "bottom": ((0, -1, 0), (1, 0, 0), (0, 0, 1)),
}


def direction(face, u, v):
    centre, right, down = SKY_FACES[face]
    a, b = 2 * u - 1, 2 * v - 1
    x, y, z = (c + a * r + b * d for c, r, d in zip(centre, right, down))
    length = math.sqrt(x * x + y * y + z * z)
    return x / length, y / length, z / length


def face_position(face, d):
    """Where direction d meets the face, as (u, v), or None when it does not."""
    centre, right, down = SKY_FACES[face]
    along = sum(p * q for p, q in zip(d, centre))
    if along <= 0:
        return None
    point = tuple(p / along for p in d)
    a = sum(p * q for p, q in zip(point, right))
    b = sum(p * q for p, q in zip(point, down))
    return (a + 1) / 2, (b + 1) / 2


class ValueNoise:
    """Smooth lattice noise in two or three dimensions, values 0 to 1."""

    def __init__(self, seed):
        generator = random.Random(seed)
        self.values = [generator.random() for _ in range(256)]
        self.permutation = list(range(256))
        generator.shuffle(self.permutation)
        self.permutation += self.permutation

    def lattice(self, i, j, k):
        p = self.permutation
        return self.values[p[p[p[i & 255] + (j & 255)] + (k & 255)]]

    def sample(self, x, y, z=0.0):
        i, j, k = math.floor(x), math.floor(y), math.floor(z)
        fx, fy, fz = x - i, y - j, z - k
        sx, sy, sz = (f * f * (3 - 2 * f) for f in (fx, fy, fz))
        n = self.lattice

        def lerp(a, b, t):
            return a + (b - a) * t

        x00 = lerp(n(i, j, k), n(i + 1, j, k), sx)
        x10 = lerp(n(i, j + 1, k), n(i + 1, j + 1, k), sx)
        x01 = lerp(n(i, j, k + 1), n(i + 1, j, k + 1), sx)
        x11 = lerp(n(i, j + 1, k + 1), n(i + 1, j + 1, k + 1), sx)
        return lerp(lerp(x00, x10, sy), lerp(x01, x11, sy), sz)

    def fractal(self, x, y, z=0.0, octaves=5):
        total, amplitude, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += amplitude * self.sample(x, y, z)
            norm += amplitude
            amplitude *= 0.5
            x, y, z = x * 2.03 + 17.1, y * 2.03 + 3.7, z * 2.03 + 9.2
        return total / norm


def smooth_face(face, colour_of):
    """The face evaluated on a coarse grid whose outer samples lie on the edges,
    scaled so that every texel centre interpolates the grid at its own (u, v)."""
    grid = Image.new("RGB", (SKY_GRID + 1, SKY_GRID + 1))
    pixels = grid.load()
    for j in range(SKY_GRID + 1):
        for i in range(SKY_GRID + 1):
            pixels[i, j] = colour_of(direction(face, i / SKY_GRID, j / SKY_GRID))
    return grid.resize((SKY_FACE, SKY_FACE), Image.BICUBIC,
                       box=(0.5, 0.5, SKY_GRID + 0.5, SKY_GRID + 0.5))


def daylight_colour(clouds, sun):
    zenith, horizon = (38, 96, 178), (196, 220, 240)
    haze, sea_deep = (168, 192, 212), (34, 66, 102)

    def colour(d):
        x, y, z = d
        if y >= 0:
            sky = mix(horizon, zenith, min(1.0, y ** 0.55))
            glow = max(0.0, x * sun[0] + y * sun[1] + z * sun[2]) ** 24
            sky = mix(sky, (255, 248, 228), 0.55 * glow)
            # Clouds lie on a flat layer overhead: project the direction onto it.
            fade = smoothstep(0.03, 0.30, y)
            if fade > 0:
                px, pz = x / y * 0.9, z / y * 0.9
                density = clouds.fractal(px + 40, pz + 40, 0.5)
                cover = smoothstep(0.50, 0.72, density) * fade
                if cover > 0:
                    shade = smoothstep(0.5, 0.8, clouds.fractal(px + 40.3, pz + 39.8, 0.5))
                    cloud = mix((252, 252, 255), (196, 204, 218), shade * 0.7)
                    sky = mix(sky, cloud, cover * 0.92)
            return sky
        depth = min(1.0, (-y) ** 0.45)
        return mix(haze, sea_deep, depth)

    return colour


def starfield_colour(nebula):
    deep, band_colour, violet = (3, 5, 14), (34, 40, 66), (40, 22, 58)
    # The galaxy's band lies along the great circle whose pole is this axis.
    axis = (0.35, 0.80, -0.48)
    norm = math.sqrt(sum(a * a for a in axis))
    axis = tuple(a / norm for a in axis)

    def colour(d):
        x, y, z = d
        off_band = abs(x * axis[0] + y * axis[1] + z * axis[2])
        band = math.exp(-(off_band / 0.22) ** 2)
        texture = nebula.fractal(x * 2.5 + 7, y * 2.5 + 7, z * 2.5 + 7)
        strength = band * smoothstep(0.30, 0.75, texture)
        tint = smoothstep(0.55, 0.80, nebula.fractal(x * 1.7 + 31, y * 1.7 + 5, z * 1.7 + 11))
        base = mix(deep, violet, 0.5 * tint * (1 - band))
        return mix(base, band_colour, min(1.0, strength * 1.3))

    return colour


STAR_TINTS = [(170, 196, 255), (220, 230, 255), (255, 255, 255), (255, 244, 220),
              (255, 214, 170)]


def add_stars(faces, seed, count):
    generator = random.Random(seed)
    light = {name: [0.0] * (SKY_FACE * SKY_FACE * 3) for name in faces}
    for _ in range(count):
        # Uniform over the sphere.
        z = generator.uniform(-1, 1)
        angle = generator.uniform(0, 2 * math.pi)
        ring = math.sqrt(1 - z * z)
        d = (ring * math.cos(angle), ring * math.sin(angle), z)
        brightness = 0.25 + 1.6 * generator.random() ** 6
        sigma = 0.55 + 0.45 * brightness
        tint = generator.choice(STAR_TINTS)
        reach = math.ceil(3 * sigma)
        for name in faces:
            position = face_position(name, d)
            if position is None:
                continue
            cx, cy = position[0] * SKY_FACE - 0.5, position[1] * SKY_FACE - 0.5
            if not (-reach <= cx <= SKY_FACE + reach and -reach <= cy <= SKY_FACE + reach):
                continue
            buffer = light[name]
            for py in range(max(0, math.floor(cy) - reach),
                            min(SKY_FACE, math.ceil(cy) + reach + 1)):
                for px in range(max(0, math.floor(cx) - reach),
                                min(SKY_FACE, math.ceil(cx) + reach + 1)):
                    weight = brightness * math.exp(-((px - cx) ** 2 + (py - cy) ** 2) /
                                                   (2 * sigma * sigma))
                    if weight < 0.004:
                        continue
                    index = (py * SKY_FACE + px) * 3
                    for channel in range(3):
                        buffer[index + channel] += weight * tint[channel]
    for name, image in faces.items():
        data = bytearray(image.tobytes())
        buffer = light[name]
        for index in range(len(data)):
            data[index] = min(255, round(data[index] + buffer[index]))
        faces[name] = Image.frombytes("RGB", image.size, bytes(data))


def sky_boxes():
    themes = {}
    daylight = daylight_colour(ValueNoise(11), (0.42, 0.38, 0.82))
    themes["Daylight"] = {face: smooth_face(face, daylight) for face in SKY_FACES}
    starfield = {face: smooth_face(face, starfield_colour(ValueNoise(23))) for face in SKY_FACES}
    add_stars(starfield, 29, 5000)
    themes["Starfield"] = starfield
    return themes


# ---------------------------------------------------------------- main

def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "resources"
    effects = os.path.join(root, "effects")
    os.makedirs(effects, exist_ok=True)
    protected_desktop().save(os.path.join(effects, "protected_desktop.png"), optimize=True)
    black_gradient().save(os.path.join(effects, "black_gradient.jpg"), **JPEG_OPTIONS)
    white_gradient().save(os.path.join(effects, "white_gradient.jpg"), **JPEG_OPTIONS)
    for name, image in buttons().items():
        image.save(os.path.join(effects, name), optimize=True)
    for theme, faces in sky_boxes().items():
        folder = os.path.join(root, "skyboxes", theme)
        os.makedirs(folder, exist_ok=True)
        for face, image in faces.items():
            image.save(os.path.join(folder, "%s_%s.jpg" % (theme, face)), **JPEG_OPTIONS)


if __name__ == "__main__":
    main()
