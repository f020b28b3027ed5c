#!/usr/bin/env python3
"""Draws the program's icon and writes it as a Windows .ico file.

The drawing: a white page with a folded corner and three lines of text, and a magnifying
glass over it (looking up what a file is). Sizes: 16 and 32 pixels in 256 colours for old
displays and the tray, 32, 48 and 256 pixels in full colour with transparency.

Usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys
import zlib

SUPERSAMPLE = 4


def colour_at(x, y):
    """The colour (r, g, b, a) of the drawing at (x, y) in a unit square, or None."""
    # Magnifying glass: a handle, a ring and a tinted lens, drawn over the page.
    lens_x, lens_y, lens_r = 0.62, 0.62, 0.20
    d = math.hypot(x - lens_x, y - lens_y)
    hx, hy = x - (lens_x + 0.14), y - (lens_y + 0.14)
    along = (hx + hy) / math.sqrt(2)
    across = abs(hx - hy) / math.sqrt(2)
    if 0 <= along <= 0.26 and across <= 0.055:
        return (150, 75, 20, 255)
    if lens_r - 0.05 <= d <= lens_r:
        return (40, 60, 150, 255)
    lens = d < lens_r - 0.05
    # The page with its folded corner.
    left, top, right, bottom, fold = 0.14, 0.06, 0.76, 0.94, 0.2
    on_page = left <= x <= right and top <= y <= bottom and (x - (right - fold)) <= (y - top)
    edge = 0.03
    if on_page:
        near_edge = (x - left < edge or right - x < edge or bottom - y < edge or y - top < edge
                     or abs((x - (right - fold)) - (y - top)) < edge * 0.8)
        if near_edge:
            colour = (90, 100, 120, 255)
        elif any(abs(y - line) < 0.028 and left + 0.08 <= x <= right - 0.1 - (0.12 if i == 2 else 0)
                 for i, line in enumerate((0.34, 0.48, 0.62))):
            colour = (30, 120, 220, 255)
        else:
            colour = (255, 255, 255, 255)
        if lens:
            colour = tuple(int(c * 0.75 + t * 0.25) for c, t in zip(colour[:3], (120, 200, 255))) + (255,)
        return colour
    if lens:
        return (170, 220, 255, 230)
    return None


def render(size):
    """Rows of (r, g, b, a) pixels, top row first, averaged over a supersampled grid."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c:
                        a = c[3]
                        acc[0] += c[0] * a
                        acc[1] += c[1] * a
                        acc[2] += c[2] * a
                        acc[3] += a
            alpha = acc[3] / (n * n)
            if acc[3]:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], int(round(alpha))))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def palette():
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    greys = [(v, v, v) for v in (int(i * 255 / 39) for i in range(40))]
    return cube + greys


def nearest(colour, pal):
    r, g, b = colour
    return min(range(len(pal)), key=lambda i: (pal[i][0] - r) ** 2 + (pal[i][1] - g) ** 2 + (pal[i][2] - b) ** 2)


def mask_rows(rows, size):
    stride = ((size + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def bitmap_header(size, bits, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def dib_256(rows, size):
    pal = palette()
    cache = {}
    stride = (size + 3) // 4 * 4
    pixels = b""
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            key = (r, g, b) if a >= 128 else (0, 0, 0)
            if key not in cache:
                cache[key] = nearest(key, pal)
            line[x] = cache[key]
        pixels += bytes(line)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    return bitmap_header(size, 8, 256) + table + pixels + mask_rows(rows, size)


def dib_32(rows, size):
    pixels = b"".join(struct.pack("<BBBB", b, g, r, a) for row in reversed(rows) for r, g, b, a in row)
    return bitmap_header(size, 32) + pixels + mask_rows(rows, size)


def png(rows, size):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = []
    for size, kind in ((16, 8), (32, 8), (16, 32), (32, 32), (48, 32), (256, 32)):
        rows = render(size)
        if size == 256:
            data = png(rows, size)
        else:
            data = dib_256(rows, size) if kind == 8 else dib_32(rows, size)
        images.append((size, kind, data))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, kind, data in images:
        dim = 0 if size == 256 else size  # 0 stands for 256; a colour count of 0 means 256 or more
        directory += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, kind, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + b"".join(data for _, _, data in images))


if __name__ == "__main__":
    main()
