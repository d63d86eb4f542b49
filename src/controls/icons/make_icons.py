#!/usr/bin/env python3
"""Draws the two face icons of the search bar's buttons as RGBA PNG files.

136.png (16 x 16): a magnifier, for the Search button.
137.png (28 x 28): two overlapping pages, for the copy button.
Each is drawn again at twice the pixels (136@2x.png, 137@2x.png) for screens of twice the
density: the shapes are sampled at each size, not scaled.

The PNGs are checked in; run this again only to change the drawings:
    python3 make_icons.py   (writes next to this script)
Standard library only: shapes are sampled 4 x 4 per pixel and written with zlib.
"""

import math
import os
import struct
import zlib

SAMPLES = 4


def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples, top row first."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(chunk(b"IEND", b""))


def render(width, height, layers, scale=1):
    """layers: functions (x, y) -> (r, g, b) or None, painted in order, last on top, on a
    width x height picture drawn with scale x scale pixels per unit."""
    rows = []
    for py in range(height * scale):
        row = []
        for px in range(width * scale):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / scale
                    y = (py + (sy + 0.5) / SAMPLES) / scale
                    colour = None
                    for layer in layers:
                        c = layer(x, y)
                        if c is not None:
                            colour = c
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1.0
            n = acc[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = round(255 * n / (SAMPLES * SAMPLES))
                row.append((round(acc[0] / n), round(acc[1] / n), round(acc[2] / n), alpha))
        rows.append(row)
    return rows


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def magnifier(scale):
    cx, cy, outer, inner = 6.4, 6.4, 5.6, 4.0
    ring = (38, 44, 70)
    handle = (92, 56, 24)

    def glass(x, y):
        d = math.hypot(x - cx, y - cy)
        if d > inner:
            return None
        # light from the top left
        shade = max(0.0, min(1.0, ((x - cx) + (y - cy)) / (2 * inner) + 0.5))
        return (int(225 - 60 * shade), int(240 - 45 * shade), 255)

    def glint(x, y):
        return (255, 255, 255) if math.hypot(x - 4.6, y - 4.4) < 1.2 else None

    def rim(x, y):
        d = math.hypot(x - cx, y - cy)
        return ring if inner <= d <= outer else None

    def grip(x, y):
        return handle if segment_distance(x, y, 10.6, 10.6, 14.6, 14.6) <= 1.5 else None

    return render(16, 16, [grip, glass, glint, rim], scale)


def pages(scale):
    outline = (48, 52, 78)
    paper_back = (226, 230, 240)
    paper_front = (255, 255, 255)
    text = (110, 130, 170)

    def page(left, top, right, bottom, fill, fold):
        def layer(x, y):
            if not (left <= x <= right and top <= y <= bottom):
                return None
            # a dog-eared top-right corner
            if (x - (right - fold)) + (top + fold - y) > fold + 0.0 and x > right - fold \
                    and y < top + fold:
                edge = (x - (right - fold)) - (y - top)
                if edge > 0.9:
                    return None
                if edge > -0.9:
                    return outline
            if x < left + 1.2 or x > right - 1.2 or y < top + 1.2 or y > bottom - 1.2:
                return outline
            if x > right - fold and y < top + fold and (x - (right - fold)) - (y - top) > -2.0:
                return outline
            return fill
        return layer

    def lines(left, right, top, count, gap):
        def layer(x, y):
            for i in range(count):
                ly = top + i * gap
                short = 4 if i == count - 1 else 0
                if ly <= y <= ly + 1.0 and left <= x <= right - short:
                    return text
            return None
        return layer

    back = page(2, 1, 18, 21, paper_back, 5)
    back_text = lines(5, 13, 6, 4, 3)
    front = page(9, 7, 25, 27, paper_front, 5)
    front_text = lines(12, 22, 13, 4, 3)
    return render(28, 28, [back, back_text, front, front_text], scale)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for scale, suffix in ((1, ""), (2, "@2x")):
        write_png(os.path.join(here, "136%s.png" % suffix), 16 * scale, 16 * scale,
                  magnifier(scale))
        write_png(os.path.join(here, "137%s.png" % suffix), 28 * scale, 28 * scale,
                  pages(scale))


if __name__ == "__main__":
    main()
