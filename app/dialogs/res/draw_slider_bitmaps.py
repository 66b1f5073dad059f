#!/usr/bin/env python3
"""Draws the colour dialog's slider bitmaps (24-bit BMP files) into this folder.

channel.bmp / channel_active.bmp: a groove on the dialog's background colour,
empty and filled; thumb.bmp / thumb_active.bmp: a pointer on magenta, the
colour the slider makes transparent (it takes the colour of pixel (0, 0))."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
BACKGROUND = (0xCB, 0xDC, 0xF9)  # RGB of the dialog's brush
MAGENTA = (255, 0, 255)


def write_bmp(name, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # rows bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - width * 3)
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + data)


def channel(filled):
    width, height = 200, 20
    top, bottom = 8, 12

    def pixel(x, y):
        if y < top - 1 or y > bottom + 1 or x < 1 or x > width - 2:
            return BACKGROUND
        if y in (top - 1, bottom + 1) or x in (1, width - 2):
            return (0x70, 0x80, 0xA0)  # groove outline
        if filled:
            shade = 0x30 + 0x10 * (y - top)
            return (shade, shade + 0x40, 0xE0)
        return (0xFF, 0xFF, 0xFF)

    return width, height, pixel


def thumb(active):
    width, height = 11, 16
    body = (0xF0, 0xF4, 0xFF) if not active else (0xFF, 0xE0, 0x90)

    def pixel(x, y):
        # A box with a point at the bottom.
        half = width // 2
        if y >= height - half:
            inside = abs(x - half) <= (height - 1 - y)
        else:
            inside = True
        if y == 0 and x in (0, width - 1):
            inside = False  # rounded corners; (0, 0) names the transparent colour
        if not inside:
            return MAGENTA
        edge = x in (0, width - 1) or y == 0 or (y >= height - half and abs(x - half) == (height - 1 - y))
        if edge:
            return (0x30, 0x40, 0x70)
        return body

    return width, height, pixel


if __name__ == "__main__":
    write_bmp("channel.bmp", *channel(False))
    write_bmp("channel_active.bmp", *channel(True))
    write_bmp("thumb.bmp", *thumb(False))
    write_bmp("thumb_active.bmp", *thumb(True))
