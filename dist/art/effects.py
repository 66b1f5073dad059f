"""Effects of the library: soft shapes whose opacity becomes a photo's
mask. JPEGs, whose green channel the editor reads as opacity (twice the value,
so from 128 up a photo shows fully), and TGAs with a neutral grey colour and
their own alpha, which leave the photo's colours as they are."""
import os

from common import ellipse, heart, im, rounded, write_both

GREY = '#808080'
# The red and blue of a JPEG effect only show in the library's thumbnails:
# ivory where the photo shows, wine red where it is hidden, so the list shows
# a pale shape on a coloured ground rather than white on black.
SHOWN_RED, SHOWN_BLUE = 255, 240
HIDDEN_RED, HIDDEN_BLUE = 120, 60


def soft(tmp, size, draws, blur):
    out = os.path.join(tmp, 'soft.png')
    im('-size', '%dx%d' % size, 'xc:black', '-fill', 'white', *draws, '-blur', '0x%d' % blur,
       '-colorspace', 'gray', out)
    return out


def percent(value):
    return '%.2f%%' % (value * 100.0 / 255.0)


def tinted(tmp, name, shape):
    """The grey shape as the green channel, red and blue blended between the
    hidden and the shown colour by the opacity the editor gives it."""
    opacity = os.path.join(tmp, name + '_opacity.png')
    im(shape, '-evaluate', 'multiply', '2', opacity)
    red = os.path.join(tmp, name + '_red.png')
    blue = os.path.join(tmp, name + '_blue.png')
    im(opacity, '+level', '%s,%s' % (percent(HIDDEN_RED), percent(SHOWN_RED)), red)
    im(opacity, '+level', '%s,%s' % (percent(HIDDEN_BLUE), percent(SHOWN_BLUE)), blue)
    out = os.path.join(tmp, name + '_tinted.png')
    im(red, shape, blue, '-combine', out)
    return out


def as_jpeg(tmp, library, name, shape):
    # Full-resolution colour keeps the green channel from taking the tint.
    write_both(tinted(tmp, name, shape), library, 'effect', name + '.jpg',
               ['-quality', '92', '-sampling-factor', '1x1'])


def as_tga(tmp, library, name, shape, size):
    out = os.path.join(tmp, name + '.png')
    im('-size', '%dx%d' % size, 'xc:' + GREY, shape, '-alpha', 'off', '-compose', 'CopyOpacity',
       '-composite', out)
    write_both(out, library, 'effect', name + '.tga', ['-compress', 'RLE'])


def build(tmp, library):
    as_jpeg(tmp, library, 'vignetta_ovale', soft(tmp, (1200, 900), ['-draw', ellipse(600, 450, 470, 330)], 60))
    as_jpeg(tmp, library, 'bordi_sfumati',
            soft(tmp, (1200, 900), ['-draw', rounded(110, 110, 1090, 790, 60)], 45))
    as_jpeg(tmp, library, 'cuore_sfumato', soft(tmp, (1000, 1000), ['-draw', heart(500, 520, 900)], 30))
    cloud = ['-draw', ellipse(600, 470, 400, 260)]
    for cx, cy, r in ((300, 420, 190), (470, 300, 210), (700, 280, 230), (900, 420, 200),
                      (820, 600, 190), (560, 650, 210), (340, 600, 180)):
        cloud += ['-draw', ellipse(cx, cy, r, r)]
    as_jpeg(tmp, library, 'nuvola', soft(tmp, (1200, 900), cloud, 35))
    # A ragged, brushed edge: the rectangle's border is scattered, then softened.
    ragged = os.path.join(tmp, 'ragged.png')
    im('-size', '1200x900', 'xc:black', '-fill', 'white', '-draw', 'rectangle 140,120 1060,780',
       '-seed', '7', '-spread', '40', '-blur', '0x6', '-spread', '14', '-blur', '0x3', ragged)
    as_tga(tmp, library, 'pennellata', ragged, (1200, 900))
    as_tga(tmp, library, 'tondo_sfumato', soft(tmp, (1000, 1000), ['-draw', ellipse(500, 500, 400, 400)], 50),
           (1000, 1000))
