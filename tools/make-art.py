#!/usr/bin/env python3
"""Draws the launcher's splash bitmap and program icon.

    python3 tools/make-art.py          # writes resources/splash.bmp and resources/orvane.ico

Run by a developer when the art changes; both outputs are committed.  The
output is the same on every run and every machine: everything is drawn here
from geometry (no fonts, no randomness), in the standard library only.

The picture is designed for 256 colours: the palette is built from the
picture's own parts (a background ramp, white over the background, amber over
the background, each at eight coverage levels), so every pixel is one exact
palette entry and a 256-colour display shows it unchanged.
"""

import math
import os
import struct

WIDTH, HEIGHT = 480, 350

# Background ramp stops (position, RGB): deep navy to a blue teal.
RAMP_STOPS = [(0.0, (8, 22, 46)), (0.55, (17, 58, 104)), (1.0, (30, 112, 140))]
WHITE = (255, 255, 255)
AMBER = (244, 166, 58)

RAMP_STEPS = 112      # background shades
MIX_BACKGROUNDS = 12  # background shades that white is mixed over
AMBER_BACKGROUNDS = 8
LEVELS = 8            # coverage levels: 1/8 .. 7/8 mixed, 8/8 the pure colour

RAMP_BASE = 0
WHITE_BASE = RAMP_BASE + RAMP_STEPS
WHITE_FULL = WHITE_BASE + MIX_BACKGROUNDS * (LEVELS - 1)
AMBER_BASE = WHITE_FULL + 1
AMBER_FULL = AMBER_BASE + AMBER_BACKGROUNDS * (LEVELS - 1)
assert AMBER_FULL < 256


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ramp_colour(t):
    for (t0, c0), (t1, c1) in zip(RAMP_STOPS, RAMP_STOPS[1:]):
        if t <= t1:
            return lerp(c0, c1, (t - t0) / (t1 - t0))
    return RAMP_STOPS[-1][1]


def build_palette():
    palette = [ramp_colour(i / (RAMP_STEPS - 1)) for i in range(RAMP_STEPS)]
    for colour, backgrounds in ((WHITE, MIX_BACKGROUNDS), (AMBER, AMBER_BACKGROUNDS)):
        for b in range(backgrounds):
            background = ramp_colour((b + 0.5) / backgrounds)
            for level in range(1, LEVELS):
                palette.append(lerp(background, colour, level / LEVELS))
        palette.append(colour)
    palette += [(0, 0, 0)] * (256 - len(palette))
    return palette


# ---------------------------------------------------------------------------
# Strokes: segments and circular arcs of a given width with round ends.  The
# coverage of a pixel is its distance to the centre line, antialiased over
# one pixel.  Coordinates: x right, y up from the baseline; angles in
# degrees, counter-clockwise from the positive x axis.

class Segment:
    def __init__(self, x0, y0, x1, y1):
        self.a, self.b = (x0, y0), (x1, y1)

    def distance(self, x, y):
        (ax, ay), (bx, by) = self.a, self.b
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy)

    def bounds(self):
        (ax, ay), (bx, by) = self.a, self.b
        return min(ax, bx), min(ay, by), max(ax, bx), max(ay, by)

    def moved(self, dx, dy, scale):
        (ax, ay), (bx, by) = self.a, self.b
        return Segment(dx + ax * scale, dy + ay * scale, dx + bx * scale, dy + by * scale)


class Arc:
    """From angle start, sweeping sweep degrees (negative: clockwise)."""

    def __init__(self, cx, cy, r, start, sweep):
        self.cx, self.cy, self.r, self.start, self.sweep = cx, cy, r, start, sweep

    def point(self, angle):
        a = math.radians(angle)
        return self.cx + self.r * math.cos(a), self.cy + self.r * math.sin(a)

    def distance(self, x, y):
        angle = math.degrees(math.atan2(y - self.cy, x - self.cx))
        low, span = (self.start, self.sweep) if self.sweep >= 0 else (self.start + self.sweep, -self.sweep)
        if (angle - low) % 360.0 <= span:
            return abs(math.hypot(x - self.cx, y - self.cy) - self.r)
        ends = (self.point(self.start), self.point(self.start + self.sweep))
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends)

    def bounds(self):
        return self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r

    def moved(self, dx, dy, scale):
        return Arc(dx + self.cx * scale, dy + self.cy * scale, self.r * scale, self.start, self.sweep)


def Circle(cx, cy, r):
    return Arc(cx, cy, r, 0, 360)


# A geometric lower-case alphabet on an x-height of 1, stroke centre lines
# kept half a stroke (HALF) inside the letter's box.  Each glyph: advance
# width (between centre-line extremes) and its strokes.
HALF = 0.09
BOWL = 0.5 - HALF


def glyph_O(cap):
    r = cap / 2 - HALF
    return 2 * r, [Circle(r, cap / 2, r)]


def glyph_S(cap):
    r = (cap - 2 * HALF) / 4
    return 2 * r * 0.95, [Arc(r, cap - HALF - r, r, 25, 245), Arc(r, HALF + r, r, 90, -250)]


def glyph_r():
    r = 0.36
    top = 1 - HALF
    return r * 1.5, [Segment(0, HALF, 0, top), Arc(r, top - r, r, 180, -120)]


def glyph_v():
    return 0.78, [Segment(0, 1 - HALF, 0.39, HALF), Segment(0.39, HALF, 0.78, 1 - HALF)]


def glyph_a():
    return 2 * BOWL, [Circle(BOWL, 0.5, BOWL), Segment(2 * BOWL, HALF, 2 * BOWL, 1 - HALF)]


def glyph_n():
    r = 0.37
    top = 1 - HALF
    return 2 * r, [Segment(0, HALF, 0, top), Arc(r, top - r, r, 180, -180), Segment(2 * r, top - r, 2 * r, HALF)]


def glyph_u():
    r = 0.37
    return 2 * r, [Segment(0, 1 - HALF, 0, HALF + r), Arc(r, HALF + r, r, 180, 180),
                   Segment(2 * r, 1 - HALF, 2 * r, HALF)]


def glyph_e():
    return 2 * BOWL, [Arc(BOWL, 0.5, BOWL, 0, 325), Segment(0, 0.5, 2 * BOWL, 0.5)]


def glyph_t():
    r = 0.3
    return 0.55, [Segment(0, 1.3, 0, HALF + r), Arc(r, HALF + r, r, 180, 120),
                  Segment(-0.2, 1 - HALF, 0.45, 1 - HALF)]


def glyph_p():
    return 2 * BOWL, [Segment(0, 1 - HALF, 0, -0.45), Circle(BOWL, 0.5, BOWL)]


LOWER = {"r": glyph_r, "v": glyph_v, "a": glyph_a, "n": glyph_n, "u": glyph_u, "e": glyph_e, "t": glyph_t,
         "p": glyph_p}
UPPER = {"O": glyph_O, "S": glyph_S}


def word_strokes(text, x_height, cap_ratio, gap):
    """Strokes of a word, scaled to pixels, with its centre-line width."""
    glyphs = []
    for ch in text:
        glyphs.append(UPPER[ch](cap_ratio) if ch in UPPER else LOWER[ch]())
    strokes, x = [], 0.0
    for i, (advance, parts) in enumerate(glyphs):
        left = min(p.bounds()[0] for p in parts)
        strokes += [p.moved(x - left * x_height, 0, x_height) for p in parts]
        x += (advance - left) * x_height
        if i + 1 < len(glyphs):
            x += gap * x_height
    return strokes, x


class Canvas:
    """Coverage of white and of amber per pixel, over a background shade."""

    def __init__(self):
        self.white = [[0.0] * WIDTH for _ in range(HEIGHT)]
        self.amber = [[0.0] * WIDTH for _ in range(HEIGHT)]

    def stroke(self, layer, shapes, ox, baseline, width, opacity=1.0):
        """Draws shapes (y up from baseline) at pixel origin (ox, baseline)."""
        half = width / 2
        for shape in shapes:
            x0, y0, x1, y1 = shape.bounds()
            left, right = int(ox + x0 - half - 1), int(ox + x1 + half + 2)
            top, bottom = int(baseline - y1 - half - 1), int(baseline - y0 + half + 2)
            for py in range(max(top, 0), min(bottom, HEIGHT)):
                row = layer[py]
                for px in range(max(left, 0), min(right, WIDTH)):
                    d = shape.distance(px + 0.5 - ox, baseline - (py + 0.5))
                    cover = max(0.0, min(1.0, half - d + 0.5)) * opacity
                    if cover > row[px]:
                        row[px] = cover

    def disc(self, layer, cx, cy, radius):
        self.stroke(layer, [Circle(0, 0, radius / 2)], cx, cy, radius)


def background_shade(x, y):
    """Where the pixel lies on the background ramp, 0 to 1."""
    t = 0.62 * y / HEIGHT + 0.22 * x / WIDTH
    # A soft light behind the emblem.
    glow = math.exp(-((x - 240) ** 2 + (y - 112) ** 2) / (2 * 95.0 ** 2))
    return max(0.0, min(1.0, t + 0.38 * glow))


def draw_splash():
    canvas = Canvas()
    # The emblem: a ring with an amber moon in a gap of it.
    cx, cy, ring = 240, 112, 38
    canvas.stroke(canvas.white, [Arc(0, 0, ring, 70, 310)], cx, cy, 8)
    moon = Arc(0, 0, ring, 45, 0).point(45)
    canvas.disc(canvas.amber, cx + moon[0], cy - moon[1], 15)

    # "Orvane", centred.
    strokes, width = word_strokes("Orvane", 40, 1.4, 0.22)
    canvas.stroke(canvas.white, strokes, (WIDTH - width) / 2, 236, 40 * 2 * HALF)

    # An amber rule, then "Setup", spaced and a little translucent.
    canvas.stroke(canvas.amber, [Segment(-22, 0, 22, 0)], WIDTH / 2, 257, 3)
    strokes, width = word_strokes("Setup", 17, 1.45, 0.5)
    canvas.stroke(canvas.white, strokes, (WIDTH - width) / 2, 292, 17 * 2 * HALF * 0.85, 0.82)
    return canvas


def pixel_index(shade, white, amber):
    """The palette entry of a background shade with white or amber over it."""
    level = round(white * LEVELS)
    amber_level = round(amber * LEVELS)
    if amber_level > level:
        if amber_level == LEVELS:
            return AMBER_FULL
        b = min(AMBER_BACKGROUNDS - 1, int(shade * AMBER_BACKGROUNDS))
        return AMBER_BASE + b * (LEVELS - 1) + amber_level - 1
    if level == LEVELS:
        return WHITE_FULL
    if level > 0:
        b = min(MIX_BACKGROUNDS - 1, int(shade * MIX_BACKGROUNDS))
        return WHITE_BASE + b * (LEVELS - 1) + level - 1
    return RAMP_BASE + round(shade * (RAMP_STEPS - 1))


def splash_rows():
    canvas = draw_splash()
    rows = []
    for y in range(HEIGHT):
        rows.append(bytes(pixel_index(background_shade(x, y), canvas.white[y][x], canvas.amber[y][x])
                          for x in range(WIDTH)))
    return rows


def colour_table(palette):
    return b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in palette)


def write_splash(path, palette):
    rows = splash_rows()
    # The resource is the file after its 14-byte file header: a 40-byte
    # header with biSizeImage and biClrUsed left 0, 256 colours, the rows
    # bottom-up, and two bytes of padding at the end.
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, 0, 11808, 11808, 0, 0)
    bits = b"".join(reversed(rows))
    body = info + colour_table(palette) + bits + b"\0\0"
    assert len(body) == 169066
    offset = 14 + 40 + 1024
    header = struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + body)


# ---------------------------------------------------------------------------
# The icon: the emblem on a rounded navy tile.

def icon_pixels(size):
    """Rows (top first) of (rgb, opaque) for an icon of size x size pixels."""
    scale = size / 48.0
    samples = 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc, inside = [0.0, 0.0, 0.0], 0
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) / scale
                    v = (y + (sy + 0.5) / samples) / scale
                    colour = icon_sample(u, v)
                    if colour is not None:
                        inside += 1
                        for i in range(3):
                            acc[i] += colour[i]
            opaque = inside * 2 >= samples * samples
            rgb = tuple(round(c / inside) for c in acc) if inside else (0, 0, 0)
            row.append((rgb, opaque))
        rows.append(row)
    return rows


def icon_sample(u, v):
    """Colour at a point of the 48-unit icon, or None outside the tile."""
    corner = 10.0
    qx, qy = max(abs(u - 24) - (24 - corner - 1), 0), max(abs(v - 24) - (24 - corner - 1), 0)
    if math.hypot(qx, qy) > corner:
        return None
    shade = max(0.0, min(1.0, 0.25 + 0.6 * v / 48 - 0.25 * math.exp(-((u - 24) ** 2 + (v - 24) ** 2) / 300)))
    colour = ramp_colour(1.0 - shade * 0.8)
    ring, moon_angle = 14.0, math.radians(45)
    mx, my = 24 + ring * math.cos(moon_angle), 24 - ring * math.sin(moon_angle)
    if math.hypot(u - mx, v - my) <= 5.5:
        return AMBER
    angle = math.degrees(math.atan2(24 - v, u - 24)) % 360
    if abs(math.hypot(u - 24, v - 24) - ring) <= 3.2 and not 22 <= angle <= 68:
        return WHITE
    return colour


def nearest(palette, rgb, cache):
    if rgb not in cache:
        cache[rgb] = min(range(len(palette)),
                         key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))
    return cache[rgb]


def icon_image(size, bits, palette, cache):
    rows = icon_pixels(size)
    mask_stride = (size + 31) // 32 * 4
    xor, mask = b"", b""
    for row in reversed(rows):  # bottom-up
        if bits == 8:
            line = bytes(nearest(palette, rgb, cache) for rgb, _ in row)
        else:
            line = b"".join(struct.pack("<3B", b, g, r) for (r, g, b), _ in row)
        xor += line + b"\0" * (-len(line) % 4)
        m = bytearray(mask_stride)
        for x, (_, opaque) in enumerate(row):
            if not opaque:
                m[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(m)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0, 0, 0)
    table = colour_table(palette) if bits == 8 else b""
    return info + table + xor + mask


# The six images, in the order of their resource ids 1 to 6, with the byte
# size each must have.
ICON_IMAGES = [(16, 8, 1384), (32, 24, 3240), (48, 24, 7336), (16, 24, 872), (48, 8, 3752), (32, 8, 2216)]


def write_icon(path, palette):
    cache = {}
    images = []
    for size, bits, expected in ICON_IMAGES:
        image = icon_image(size, bits, palette, cache)
        assert len(image) == expected, (size, bits, len(image))
        images.append((size, bits, image))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, image in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(directory + b"".join(image for _, _, image in images))


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    palette = build_palette()
    write_splash(os.path.join(root, "splash.bmp"), palette)
    write_icon(os.path.join(root, "orvane.ico"), palette)


if __name__ == "__main__":
    main()
