#!/usr/bin/env python3
"""Draws the program's icon, a small compass rose, and writes it as a
single-image 32 x 32 .ico (32-bit BGRA with an AND mask).

Usage: python3 shell/make_icon.py shell/kurslotse.ico
"""
import math
import struct
import sys

SIZE = 32
C = (SIZE - 1) / 2.0  # centre of the pixel grid

TRANSPARENT = (0, 0, 0, 0)
RIM = (40, 40, 40, 255)
FACE = (255, 255, 240, 255)
NORTH = (210, 30, 30, 255)
POINT = (30, 50, 140, 255)
TICK = (90, 90, 90, 255)


def in_star(x, y):
    """Colour of the four-pointed star at (x, y), or None outside it."""
    dx, dy = x - C, C - y  # y up
    r = math.hypot(dx, dy)
    if r < 0.5:
        return NORTH
    ang = math.atan2(dx, dy)  # compass angle from north, clockwise
    # Distance to the nearest main direction decides the star's width there.
    k = round(ang / (math.pi / 2))
    off = abs(ang - k * math.pi / 2)
    half_width = 3.2 * (1 - r / 12.5)
    if r <= 12.5 and r * math.sin(off) <= half_width:
        return NORTH if k == 0 else POINT
    return None


def pixel(x, y):
    r = math.hypot(x - C, y - C)
    if r > 15.5:
        return TRANSPARENT
    if r > 14.0:
        return RIM
    star = in_star(x, y)
    if star:
        return star
    # Ticks every 30 degrees just inside the rim.
    ang = math.degrees(math.atan2(x - C, C - y)) % 360
    if r > 11.5 and min(ang % 30, 30 - ang % 30) < 4:
        return TICK
    return FACE


def main(path):
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    xor = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        for r, g, b, a in rows[y]:
            xor += bytes((b, g, r, a))
    mask = bytearray()
    for y in reversed(range(SIZE)):  # 1 bit per pixel, rows padded to 32 bits
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if rows[y][x][3] == 0 else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    ico = struct.pack("<HHH", 0, 1, 1)
    ico += struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(ico + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "kurslotse.ico")
