"""Frames of the library: a mat with an ornamented window (transparent, so
the page shows through) and its ".msk" companion, opaque where a masked
frame lets its content show."""
import os

from common import arch, ellipse, heart, im, rounded, write_both

GOLD = '#C9A55A'
GOLD_DARK = '#9C7A3A'

# A curl for the mat's corners, drawn at the origin towards +x and +y.
CURL = ("path 'M 0,110 C 0,40 40,0 110,0 "
        "M 30,150 C 40,70 70,40 150,30 C 200,24 215,70 180,85 C 150,98 135,70 160,60 "
        "M 150,30 C 150,30 120,10 95,22'")


def corner_curls(w, h, inset, colour, width):
    draws = []
    for x, y, angle in ((inset, inset, 0), (w - inset, inset, 90), (w - inset, h - inset, 180),
                        (inset, h - inset, 270)):
        draws += ['-draw', 'translate %d,%d rotate %d %s' % (x, y, angle, CURL)]
    return ['-fill', 'none', '-stroke', colour, '-strokewidth', str(width), *draws]


def frame(tmp, library, name, size, window, mat, extra_draw=()):
    w, h = size
    win = os.path.join(tmp, 'win.png')
    im('-size', '%dx%d' % size, 'xc:black', '-fill', 'white', '-draw', window(0), win)
    mat_png = os.path.join(tmp, 'mat.png')
    im('-size', '%dx%d' % size, 'gradient:%s-%s' % mat,
       '(', '-size', '%dx%d' % size, 'xc:gray50', '-attenuate', '0.35', '+noise', 'Gaussian',
       '-colorspace', 'gray', '-blur', '0x1', ')', '-compose', 'softlight', '-composite',
       # a soft shadow where the mat falls towards the window
       '(', '-size', '%dx%d' % size, 'xc:black', '-fill', 'white', '-draw', window(-14),
       '-blur', '0x12', '-negate', '+level', '62%,100%', ')',
       '-compose', 'multiply', '-composite',
       '-fill', 'none', '-stroke', GOLD, '-strokewidth', '7', '-draw', window(-16),
       '-stroke', GOLD_DARK, '-strokewidth', '2', '-draw', window(-34),
       '-stroke', GOLD, '-strokewidth', '3', '-draw', rounded(28, 28, w - 28, h - 28, 18),
       *corner_curls(w, h, 48, GOLD, 4), *extra_draw, mat_png)
    out = os.path.join(tmp, name + '.png')
    im(mat_png, '(', win, '-negate', ')', '-alpha', 'off', '-compose', 'CopyOpacity', '-composite', out)
    write_both(out, library, 'frame', name + '.tga', ['-compress', 'RLE'])
    mask = os.path.join(tmp, name + '.msk.png')
    im('-size', '%dx%d' % size, 'xc:white', '(', '-size', '%dx%d' % size, 'xc:black', '-fill', 'white',
       '-draw', window(-12), ')', '-alpha', 'off', '-compose', 'CopyOpacity', '-composite', mask)
    write_both(mask, library, 'frame', name + '.msk.tga', ['-compress', 'RLE'])


def build(tmp, library):
    def oval(g):
        return ellipse(600, 750, 380 - g, 500 - g)
    frame(tmp, library, 'ovale_avorio', (1200, 1500), oval, ('#FBF6EC', '#EFE3CF'))

    def rect(g):
        return rounded(230 + g, 230 + g, 1570 - g, 970 - g, 24)
    frame(tmp, library, 'rettangolo_perla', (1800, 1200), rect, ('#F4F1F4', '#E2DCE4'))

    def heart_window(g):
        return heart(600, 640, 820 - 2 * g)
    frame(tmp, library, 'cuore_cipria', (1200, 1200), heart_window, ('#F8E4E4', '#EBC9CC'))

    def arch_window(g):
        return arch(250 + g, 230 + g, 950 - g, 1300 - g)
    frame(tmp, library, 'arco_salvia', (1200, 1500), arch_window, ('#EEF2E8', '#D5DFCB'))

    def circle(g):
        return ellipse(650, 650, 420 - g, 420 - g)
    frame(tmp, library, 'tondo_azzurro', (1300, 1300), circle, ('#EEF3FA', '#D3DFEE'))
