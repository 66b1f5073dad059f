"""Sample photos to import: small scenes of a wedding day in every format
the editor reads, of various sizes and shapes."""
import os

from common import ellipse, im


def grain_and_vignette(size):
    return ['(', '-size', size, 'xc:gray50', '-attenuate', '0.5', '+noise', 'Gaussian', '-colorspace', 'gray',
            ')', '-compose', 'softlight', '-composite',
            '(', '-size', size, 'radial-gradient:white-gray55', ')', '-compose', 'multiply', '-composite']


def scene(path, size, layers, extra=()):
    w, h = (int(v) for v in size.split('x'))
    im('-size', size, *layers(w, h), *grain_and_vignette(size), '-depth', '8', *extra, path)


def beach(w, h):
    return ['gradient:#7FB2E5-#F3E6D0', '-fill', '#FFF4D6', '-draw', ellipse(w * 0.7, h * 0.3, h * 0.08, h * 0.08),
            '-fill', '#3F7FA8', '-draw', 'rectangle 0,%d %d,%d' % (h * 0.55, w, h * 0.7),
            '-fill', '#E8D5B0', '-draw', 'rectangle 0,%d %d,%d' % (h * 0.7, w, h), '-blur', '0x3']


def garden(w, h):
    return ['-seed', '4', 'plasma:#6E9A55-#2F5A2A', '-blur', '0x8',
            '-fill', '#F4F0E6', '-draw', "path 'M %d,%d L %d,%d L %d,%d L %d,%d Z'" % (
                w * 0.45, h * 0.5, w * 0.55, h * 0.5, w * 0.8, h, w * 0.2, h),
            '-fill', '#FFFFFF60', *sum((['-draw', ellipse(w * k / 9, h * (0.15 + 0.1 * (k % 3)), 30, 30)]
                                         for k in range(1, 9)), []), '-blur', '0x2']


def portrait(w, h):
    return ['gradient:#EDE1D6-#B9A493', '-fill', '#F7F3EE', '-draw', ellipse(w / 2, h * 0.95, w * 0.42, h * 0.42),
            '-fill', '#E2C2A8', '-draw', ellipse(w / 2, h * 0.38, w * 0.16, h * 0.15),
            '-fill', '#6B4A32', '-draw', ellipse(w / 2, h * 0.31, w * 0.18, h * 0.1),
            '-fill', '#FFFFFF90', '-draw', ellipse(w / 2, h * 0.25, w * 0.3, h * 0.06), '-blur', '0x4']


def church(w, h):
    return ['gradient:#9CC3E8-#E7EEF5', '-fill', '#E9DFCB',
            '-draw', 'rectangle %d,%d %d,%d' % (w * 0.3, h * 0.35, w * 0.7, h),
            '-draw', 'polygon %d,%d %d,%d %d,%d' % (w * 0.27, h * 0.36, w * 0.5, h * 0.12, w * 0.73, h * 0.36),
            '-fill', '#7A5B3F', '-draw', "path 'M %d,%d L %d,%d A %d,%d 0 0,1 %d,%d L %d,%d Z'" % (
                w * 0.44, h, w * 0.44, h * 0.72, w * 0.06, w * 0.06, w * 0.56, h * 0.72, w * 0.56, h),
            '-fill', '#6F9A5A', '-draw', 'rectangle 0,%d %d,%d' % (h * 0.92, w, h), '-blur', '0x2']


def cake(w, h):
    tiers = []
    for k, (half, top) in enumerate(((0.32, 0.62), (0.24, 0.42), (0.16, 0.24))):
        bottom = top + 0.2 if k else 0.85
        tiers += ['-fill', '#FBF7EE', '-stroke', '#D9CDB5', '-strokewidth', '3',
                  '-draw', 'roundrectangle %d,%d %d,%d 12,12' % (w * (0.5 - half), h * top, w * (0.5 + half), h * bottom),
                  '-fill', '#E9A3B1', '-stroke', 'none',
                  '-draw', 'rectangle %d,%d %d,%d' % (w * (0.5 - half), h * (top + 0.02), w * (0.5 + half), h * (top + 0.04))]
    return ['gradient:#F6E3E6-#E6C3CA', *tiers, '-blur', '0x1.5']


def sunset(w, h):
    return ['gradient:#F2A65A-#6A4C7A', '-fill', '#FFE2A8', '-draw', ellipse(w * 0.5, h * 0.62, h * 0.12, h * 0.12),
            '-blur', '0x20', '-fill', '#3B2E3F',
            '-draw', "path 'M 0,%d C %d,%d %d,%d %d,%d L %d,%d L 0,%d Z'" % (
                h * 0.75, w * 0.3, h * 0.6, w * 0.6, h * 0.85, w, h * 0.7, w, h, h)]


PHOTOS = (
    ('spiaggia.jpg', '2400x1600', beach, ['-quality', '90']),
    ('giardino.tif', '1600x1200', garden, ['-compress', 'lzw']),
    ('ritratto.bmp', '900x1200', portrait, ['-type', 'TrueColor']),
    ('chiesa.pcx', '1024x768', church, ['-type', 'TrueColor']),
    ('torta.tga', '800x800', cake, ['-flip']),  # stored bottom-up, as the format's default says
    ('tramonto.jpg', '3200x1400', sunset, ['-quality', '88']),
)


def build(folder):
    os.makedirs(folder, exist_ok=True)
    for name, size, layers, extra in PHOTOS:
        scene(os.path.join(folder, name), size, layers, extra)
