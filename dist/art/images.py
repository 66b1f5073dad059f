"""Pictures of the image library: page backgrounds in the formats the editor
reads, and clip-art with transparent surroundings."""
import os

from common import ellipse, heart, im, write_both

GOLD = '#C9A55A'
GOLD_LIGHT = '#F1DFA6'
GOLD_DARK = '#8F6C2E'


def background(tmp, library, name, base, draws=(), texture='softlight', seed=1):
    out = os.path.join(tmp, name + '.png')
    im('-size', '1600x800', base,
       '(', '-size', '400x200', '-seed', str(seed), 'plasma:gray60-gray40', '-colorspace', 'gray',
       '-resize', '1600x800!', '-blur', '0x6', ')', '-compose', texture, '-composite',
       '(', '-size', '1600x800', 'radial-gradient:white-gray88', ')', '-compose', 'multiply', '-composite',
       *draws, out)
    return out


def bokeh(count, colour, seed):
    # Soft out-of-focus lights; positions from a fixed little generator.
    draws, x = [], seed
    for _ in range(count):
        x = (x * 1103515245 + 12345) % 2147483648
        cx, cy, r = x % 1600, (x >> 11) % 800, 20 + (x >> 21) % 60
        draws += ['-draw', ellipse(cx, cy, r, r)]
    return ['(', '-size', '1600x800', 'xc:none', '-fill', colour, *draws, '-blur', '0x10', ')',
            '-compose', 'screen', '-composite']


def damask_tile(tmp):
    tile = os.path.join(tmp, 'tile.png')
    im('-size', '160x160', 'xc:#F5EEDF', '-fill', 'none', '-stroke', '#EADDC3', '-strokewidth', '3',
       '-draw', "path 'M 80,20 C 110,50 110,70 80,80 C 50,70 50,50 80,20'",
       '-draw', "path 'M 80,80 C 120,90 130,130 100,140 M 80,80 C 40,90 30,130 60,140'",
       '-draw', ellipse(80, 100, 6, 6), '-draw', ellipse(0, 0, 10, 10), '-draw', ellipse(160, 160, 10, 10),
       '-draw', ellipse(0, 160, 10, 10), '-draw', ellipse(160, 0, 10, 10), tile)
    return tile


def clip(tmp, library, name, size, draws, ext='tga'):
    out = os.path.join(tmp, name + '.png')
    im('-size', '%dx%d' % size, 'xc:none', *draws, out)
    extra = ['-compress', 'RLE'] if ext == 'tga' else ['-compress', 'lzw']
    write_both(out, library, 'image', '%s.%s' % (name, ext), extra)


def ring(cx, cy, r, w):
    return ['-fill', 'none', '-stroke', GOLD_DARK, '-strokewidth', str(w + 6), '-draw', ellipse(cx, cy, r, r),
            '-stroke', GOLD, '-strokewidth', str(w), '-draw', ellipse(cx, cy, r, r),
            '-stroke', GOLD_LIGHT, '-strokewidth', str(w // 4), '-draw', 'ellipse %d,%d %d,%d 200,290' % (
                cx, cy, r - w // 5, r - w // 5)]


def petals(cx, cy):
    draws = ['-stroke', '#B55A72', '-strokewidth', '3']
    for i, (r, colour) in enumerate(((230, '#E7A1B0'), (180, '#EDB3C0'), (130, '#E58EA2'), (80, '#D97088'))):
        for k in range(5):
            draws += ['-fill', colour, '-draw', 'translate %d,%d rotate %d ellipse 0,%d %d,%d 0,360' % (
                cx, cy, k * 72 + i * 36, -r // 2, r // 2, r // 2 + 10)]
    return draws + ['-fill', '#C25670', '-draw', ellipse(cx, cy, 40, 40)]


def build(tmp, library):
    out = background(tmp, library, 'avorio', 'xc:#F7F0E2', seed=3)
    write_both(out, library, 'image', 'sfondo_avorio.jpg', ['-quality', '90'])
    out = background(tmp, library, 'cipria', 'gradient:#F9E3E1-#EFC9CB', bokeh(40, '#FFFFFF80', 11), seed=5)
    write_both(out, library, 'image', 'sfondo_cipria.jpg', ['-quality', '90'])
    out = background(tmp, library, 'azzurro', 'gradient:#E6EEF8-#C7D8EC', texture='overlay', seed=8)
    write_both(out, library, 'image', 'sfondo_azzurro.bmp', ['-type', 'TrueColor'])
    out = background(tmp, library, 'damasco', 'tile:' + damask_tile(tmp), seed=2)
    write_both(out, library, 'image', 'sfondo_damasco.pcx', ['-type', 'TrueColor'])
    out = background(tmp, library, 'salvia', 'gradient:#E5EBDD-#CBD7BF', seed=13)
    write_both(out, library, 'image', 'sfondo_salvia.tif', ['-compress', 'lzw'])

    clip(tmp, library, 'anelli', (900, 600), ring(350, 300, 200, 34) + ring(560, 300, 200, 34))
    clip(tmp, library, 'cuori', (900, 700), [
        '-fill', '#E9A3B1', '-stroke', '#C86F84', '-strokewidth', '6', '-draw', heart(340, 330, 460),
        '-fill', '#F3C6CF', '-draw', heart(560, 390, 420),
        '-fill', 'none', '-stroke', '#FFFFFFB0', '-strokewidth', '10',
        '-draw', "path 'M 450,270 C 480,250 520,250 540,280'"])
    clip(tmp, library, 'rosa', (800, 800), [
        '-fill', '#8DAA7A', '-stroke', '#5F7D4F', '-strokewidth', '4',
        '-draw', 'translate 400,400 rotate 30 ellipse 0,-300 70,150 0,360',
        '-draw', 'translate 400,400 rotate 150 ellipse 0,-300 70,150 0,360',
        '-draw', 'translate 400,400 rotate 265 ellipse 0,-300 70,150 0,360'] + petals(400, 400), ext='tif')
    clip(tmp, library, 'angolo', (700, 700), [
        '-fill', 'none', '-stroke', GOLD, '-strokewidth', '9',
        '-draw', "path 'M 40,660 C 40,300 300,40 660,40'",
        '-draw', "path 'M 110,560 C 140,330 330,140 560,110 C 640,100 660,190 600,210 C 540,230 520,170 560,160'",
        '-draw', "path 'M 560,110 C 420,70 380,160 440,190'",
        '-draw', "path 'M 110,560 C 70,420 160,380 190,440'",
        '-fill', GOLD, '-stroke', GOLD_DARK, '-strokewidth', '3',
        '-draw', ellipse(250, 250, 34, 34), '-draw', ellipse(330, 190, 16, 16), '-draw', ellipse(190, 330, 16, 16)])
    clip(tmp, library, 'divisore', (1200, 240), [
        '-fill', 'none', '-stroke', GOLD, '-strokewidth', '7',
        '-draw', "path 'M 60,120 C 300,120 420,60 560,110 M 1140,120 C 900,120 780,60 640,110'",
        '-draw', "path 'M 160,120 C 320,160 420,170 530,135 M 1040,120 C 880,160 780,170 670,135'",
        '-fill', GOLD, '-stroke', GOLD_DARK, '-strokewidth', '3',
        '-draw', 'polygon 600,70 650,120 600,170 550,120', '-draw', ellipse(60, 120, 12, 12),
        '-draw', ellipse(1140, 120, 12, 12)])
    clip(tmp, library, 'fiocco', (900, 700), [
        '-fill', '#F2C4CE', '-stroke', '#C98596', '-strokewidth', '6',
        '-draw', 'polygon 430,330 300,660 380,630 440,680 460,340',
        '-draw', 'polygon 470,330 600,660 520,630 460,680 440,340',
        '-draw', 'translate 450,300 rotate -20 ellipse -180,0 190,110 0,360',
        '-draw', 'translate 450,300 rotate 20 ellipse 180,0 190,110 0,360',
        '-fill', '#E6A9B7', '-draw', ellipse(450, 300, 60, 70)])
