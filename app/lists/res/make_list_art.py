#!/usr/bin/env python3
"""Draws the lists' artwork: the drop cursor (an arrow carrying a small
picture) and the 7 x 7 mark of photos in use (a green dot). Run from this
folder; the files are checked in beside it."""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', '..', 'surface', 'res'))
import make_cursors as cur  # noqa: E402


def drop_cursor():
    g = cur.blank()
    cur.arrow(g)
    for y in range(16, 27):
        for x in range(14, 28):
            edge = y in (16, 26) or x in (14, 27)
            cur.put(g, x, y, '#' if edge else 'o')
    for x in range(17, 25):
        cur.put(g, x, 21, '#')
    cur.write_cur('drop.cur', g, (0, 0))


def used_mark():
    size = 7
    stride = (size * 3 + 3) & ~3
    rows = []
    for y in range(size - 1, -1, -1):
        row = b''
        for x in range(size):
            inside = (x - 3) ** 2 + (y - 3) ** 2 <= 9
            row += bytes((0x20, 0xA0, 0x20)) if inside else bytes((0xCB, 0xDC, 0xF9))
        rows.append(row + b'\0' * (stride - len(row)))
    pixels = b''.join(rows)
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open('used_mark.bmp', 'wb') as f:
        f.write(header + info + pixels)


if __name__ == '__main__':
    drop_cursor()
    used_mark()
