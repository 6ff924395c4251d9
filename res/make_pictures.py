#!/usr/bin/env python3
"""Draws the program's icon (32 x 32, 16 colours) and the launcher's picture (35 x 104,
24-bit): a bladder accumulator, a capsule-shaped steel vessel with its gas valve on top, the
oil port below and the oil level inside. Writes presovol.ico and accumulator.bmp beside this
script; run it again after changing the drawing."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The standard 16-colour palette (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRANSPARENT = None


def vessel(width, height, scale):
    """Answers a height x width grid of colours (RGB tuples or TRANSPARENT)."""
    grid = [[TRANSPARENT] * width for _ in range(height)]
    cx = (width - 1) / 2.0
    radius = 7.0 * scale
    top = 5.0 * scale
    bottom = height - 5.0 * scale
    oil_level = top + (bottom - top) * 0.55

    def inside(x, y, r):
        if y < top + r:
            return (x - cx) ** 2 + (y - (top + r)) ** 2 <= r * r
        if y > bottom - r:
            return (x - cx) ** 2 + (y - (bottom - r)) ** 2 <= r * r
        return abs(x - cx) <= r

    for y in range(height):
        for x in range(width):
            if inside(x, y, radius):
                if not inside(x, y, radius - 1.2 * scale):
                    grid[y][x] = (0, 0, 128)  # the steel shell
                elif y >= oil_level:
                    grid[y][x] = (128, 128, 0)  # oil
                elif abs(x - cx) < radius * 0.45:
                    grid[y][x] = (255, 255, 0)  # the gas bladder
                else:
                    grid[y][x] = (192, 192, 192)
    # Gas valve on top, oil port below.
    for y in range(0, int(top) + 1):
        for x in range(int(cx - 1.5 * scale + 0.5), int(cx + 1.5 * scale + 0.5) + 1):
            grid[y][x] = (128, 0, 0)
    for y in range(int(bottom), height):
        for x in range(int(cx - 2 * scale + 0.5), int(cx + 2 * scale + 0.5) + 1):
            grid[y][x] = (0, 0, 0)
    return grid


def nearest(colour):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE[i], colour)))


def write_icon(path):
    size = 32
    grid = vessel(size, size, 1.0)
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):  # bottom-up
        nibbles = [0 if c is TRANSPARENT else nearest(c) for c in grid[y]]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        bits = 0
        for x, c in enumerate(grid[y]):
            if c is TRANSPARENT:
                bits |= 1 << (31 - x)
        and_rows.append(struct.pack(">I", bits))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def write_bitmap(path):
    width, height = 35, 104
    grid = vessel(width, height, 2.2)
    face = (212, 208, 200)
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):
        row = b"".join(struct.pack("<BBB", *reversed(c if c else face)) for c in grid[y])
        rows.append(row + b"\0" * (stride - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(file_header + info + pixels)


if __name__ == "__main__":
    write_icon(os.path.join(HERE, "presovol.ico"))
    write_bitmap(os.path.join(HERE, "accumulator.bmp"))
