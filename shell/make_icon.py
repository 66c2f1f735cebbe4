#!/usr/bin/env python3
"""Draws the program's icon, a small compass rose, at each size Windows and
the desktops ask for (16, 24, 32, 48 and 256 pixels), so that no size is
scaled from another, and writes them as one .ico: the small ones as 32-bit
BGRA bitmaps with an AND mask, the 256-pixel one as PNG (as Windows keeps
it). With --png SIZE it writes that size alone as a PNG (the launcher's).

Usage: python3 shell/make_icon.py shell/kurslotse.ico
       python3 shell/make_icon.py --png 256 kurslotse.png
"""
import math
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
# Each pixel is the mean of SUB x SUB samples: smooth edges without blur.
SUB = 4
# Sizes below this leave out the ticks: they would only smudge the face.
TICKS_FROM = 32

TRANSPARENT = (0, 0, 0, 0)
RIM = (40, 40, 40, 255)
FACE = (255, 255, 240, 255)
NORTH = (210, 30, 30, 255)
POINT = (30, 50, 140, 255)
TICK = (90, 90, 90, 255)


def colour_at(u, v, size):
    """Colour at (u, v), in units of the 32-pixel drawing (0..32, y down)."""
    dx, dy = u - 16.0, 16.0 - v
    r = math.hypot(dx, dy)
    # At least one whole pixel of rim at every size.
    rim = max(1.5, 32.0 / size)
    if r > 16.0:
        return TRANSPARENT
    if r > 16.0 - rim:
        return RIM
    ang = math.atan2(dx, dy)  # compass angle from north, clockwise
    k = round(ang / (math.pi / 2))
    off = abs(ang - k * math.pi / 2)
    star_r = 13.0
    if r <= star_r and r * math.sin(off) <= 3.4 * (1 - r / star_r) + 0.2:
        return NORTH if k % 4 == 0 else POINT
    deg = math.degrees(ang) % 360
    if size >= TICKS_FROM and r > 16.0 - rim - 2.5 and min(deg % 30, 30 - deg % 30) < 3.5:
        return TICK
    return FACE


def draw(size):
    """Rows of (r, g, b, a), top row first, premultiplied averaging."""
    rows = []
    scale = 32.0 / size
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUB):
                for sx in range(SUB):
                    u = (x + (sx + 0.5) / SUB) * scale
                    v = (y + (sy + 0.5) / SUB) * scale
                    r, g, b, a = colour_at(u, v, size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3] / (SUB * SUB)
            if acc[3] == 0:
                row.append(TRANSPARENT)
            else:
                row.append(tuple(int(round(c / acc[3])) for c in acc[:3]) + (int(round(a)),))
        rows.append(row)
    return rows


def bmp_image(rows):
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):  # bottom-up rows
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = bytearray()
    stride = (size + 31) // 32 * 4  # 1 bit per pixel, rows padded to 32 bits
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def png_image(rows):
    size = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for px in row:
            raw += bytes(px)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def write_ico(path):
    images = [png_image(draw(s)) if s >= 256 else bmp_image(draw(s)) for s in SIZES]
    ico = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for size, image in zip(SIZES, images):
        ico += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(ico + b"".join(images))


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--png":
        with open(sys.argv[3], "wb") as f:
            f.write(png_image(draw(int(sys.argv[2]))))
    elif len(sys.argv) == 2:
        write_ico(sys.argv[1])
    else:
        sys.exit(__doc__)
