#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's icon: a 32 x 32 indexed-colour PNG and an SVG of the same
picture, and the Windows icon file with it at 16, 32, 48 and 256 pixels. The
window in miniature: the orange title, the white strip of digit boxes reading
3 1 ?, and the green and red counters on the lavender ground.

Run from this folder: ./make_icon.py  (writes 32x32/, scalable/ and
../windows/chislova-redica.ico)."""

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


def resample(rows, size):
    """The picture at `size` pixels a side, each pixel the average of the part of
    the 32 x 32 picture it covers: whole multiples keep the edges sharp, 16 and 48
    soften them no more than they must."""
    scale = SIZE / size
    out = []
    for y in range(size):
        line = []
        for x in range(size):
            total, acc = 0.0, [0.0, 0.0, 0.0]
            y0, y1, x0, x1 = y * scale, (y + 1) * scale, x * scale, (x + 1) * scale
            for sy in range(int(y0), min(SIZE, int(-(-y1 // 1)))):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(SIZE, int(-(-x1 // 1)))):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    if w <= 0:
                        continue
                    for i, v in enumerate(PALETTE[rows[sy][sx]]):
                        acc[i] += w * v
                    total += w
            line.append(tuple(round(v / total) for v in acc))
        out.append(line)
    return out


def png_rgb(pixels):
    """A 24-bit PNG of rows of (r, g, b)."""
    size = len(pixels)
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(pixels):
    """An icon image as Windows stores the small sizes: a 32-bit bottom-up bitmap
    of twice the height (colour, then the all-opaque AND mask)."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, 255)) for row in reversed(pixels) for r, g, b in row)
    mask_row = ((size + 31) // 32) * 4
    return header + colour + bytes(mask_row * size)


def write_ico(rows, path):
    # The largest as PNG, as Windows keeps it since Vista; the rest as bitmaps.
    images = [(size, png_rgb(p) if size == 256 else dib(p))
              for size in (16, 32, 48, 256) for p in [resample(rows, size)]]
    offset = 6 + 16 * len(images)
    directory, data = b"", b""
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                                 offset + len(data))
        data += image
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + directory + data)


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
    write_ico(picture, f"../windows/{NAME}.ico")
