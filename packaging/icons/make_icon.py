#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's icon: a 32 x 32 indexed-colour PNG and an SVG of the same
picture. The window in miniature: the orange title, the white strip of digit
boxes reading 3 1 ?, and the green and red counters on the lavender ground.

Run from this folder: ./make_icon.py  (writes 32x32/ and scalable/)."""

import struct
import zlib

NAME = "chislova-redica"
SIZE = 32

PALETTE = {
    ".": (192, 192, 255),  # window ground
    "b": (64, 64, 160),  # edge
    "o": (255, 192, 128),  # title
    "w": (255, 255, 255),  # digit strip
    "k": (0, 0, 0),  # digits
    "r": (255, 0, 0),  # unknown digit, wrong counter
    "g": (0, 255, 0),  # correct counter
}

GLYPHS = {
    "3": [".#####.", "##...##", ".....##", ".....##", "..####.", "..####.",
          ".....##", ".....##", "##...##", "##...##", ".#####."],
    "1": ["...##..", "..###..", ".####..", "...##..", "...##..", "...##..",
          "...##..", "...##..", "...##..", "...##..", ".######"],
    "?": [".#####.", "##...##", ".....##", "....##.", "...##..", "...##..",
          "...##..", ".......", ".......", "...##..", "...##.."],
}


def draw():
    rows = [["."] * SIZE for _ in range(SIZE)]

    def fill(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                rows[y][x] = c

    fill(0, 0, SIZE - 1, 0, "b")
    fill(0, SIZE - 1, SIZE - 1, SIZE - 1, "b")
    fill(0, 0, 0, SIZE - 1, "b")
    fill(SIZE - 1, 0, SIZE - 1, SIZE - 1, "b")
    fill(6, 2, 25, 5, "o")
    fill(2, 8, 29, 24, "w")
    for glyph, x0, colour in (("3", 4, "k"), ("1", 12, "k"), ("?", 21, "r")):
        for dy, line in enumerate(GLYPHS[glyph]):
            for dx, cell in enumerate(line):
                if cell == "#":
                    rows[11 + dy][x0 + dx] = colour
    fill(3, 26, 13, 29, "g")
    fill(18, 26, 28, 29, "r")
    return rows


def write_png(rows, path):
    keys = list(PALETTE)
    # A full 256-entry palette: the image is stored as 256 colours.
    palette = [PALETTE[k] for k in keys] + [(0, 0, 0)] * (256 - len(keys))
    raw = b"".join(b"\x00" + bytes(keys.index(c) for c in row) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 3, 0, 0, 0)))
        f.write(chunk(b"PLTE", b"".join(bytes(c) for c in palette)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def write_svg(rows, path):
    rects = []
    for y, row in enumerate(rows):
        x = 0
        while x < SIZE:
            c = row[x]
            run = 1
            while x + run < SIZE and row[x + run] == c:
                run += 1
            if c != ".":
                r, g, b = PALETTE[c]
                rects.append(f'  <rect x="{x}" y="{y}" width="{run}" height="1" '
                             f'fill="#{r:02x}{g:02x}{b:02x}"/>')
            x += run
    r, g, b = PALETTE["."]
    with open(path, "w") as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" '
                'viewBox="0 0 32 32" shape-rendering="crispEdges">\n')
        f.write(f'  <rect width="32" height="32" fill="#{r:02x}{g:02x}{b:02x}"/>\n')
        f.write("\n".join(rects) + "\n</svg>\n")


if __name__ == "__main__":
    picture = draw()
    write_png(picture, f"32x32/{NAME}.png")
    write_svg(picture, f"scalable/{NAME}.svg")
