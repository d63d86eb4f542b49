#!/usr/bin/env python3
"""Draws the entry pane's two 32 x 32 cursors as PNG files beside this script.

word_hand.png: a plain pointing hand, black on white, finger tip at (6, 0).
paragraph_hand.png: a shaded pointing hand with a cuff, finger tip at (12, 1).
Run it again after changing the pictures; the PNGs are checked in.
"""
import os
import struct
import zlib

HAND = [
    ".....KK.............",
    "....KWWK............",
    "....KWWK............",
    "....KWWK............",
    "....KWWK............",
    "....KWWKKK..........",
    "....KWWKWWKKK.......",
    "....KWWKWWKWWKK.....",
    "....KWWKWWKWWKWK....",
    ".KK.KWWKWWKWWKWWK...",
    "KWWKKWWWWWWWWWWWK...",
    "KWWWKWWWWWWWWWWWK...",
    ".KWWWWWWWWWWWWWWK...",
    ".KWWWWWWWWWWWWWWK...",
    "..KWWWWWWWWWWWWWK...",
    "..KWWWWWWWWWWWWK....",
    "...KWWWWWWWWWWWK....",
    "...KWWWWWWWWWWK.....",
    "....KWWWWWWWWWK.....",
    "....KWWWWWWWWWK.....",
    "....KKKKKKKKKKK.....",
]

CUFF = [
    "...KBBBBBBBBBBBK....",
    "...KBCCBCCBCCBBK....",
    "...KBBBBBBBBBBBK....",
    "...KDDDDDDDDDDDK....",
    "...KKKKKKKKKKKKK....",
]

COLOURS = {
    ".": (0, 0, 0, 0),
    "K": (0, 0, 0, 255),
    "W": (255, 255, 255, 255),
    "S": (255, 224, 189, 255),  # skin
    "H": (214, 170, 130, 255),  # shaded skin
    "B": (40, 60, 170, 255),    # cuff
    "C": (255, 255, 255, 255),  # cuff buttons
    "D": (20, 30, 100, 255),    # cuff shadow
}


def shade(rows):
    """Skin-coloured hand with a shaded right edge, for the coloured cursor."""
    out = []
    for row in rows:
        chars = list(row.replace("W", "S"))
        for i in range(1, len(chars)):
            if chars[i] == "K" and chars[i - 1] == "S":
                chars[i - 1] = "H"
        out.append("".join(chars))
    return out


def place(art, dx, dy):
    canvas = [["."] * 32 for _ in range(32)]
    for y, row in enumerate(art):
        for x, c in enumerate(row):
            if c != "." and 0 <= x + dx < 32 and 0 <= y + dy < 32:
                canvas[y + dy][x + dx] = c
    return canvas


def write_png(path, canvas):
    raw = b"".join(b"\x00" + bytes(v for c in row for v in COLOURS[c]) for row in canvas)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", 32, 32, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


here = os.path.dirname(os.path.abspath(__file__))
write_png(os.path.join(here, "word_hand.png"), place(HAND, 0, 0))
write_png(os.path.join(here, "paragraph_hand.png"), place(shade(HAND[:-1]) + CUFF, 6, 1))
