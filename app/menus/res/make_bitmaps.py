#!/usr/bin/env python3
"""Draws the menus' icon strips as 24-bit BMP files beside this script.

menu_icons.bmp: one 16 by 15 icon per command of the menu icon table
(app/menus/MenuIcons.cpp), in the table's order, on the transparent colour
0xC0C0C0. A command that has a toolbar button shows that button's picture
(app/bars/make_bitmaps.py draws it at 32 by 32; here it is halved), so the
menus and the toolbar show one icon per command. The other commands get
pictures drawn the same way.

selection_icons.bmp: six 16 by 16 icons of the kinds of objects a selection
menu lists: photo, library image, frame, group, text, effect.

Run it again after changing a picture here or on the toolbar; the build only
reads the files.
"""
import importlib.util
import math
import os
import re
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
APP = os.path.normpath(os.path.join(HERE, '..', '..'))


def load_bar_glyphs():
    path = os.path.join(APP, 'bars', 'make_bitmaps.py')
    spec = importlib.util.spec_from_file_location('bar_bitmaps', path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


bars = load_bar_glyphs()
Canvas, PALETTE = bars.Canvas, bars.PALETTE
(BLACK, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, GREY, DGREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN,
 WHITE) = range(16)
TRANSPARENT = PALETTE[GREY]


def numbers(text):
    return [int(n) for n in re.findall(r'\b\d+\b', text)]


def menu_icon_commands():
    """The commands of the menu icon table, in its order."""
    with open(os.path.join(APP, 'menus', 'MenuIcons.cpp')) as f:
        body = re.search(r'IDB_MENU_ICONS,\s*16,\s*15,(.*?)\b0\s*\}', f.read(), re.S).group(1)
    return numbers(body)


def toolbar_commands():
    """The toolbar's buttons in the order of their images (separators have none)."""
    with open(os.path.join(APP, 'bars', 'bars.rc')) as f:
        body = re.search(r'IDR_MAINFRAME\s+241\s+BEGIN(.*?)END', f.read(), re.S).group(1)
    return [n for n in numbers(body)[4:] if n]


# --- Pictures of the commands without a toolbar button -----------------------------------

def landscape(c, x0=4, y0=6, x1=27, y1=25):
    c.rect(x0, y0, x1, y1, CYAN, BLACK)
    c.poly([(x0 + 1, y1), (x0 + 8, y0 + 8), (x0 + 13, y0 + 13), (x0 + 17, y0 + 9), (x1, y1)], DGREEN)
    c.circle(x1 - 5, y0 + 5, 2, YELLOW)


def cross(c, x, y, r, col=RED):
    c.line(x - r, y - r, x + r, y + r, col, 3)
    c.line(x + r, y - r, x - r, y + r, col, 3)


def circular_arrow(c, cx, cy, r, col, clockwise=True):
    for a in range(40, 330, 2):
        x = cx + round(r * math.cos(math.radians(a)))
        y = cy - round(r * math.sin(math.radians(a)))
        c.rect(x - 1, y - 1, x, y, col)
    a = math.radians(40 if clockwise else 330)
    tx, ty = cx + round(r * math.cos(a)), cy - round(r * math.sin(a))
    c.poly([(tx - 5, ty - 1), (tx + 5, ty - 1), (tx, ty + 6)] if clockwise else
           [(tx - 5, ty + 1), (tx + 5, ty + 1), (tx, ty - 6)], col)


def magnifier(c, sign):
    c.circle(13, 13, 10, WHITE, BLACK)
    c.line(20, 20, 29, 29, BLACK, 4)
    if sign in '+-':
        c.rect(7, 12, 19, 14, NAVY)
    if sign == '+':
        c.rect(12, 7, 14, 19, NAVY)
    if sign == '1':
        c.rect(12, 7, 14, 19, NAVY); c.line(12, 7, 9, 10, NAVY, 2); c.rect(9, 18, 17, 19, NAVY)


def pan(c, dx, dy):
    """A thick purple arrow towards (dx, dy), the pan glyph's colour."""
    cx, cy = 16, 16
    c.line(cx - 10 * dx, cy - 10 * dy, cx + 4 * dx, cy + 4 * dy, PURPLE, 4)
    tip = (cx + 13 * dx, cy + 13 * dy)
    side = (dy, dx)
    base = (cx + 3 * dx, cy + 3 * dy)
    c.poly([tip, (base[0] + 9 * side[0], base[1] + 9 * side[1]), (base[0] - 9 * side[0], base[1] - 9 * side[1])],
           PURPLE)


def stack(c, red_level, arrow_up, double):
    """Three overlapping cards, the red one at a level (0 back, 2 front), and an
    arrow beside them."""
    for level, (x, y) in enumerate([(0, 2), (5, 8), (10, 14)]):
        c.rect(x, y, x + 11, y + 12, RED if level == red_level else WHITE, BLACK)
    c.rect(26, 4, 27, 28, DGREEN)
    heads = [3, 12] if double else [3]
    for y in heads:
        if arrow_up:
            c.poly([(20, y + 9), (34, y + 9), (27, y)], DGREEN)
        else:
            c.poly([(20, 29 - y - 9), (34, 29 - y - 9), (27, 29 - y)], DGREEN)


def dashed(c, x0, y0, x1, y1):
    for i in range(x0, x1 + 1):
        if (i - x0) % 4 < 2:
            c.dot(i, y0, BLACK); c.dot(i, y1, BLACK)
    for i in range(y0, y1 + 1):
        if (i - y0) % 4 < 2:
            c.dot(x0, i, BLACK); c.dot(x1, i, BLACK)


def extra_glyph(name):
    c = Canvas(32, GREY)
    if name == 'cd':
        c.circle(16, 16, 13, WHITE, DGREY)
        for r, col in ((11, CYAN), (9, MAGENTA), (7, YELLOW)):
            for a in range(20, 80, 2):
                c.dot(16 + round(r * math.cos(math.radians(a))), 16 - round(r * math.sin(math.radians(a))), col)
        c.circle(16, 16, 4, GREY, DGREY)
    elif name == 'images':
        landscape(c, 2, 2, 22, 19)
        landscape(c, 8, 10, 29, 28)
    elif name == 'print':
        c.rect(9, 2, 22, 12, WHITE, BLACK)
        c.rect(2, 11, 29, 23, DGREY, BLACK); c.rect(4, 13, 27, 14, GREY)
        c.rect(24, 17, 26, 19, GREEN)
        c.rect(8, 20, 23, 29, WHITE, BLACK)
        for y in (23, 26):
            c.line(11, y, 20, y, DGREY)
    elif name == 'exit':
        c.rect(4, 3, 18, 29, OLIVE, BLACK); c.rect(6, 5, 16, 27, YELLOW)
        c.circle(14, 17, 1, BLACK)
        bars.arrow(c, True, cx=19, cy=16, col=RED)
    elif name in ('selectall', 'selectnone'):
        dashed(c, 2, 2, 29, 29)
        c.rect(6, 7, 15, 16, RED, BLACK); c.circle(20, 20, 5, BLUE, BLACK)
        if name == 'selectnone':
            c.rect(6, 7, 15, 16, WHITE, BLACK); c.circle(20, 20, 5, WHITE, BLACK)
            cross(c, 22, 9, 5)
    elif name == 'bgremove':
        landscape(c); cross(c, 16, 16, 7)
    elif name == 'bgcolour':
        c.rect(3, 4, 28, 27, WHITE, BLACK)
        for (x0, y0), col in zip([(4, 5), (16, 5), (4, 16), (16, 16)], [RED, GREEN, BLUE, YELLOW]):
            c.rect(x0, y0, x0 + 11, y0 + 10, col)
    elif name == 'bgrotate':
        landscape(c, 7, 9, 24, 22)
        circular_arrow(c, 16, 16, 14, NAVY)
    elif name in ('bgmirrorh', 'bgmirrorv'):
        landscape(c, 6, 6, 25, 25)
        if name == 'bgmirrorh':
            c.line(3, 16, 28, 16, NAVY, 2); c.poly([(0, 16), (5, 11), (5, 21)], NAVY); c.poly([(31, 16), (26, 11), (26, 21)], NAVY)
        else:
            c.line(15, 3, 15, 28, NAVY, 2); c.poly([(16, 0), (11, 5), (21, 5)], NAVY); c.poly([(16, 31), (11, 26), (21, 26)], NAVY)
    elif name == 'bgfit':
        landscape(c, 8, 8, 23, 23)
        for x, y, dx, dy in ((1, 1, 1, 1), (30, 1, -1, 1), (1, 30, 1, -1), (30, 30, -1, -1)):
            c.rect(min(x, x + 5 * dx), min(y, y + dy), max(x, x + 5 * dx), max(y, y + dy), NAVY)
            c.rect(min(x, x + dx), min(y, y + 5 * dy), max(x, x + dx), max(y, y + 5 * dy), NAVY)
    elif name == 'pancentre':
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            c.line(16 + 15 * dx, 16 + 15 * dy, 16 + 9 * dx, 16 + 9 * dy, PURPLE, 3)
            tip = (16 + 4 * dx, 16 + 4 * dy)
            c.poly([tip, (tip[0] + 7 * dx + 6 * dy, tip[1] + 7 * dy + 6 * dx),
                    (tip[0] + 7 * dx - 6 * dy, tip[1] + 7 * dy - 6 * dx)], PURPLE)
        c.circle(16, 16, 2, BLACK)
    elif name.startswith('pan'):
        pan(c, *{'panleft': (-1, 0), 'panup': (0, -1), 'panright': (1, 0), 'pandown': (0, 1)}[name])
    elif name.startswith('zoom'):
        magnifier(c, {'zoomnormal': '1', 'zoomin': '+', 'zoomout': '-'}[name])
    elif name == 'front':
        stack(c, 2, True, True)
    elif name == 'back':
        stack(c, 0, False, True)
    elif name == 'forward':
        stack(c, 1, True, False)
    elif name == 'backward':
        stack(c, 1, False, False)
    elif name == 'norotation':
        # The tilted outline the picture comes back from, then the picture upright.
        a = math.radians(20)
        corners = [(-12, -9), (12, -9), (12, 9), (-12, 9)]
        turned = [(16 + round(x * math.cos(a) - y * math.sin(a)), 16 + round(x * math.sin(a) + y * math.cos(a)))
                  for x, y in corners]
        for (xa, ya), (xb, yb) in zip(turned, turned[1:] + turned[:1]):
            c.line(xa, ya, xb, yb, DGREY, 2)
        landscape(c, 5, 8, 26, 23)
    elif name == 'photo':
        landscape(c, 3, 5, 28, 26)
    elif name == 'effect':
        for r, col in ((12, RED), (8, YELLOW), (4, WHITE)):
            c.circle(16, 16, r, col)
    elif name == 'frame':
        c.rect(3, 3, 28, 28, OLIVE, BLACK); c.rect(9, 9, 22, 22, WHITE, BLACK)
    else:
        raise KeyError(name)
    return c


# The pictures of the menu commands that have no toolbar button.
MENU_ONLY = {
    32877: 'cd', 32871: 'images', 32954: 'print', 57665: 'exit', 32955: 'selectall', 32956: 'selectnone',
    32938: 'bgremove', 32939: 'bgcolour', 32940: 'bgrotate', 32942: 'bgmirrorh', 32943: 'bgmirrorv',
    32944: 'bgfit', 32923: 'pancentre', 32919: 'panleft', 32920: 'panup', 32921: 'panright', 32922: 'pandown',
    32925: 'zoomnormal', 32928: 'zoomin', 32929: 'zoomout', 32984: 'front', 32985: 'back', 32986: 'forward',
    32987: 'backward', 32901: 'norotation',
}


def halve(canvas, rows):
    """A 32 by 32 picture at half size: every 2 by 2 block becomes one pixel, the
    mean of its painted pixels when two or more are painted (one dark pixel of
    an outline is enough), else transparent. 15 rows leave out the first and
    the last row of the picture."""
    first = (32 - 2 * rows) // 2
    out = []
    for by in range(rows):
        line = []
        for bx in range(16):
            ink = [PALETTE[canvas.px[first + 2 * by + dy][2 * bx + dx]] for dy in (0, 1) for dx in (0, 1)]
            ink = [p for p in ink if p != TRANSPARENT]
            if len(ink) >= 2 or (len(ink) == 1 and sum(ink[0]) <= 3 * 128):
                mean = tuple(round(sum(ch) / len(ink)) for ch in zip(*ink))
                line.append(mean if mean != TRANSPARENT else (191, 191, 191))
            else:
                line.append(TRANSPARENT)
        out.append(line)
    return out


def write_bmp(path, icons, height):
    width = 16 * len(icons)
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for icon in icons:
            for r, g, b in icon[y]:
                line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def menu_picture(command, on_toolbar):
    if command in on_toolbar:
        return bars.glyph(bars.BUTTONS[on_toolbar.index(command)])
    return extra_glyph(MENU_ONLY[command])


if __name__ == '__main__':
    on_toolbar = toolbar_commands()
    menu = [halve(menu_picture(cmd, on_toolbar), 15) for cmd in menu_icon_commands()]
    write_bmp(os.path.join(HERE, 'menu_icons.bmp'), menu, 15)
    kinds = [extra_glyph('photo'), extra_glyph('images'), extra_glyph('frame'), bars.glyph('group'),
             bars.glyph('addtext'), extra_glyph('effect')]
    write_bmp(os.path.join(HERE, 'selection_icons.bmp'), [halve(k, 16) for k in kinds], 16)
