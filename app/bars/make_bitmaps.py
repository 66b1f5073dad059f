#!/usr/bin/env python3
"""Draws the bars' bitmaps (4-bit BMP files beside this script):
toolbar.bmp  - the main toolbar's 27 buttons, 32 by 32, on light grey (0xC0C0C0);
strips.bmp   - the auto-hide strips' and library tabs' images, 16 by 16, on magenta.
Run it again after changing a glyph; the build only reads the files."""
import math
import os
import struct

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, GREY, DGREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(16)


class Canvas:
    def __init__(self, size, background):
        self.n = size
        self.px = [[background] * size for _ in range(size)]

    def dot(self, x, y, c):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, edge=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                border = edge is not None and (x in (x0, x1) or y in (y0, y1))
                self.dot(x, y, edge if border else fill)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            for dx in range(width):
                for dy in range(width):
                    self.dot(round(x) + dx, round(y) + dy, c)

    def poly(self, points, c):
        ys = [p[1] for p in points]
        for y in range(min(ys), max(ys) + 1):
            xs = []
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                if (ya <= y < yb) or (yb <= y < ya):
                    xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(math.ceil(a), math.floor(b) + 1):
                    self.dot(x, y, c)

    def circle(self, cx, cy, r, fill, edge=None):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                d = math.hypot(x - cx, y - cy)
                if d <= r + 0.3:
                    self.dot(x, y, edge if edge is not None and d > r - 1.2 else fill)


def page(c, x0=8, y0=4, x1=23, y1=27):
    c.rect(x0, y0, x1, y1, WHITE, BLACK)
    for y in range(y0 + 5, y1 - 2, 4):
        c.line(x0 + 3, y, x1 - 3, y, DGREY)


def arrow(c, left, cx=16, cy=16, col=NAVY):
    s = -1 if left else 1
    c.poly([(cx + 10 * s, cy - 3), (cx - 2 * s, cy - 3), (cx - 2 * s, cy - 8), (cx - 11 * s, cy),
            (cx - 2 * s, cy + 8), (cx - 2 * s, cy + 3), (cx + 10 * s, cy + 3)], col)


def glyph(name):
    c = Canvas(32, GREY)
    if name == 'new':
        page(c); c.poly([(18, 4), (23, 4), (23, 9)], GREY); c.line(18, 4, 23, 9, BLACK)
    elif name == 'open':
        c.poly([(3, 10), (12, 10), (14, 13), (28, 13), (28, 27), (3, 27)], OLIVE)
        c.poly([(7, 16), (31, 16), (27, 27), (3, 27)], YELLOW)
    elif name == 'save':
        c.rect(4, 4, 27, 27, NAVY, BLACK); c.rect(9, 5, 22, 13, WHITE); c.rect(10, 19, 21, 27, DGREY)
        c.rect(17, 21, 19, 25, GREY)
    elif name == 'close':
        page(c); c.line(11, 11, 20, 20, RED, 3); c.line(20, 11, 11, 20, RED, 3)
    elif name == 'cut':
        c.circle(10, 23, 4, GREY, BLACK); c.circle(21, 23, 4, GREY, BLACK)
        c.line(12, 19, 20, 4, DGREY, 2); c.line(19, 19, 11, 4, DGREY, 2)
    elif name == 'copy':
        page(c, 4, 3, 18, 22); page(c, 13, 9, 27, 28)
    elif name == 'paste':
        c.rect(5, 6, 22, 28, OLIVE, BLACK); c.rect(10, 3, 17, 8, DGREY, BLACK); page(c, 13, 12, 27, 29)
    elif name in ('undo', 'redo'):
        left = name == 'undo'
        for a in range(0, 181, 3):
            x = 16 + round(9 * math.cos(math.radians(a)))
            y = 18 - round(9 * math.sin(math.radians(a)))
            c.dot(x, y, NAVY); c.dot(x, y + 1, NAVY); c.dot(x + 1, y, NAVY)
        tip = 7 if left else 25
        c.poly([(tip - 5, 18), (tip + 5, 18), (tip, 25)], NAVY)
    elif name in ('first', 'prev', 'next', 'last'):
        left = name in ('first', 'prev')
        s = -1 if left else 1
        c.poly([(16 - 7 * s, 8), (16 + 7 * s, 16), (16 - 7 * s, 24)], DGREEN)
        if name in ('first', 'last'):
            c.rect(16 + 8 * s if s > 0 else 16 + 8 * s - 2, 8, (16 + 8 * s if s > 0 else 16 + 8 * s - 2) + 2, 24, DGREEN)
    elif name == 'select':
        c.poly([(9, 4), (9, 26), (14, 21), (18, 29), (21, 28), (17, 20), (24, 20)], WHITE)
        c.line(9, 4, 9, 26, BLACK); c.line(9, 4, 24, 20, BLACK); c.line(9, 26, 14, 21, BLACK)
    elif name == 'pan':
        for ang in range(4):
            dx, dy = [(0, -1), (1, 0), (0, 1), (-1, 0)][ang]
            c.line(16, 16, 16 + 11 * dx, 16 + 11 * dy, PURPLE, 2)
            tx, ty = 16 + 12 * dx, 16 + 12 * dy
            c.poly([(tx + 4 * dx, ty + 4 * dy), (tx - 4 * dy, ty - 4 * dx), (tx + 4 * dy, ty + 4 * dx)], PURPLE)
    elif name == 'zoom':
        c.circle(13, 13, 8, CYAN, BLACK); c.line(19, 19, 27, 27, BLACK, 3)
    elif name in ('group', 'ungroup'):
        c.rect(5, 5, 17, 17, RED, BLACK); c.rect(14, 14, 26, 26, BLUE, BLACK)
        if name == 'group':
            for i in range(2, 30, 3):
                c.dot(i, 2, BLACK); c.dot(i, 29, BLACK); c.dot(2, i, BLACK); c.dot(29, i, BLACK)
        else:
            c.line(3, 28, 28, 3, WHITE, 2)
    elif name in ('addtext', 'edittext'):
        c.rect(5, 5, 21, 8, BLACK); c.rect(11, 5, 14, 26, BLACK)
        if name == 'addtext':
            c.rect(20, 20, 29, 22, DGREEN); c.rect(24, 16, 26, 26, DGREEN)
        else:
            c.line(18, 28, 28, 18, OLIVE, 3); c.dot(17, 29, BLACK)
    elif name == 'colour':
        c.circle(12, 12, 7, RED); c.circle(20, 12, 7, GREEN); c.circle(16, 20, 7, BLUE)
    elif name == 'about':
        c.circle(16, 16, 12, BLUE)
        c.rect(14, 21, 17, 24, WHITE)
        for a in range(200, -91, -5):
            x = 16 + round(5 * math.cos(math.radians(a)))
            y = 12 - round(5 * math.sin(math.radians(a)))
            c.rect(x - 1, y - 1, x, y, WHITE)
        c.rect(14, 16, 17, 19, WHITE)
    return c


def strip_glyph(i):
    c = Canvas(16, MAGENTA)
    if i == 0:    # photos and pages
        c.rect(1, 3, 14, 12, WHITE, BLACK); c.poly([(3, 11), (7, 6), (10, 9), (12, 7), (13, 11)], DGREEN)
        c.circle(11, 5, 1, YELLOW)
    elif i == 1:  # frames
        c.rect(1, 1, 14, 14, OLIVE, BLACK); c.rect(4, 4, 11, 11, WHITE, BLACK)
    elif i == 2:  # effects
        for r, col in ((6, RED), (4, YELLOW), (2, WHITE)):
            c.circle(8, 8, r, col)
    elif i == 3:  # images
        c.rect(1, 2, 14, 13, CYAN, BLACK); c.poly([(2, 12), (6, 6), (9, 10), (11, 8), (13, 12)], NAVY)
    return c


def write_bmp(path, tiles, size):
    width, height = size * len(tiles), size
    row = ((width * 4 + 31) // 32) * 4
    data = b''
    for y in range(height - 1, -1, -1):
        line = bytearray()
        pixels = [t.px[y][x] for t in tiles for x in range(size)]
        for x in range(0, width, 2):
            line.append((pixels[x] << 4) | pixels[x + 1])
        data += bytes(line) + b'\0' * (row - len(line))
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset) + info + palette + data)


# In the order of the toolbar resource's buttons (separators take no image).
BUTTONS = ['new', 'open', 'save', 'close', 'cut', 'copy', 'paste', 'undo', 'redo', 'first', 'prev', 'next',
           'last', 'select', 'pan', 'zoom', 'group', 'ungroup', 'addtext', 'edittext', 'colour', 'about']

# The menus' icon generator (app/menus/res) imports the glyphs from here.
if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, 'toolbar.bmp'), [glyph(n) for n in BUTTONS], 32)
    write_bmp(os.path.join(here, 'strips.bmp'), [strip_glyph(i) for i in range(4)], 16)
