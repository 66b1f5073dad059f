"""Shared helpers of the library generator: ImageMagick calls, shape paths
and the two resolutions every library picture is written in."""
import os
import subprocess

# Library pictures are drawn once at full size; the editor works on copies a
# quarter of the area ("lowres"), the laboratory gets the full ones ("highres").
LOW_FACTOR = 0.5


def im(*args):
    subprocess.run(['convert', *[str(a) for a in args]], check=True)


def write_both(source, library, kind, name, extra=()):
    """Writes the picture `source` as library/kind/highres/name and a half-size
    copy as library/kind/lowres/name, in the format the name's extension says."""
    for res, scale in (('highres', None), ('lowres', LOW_FACTOR)):
        folder = os.path.join(library, kind, res)
        os.makedirs(folder, exist_ok=True)
        args = [source]
        if scale:
            args += ['-resize', '%d%%' % int(scale * 100)]
        if name.endswith('.tga'):
            # This writer stores TGA rows from the top, so the file must say so.
            args += ['-orient', 'TopLeft']
        im(*args, '-depth', '8', *extra, os.path.join(folder, name))


def ellipse(cx, cy, rx, ry):
    return 'ellipse %d,%d %d,%d 0,360' % (cx, cy, rx, ry)


def rounded(x0, y0, x1, y1, r):
    return 'roundrectangle %d,%d %d,%d %d,%d' % (x0, y0, x1, y1, r, r)


def heart(cx, cy, s):
    """A heart of width about s centred on (cx, cy), as a draw path."""
    def p(x, y):
        return '%d,%d' % (cx + x * s, cy + y * s)
    return ("path 'M %s C %s %s %s C %s %s %s C %s %s %s C %s %s %s Z'" % (
        p(0, 0.42),
        p(-0.18, 0.25), p(-0.5, 0.05), p(-0.5, -0.18),
        p(-0.5, -0.42), p(-0.2, -0.5), p(0, -0.3),
        p(0.2, -0.5), p(0.5, -0.42), p(0.5, -0.18),
        p(0.5, 0.05), p(0.18, 0.25), p(0, 0.42)))


def arch(x0, y0, x1, y1):
    """A window with a round top: a rectangle under a half ellipse."""
    r = (x1 - x0) / 2
    return ("path 'M %d,%d L %d,%d A %d,%d 0 0,1 %d,%d L %d,%d Z'" % (
        x0, y1, x0, y0 + r, r, r, x1, y0 + r, x1, y1))
