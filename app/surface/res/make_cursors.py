#!/usr/bin/env python3
"""Draws the page surface's six cursors as 32x32 monochrome .cur files.

Run from this folder; the .cur files are checked in beside it. Each cursor is
drawn on a grid: '#' black, 'o' white, anything else transparent.
"""
import struct

SIZE = 32


def blank():
    return [[' '] * SIZE for _ in range(SIZE)]


def put(g, x, y, c):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        g[y][x] = c


ARROW = [
    "#",
    "##",
    "#o#",
    "#oo#",
    "#ooo#",
    "#oooo#",
    "#ooooo#",
    "#oooooo#",
    "#ooooooo#",
    "#oooooooo#",
    "#ooooo#####",
    "#oo#oo#",
    "#o# #oo#",
    "##  #oo#",
    "#    #oo#",
    "     #oo#",
    "      ##",
]


def arrow(g, ox=0, oy=0):
    for y, row in enumerate(ARROW):
        for x, c in enumerate(row):
            if c != ' ':
                put(g, ox + x, oy + y, c)


def plus(g, cx, cy, r=3, c='#'):
    for d in range(-r, r + 1):
        put(g, cx + d, cy, c)
        put(g, cx, cy + d, c)


def minus(g, cx, cy, r=3, c='#'):
    for d in range(-r, r + 1):
        put(g, cx + d, cy, c)


def magnifier(g):
    cx, cy, r = 12, 12, 8
    for y in range(SIZE):
        for x in range(SIZE):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 <= (r - 1) ** 2:
                put(g, x, y, 'o')
            elif d2 <= (r + 1) ** 2:
                put(g, x, y, '#')
    for i in range(8):
        for w in range(3):
            put(g, 18 + i + w, 18 + i, '#')


def hand(g):
    # Four fingers over a palm.
    for f in range(4):
        x0 = 8 + f * 4
        top = 6 if f in (1, 2) else 8
        for y in range(top, 18):
            put(g, x0, y, '#')
            put(g, x0 + 1, y, 'o')
            put(g, x0 + 2, y, 'o')
            put(g, x0 + 3, y, '#')
        put(g, x0 + 1, top - 1, '#')
        put(g, x0 + 2, top - 1, '#')
    for y in range(18, 27):
        for x in range(8, 24):
            put(g, x, y, 'o')
        put(g, 8, y, '#')
        put(g, 23, y, '#')
    for x in range(8, 24):
        put(g, x, 27, '#')


def band(g):
    arrow(g)
    for i in range(14, 31):
        if i % 2 == 0:
            for (x, y) in ((i, 14), (i, 30), (14, i), (30, i)):
                put(g, x, y, '#')


def write_cur(path, g, hotspot):
    xor_rows, and_rows = [], []
    for y in range(SIZE - 1, -1, -1):  # bottom-up rows
        xor_bits = and_bits = 0
        for x in range(SIZE):
            bit = 1 << (31 - x)
            c = g[y][x]
            if c == 'o':
                xor_bits |= bit
            elif c != '#':
                and_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<II', 0x00000000, 0x00FFFFFF)
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(directory + entry + image)


def main():
    g = blank(); magnifier(g); plus(g, 12, 12); write_cur('zoom_in.cur', g, (12, 12))
    g = blank(); magnifier(g); minus(g, 12, 12); write_cur('zoom_out.cur', g, (12, 12))
    g = blank(); band(g); write_cur('band.cur', g, (0, 0))
    g = blank(); arrow(g); plus(g, 22, 22, 4); write_cur('add.cur', g, (0, 0))
    g = blank(); arrow(g); write_cur('select.cur', g, (0, 0))
    g = blank(); hand(g); write_cur('hand.cur', g, (15, 16))


if __name__ == '__main__':
    main()
