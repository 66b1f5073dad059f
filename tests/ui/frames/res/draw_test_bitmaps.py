#!/usr/bin/env python3
"""Toolbar bitmaps of known colours for the themed toolbar's tests: images of
16 by 15 pixels on silver (0xC0C0C0, the colour of pixel (0, 0)), each a
square of one colour with a two-pixel silver margin. toolbar.bmp has the four
images of the test toolbar's four buttons, short_toolbar.bmp only two."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
COLOURS = [(200, 40, 40), (40, 160, 40), (40, 40, 200), (200, 160, 0)]


def write_bmp(name, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        data += row + b"\0" * (row_size - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + data)


def image(x, y):
    inside = 2 <= x % 16 < 14 and 2 <= y < 13
    return COLOURS[x // 16] if inside else (192, 192, 192)


write_bmp("toolbar.bmp", 4 * 16, 15, image)
write_bmp("short_toolbar.bmp", 2 * 16, 15, image)
