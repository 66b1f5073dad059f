#!/usr/bin/env python3
"""Draws the menu icon strips as 24-bit BMP files (run from this folder).

menu_icons.bmp: 40 icons of 16 by 15 pixels for the menu commands, each a small
coloured glyph on the transparent colour 0xC0C0C0. selection_icons.bmp: six
16 by 16 icons for the kinds of objects a selection menu lists.
"""
import struct

TRANSPARENT = (0xC0, 0xC0, 0xC0)


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def glyph(index, x, y, size):
    """A frame, a disc or a bar in one of eight colours, by index."""
    palette = [(0x20, 0x40, 0xA0), (0xA0, 0x20, 0x20), (0x20, 0x80, 0x30), (0xC0, 0x80, 0x10),
               (0x60, 0x20, 0x90), (0x10, 0x80, 0x90), (0x50, 0x50, 0x50), (0xB0, 0x40, 0x80)]
    color = palette[index % 8]
    shape = (index // 8) % 5
    w, h = size
    cx, cy = w / 2 - 0.5, h / 2 - 0.5
    inside = 2 <= x < w - 2 and 2 <= y < h - 2
    if shape == 0:
        on = inside and (x in (2, w - 3) or y in (2, h - 3))
    elif shape == 1:
        on = (x - cx) ** 2 + (y - cy) ** 2 <= (min(w, h) / 2 - 2) ** 2
    elif shape == 2:
        on = inside and abs(y - cy) <= 2
    elif shape == 3:
        on = inside and abs(x - cx) <= 2
    else:
        on = inside and abs((x - cx) - (y - cy)) <= 1.5
    return color if on else TRANSPARENT


write_bmp('menu_icons.bmp', 40 * 16, 15, lambda x, y: glyph(x // 16, x % 16, y, (16, 15)))
write_bmp('selection_icons.bmp', 6 * 16, 16, lambda x, y: glyph(x // 16 * 9, x % 16, y, (16, 16)))
