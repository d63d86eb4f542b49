#!/usr/bin/env python3
"""Draws the entry pane's two cursors as PNG files beside this script, 32 x 32 and at twice
the pixels for screens of twice the density (the "@2x" files).

word_hand.png: a plain pointing hand, black outline on white, finger tip at (6, 0).
paragraph_hand.png: a skin-coloured pointing hand with a blue cuff, finger tip at (12, 1).
The hands are outlines in a 32-unit square, sampled 4 x 4 per pixel at each size, so both
sizes are drawn, not scaled. Run it again after changing the pictures; the PNGs are checked in.
Standard library only.
"""
import math
import os
import struct
import zlib

SAMPLES = 4
SIZE = 32
OUTLINE = 1.0  # units of the 32-unit square

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
SKIN = (255, 224, 189)
SHADED_SKIN = (214, 170, 130)
CUFF = (40, 60, 170)
CUFF_SHADOW = (20, 30, 100)


def capsule(ax, ay, bx, by, radius):
    """Inside test of the points within `radius` of the segment a-b."""
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= radius
    return inside


def rounded_box(left, top, right, bottom, radius):
    def inside(x, y):
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return math.hypot(x - cx, y - cy) <= radius
    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


# The hand, finger tip at (6, 0): the index finger up, three bent fingers, the thumb out to
# the left, the palm below.
FINGERS = [
    capsule(6.0, 2.0, 6.0, 12.0, 2.0),     # index
    capsule(9.5, 7.0, 9.5, 12.0, 2.0),     # middle
    capsule(12.5, 8.0, 12.5, 12.0, 2.0),   # ring
    capsule(15.0, 9.5, 15.0, 12.5, 1.8),   # little
]
PALM = rounded_box(3.5, 10.0, 17.0, 20.5, 3.0)
THUMB = capsule(1.8, 11.2, 5.5, 15.5, 1.8)
HAND = union(*FINGERS, PALM, THUMB)
# The lines between the bent fingers, down to where the palm starts, each on a column of
# pixels at the smaller size.
CLEFTS = [(8.5, 7.5), (11.5, 8.5), (14.5, 10.0)]
PALM_TOP = 12.5


def on_outline(shape, x, y):
    """In the shape, within OUTLINE of its edge."""
    if not shape(x, y):
        return False
    for angle in range(0, 360, 30):
        a = math.radians(angle)
        if not shape(x + OUTLINE * math.cos(a), y + OUTLINE * math.sin(a)):
            return True
    return False


def in_cleft(x, y):
    return any(abs(x - cx) <= OUTLINE / 2 and top <= y <= PALM_TOP for cx, top in CLEFTS)


def word_hand(x, y):
    if not HAND(x, y):
        return None
    if on_outline(HAND, x, y) or in_cleft(x, y):
        return BLACK
    return WHITE


def paragraph_hand(x, y):
    # The same hand moved by (6, 1), its wrist in a cuff.
    hx, hy = x - 6.0, y - 1.0
    if 2.5 <= hx <= 18.0 and 18.0 <= hy <= 24.0:
        if hx < 3.5 or hx > 17.0 or hy < 19.0 or hy > 23.0:
            return BLACK
        if hy > 22.0:
            return CUFF_SHADOW
        if abs(hy - 20.5) < 0.8 and any(abs(hx - bx) < 0.8 for bx in (6.0, 9.5, 13.0)):
            return WHITE
        return CUFF
    if not HAND(hx, hy):
        return None
    if on_outline(HAND, hx, hy) or in_cleft(hx, hy):
        return BLACK
    # Shaded toward the right edge.
    return SHADED_SKIN if not HAND(hx + 1.6, hy) else SKIN


def render(picture, scale):
    pixels = SIZE * scale
    rows = []
    for py in range(pixels):
        row = []
        for px in range(pixels):
            acc = [0, 0, 0]
            count = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = picture((px + (sx + 0.5) / SAMPLES) / scale,
                                     (py + (sy + 0.5) / SAMPLES) / scale)
                    if colour is not None:
                        acc = [a + c for a, c in zip(acc, colour)]
                        count += 1
            if count == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(a / count) for a in acc)
                           + (round(255 * count / (SAMPLES * SAMPLES)),))
        rows.append(row)
    return rows


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


here = os.path.dirname(os.path.abspath(__file__))
for name, picture in (("word_hand", word_hand), ("paragraph_hand", paragraph_hand)):
    write_png(os.path.join(here, name + ".png"), render(picture, 1))
    write_png(os.path.join(here, name + "@2x.png"), render(picture, 2))
