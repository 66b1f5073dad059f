"""Album templates ("template\\*.sbt") and page templates ("PageTemplate\\*.sbt"):
album files whose photos are numbered placeholders, laid out with the
library's frames, effects and pictures."""
import os

COLOUR = ('red="1.000000" green="1.000000" blue="1.000000" brightness="1.000000" contrast="0.500000" '
          'saturation="1.000000" alpha="1.000000"')


def picture(tag, x, y, sx, sy, name=None, bookmark=None, rotation=0.0, inner='', extra=''):
    attrs = ''
    if name:
        attrs += ' name="%s"' % name
    if bookmark:
        attrs += ' bookmark="%d"' % bookmark
    attrs += ' pos_x="%f" pos_y="%f" scale_x="%f" scale_y="%f" rotation="%f" %s locked="0"%s' % (
        x, y, sx, sy, rotation, COLOUR, extra)
    if not inner:
        return '<%s%s />' % (tag, attrs)
    return '<%s%s>%s</%s>' % (tag, attrs, inner, tag)


def photo(number, x, y, w, h, effect=None, rotation=0.0):
    inner = '<effetto name="%s" rotate="0" mirror="2" />' % effect if effect else ''
    return picture('immagine', x, y, w, h, bookmark=number, rotation=rotation, inner=inner)


def frame(name, x, y, height, masked, content=''):
    return picture('cornice', x, y, height, height, name=name, inner=content, extra=' masked="%d"' % masked)


def text(words, x, y, size, rgb=(122, 90, 52), face='Times New Roman', italic=1):
    return ('<testo testo="%s" pos_x="%f" pos_y="%f" scale_x="%f" scale_y="%f" rotation="0.000000" '
            'red="%d" green="%d" blue="%d" lfCharSet="0" lfClipPrecision="0" lfEscapement="0" '
            'lfFaceName="%s" lfHeight="-32" lfItalic="%d" lfOrientation="0" lfOutPrecision="0" '
            'lfPitchAndFamily="18" lfQuality="0" lfStrikeOut="0" lfUnderline="0" lfWeight="400" lfWidth="0" '
            'locked="0" />' % (words, x, y, size, size, rgb[0], rgb[1], rgb[2], face, italic))


# The library's backgrounds are twice as wide as high.
BACKGROUND_ASPECT = 2.0


def page(background, *objects, cover=False, aspect=2.0):
    # The background is stretched over the page, as the editor fits one: a
    # page is one unit high and aspect units wide.
    head = '<pagina copertina="1">' if cover else '<pagina>'
    bg = '<sfondo red="1.000000" green="1.000000" blue="1.000000">%s</sfondo>' % (
        picture('image', 0, 0, aspect / BACKGROUND_ASPECT, 1, name=background) if background else '')
    return head + bg + ''.join(objects) + '</pagina>'


def album(width, height, pages, least=1, most=40):
    return ('<sposalbo paginacorrente="0" numMinPage="%d" numMaxPage="%d" pageWidth="%d" pageHeight="%d" '
            'rifilo="3">\n<dati />\n%s\n</sposalbo>\n' % (least, most, width, height, '\n'.join(pages)))


def corners(scale, x, y):
    # The corner flourish in the four corners of a box around (0, 0).
    return ''.join(picture('image', sx * x, sy * y, scale, scale, name='angolo.tga', rotation=r)
                   for sx, sy, r in ((-1, 1, 0.0), (1, 1, -1.570796), (1, -1, 3.141593), (-1, -1, 1.570796)))


def album_templates():
    classic = album(300, 150, [
        page('sfondo_damasco.pcx',
             frame('ovale_avorio.tga', 0.45, 0.0, 0.86, 1, photo(1, 0.45, 0.0, 0.62, 0.62)),
             picture('image', -0.5, 0.12, 0.08, 0.08, name='divisore.tga'),
             text('Il nostro matrimonio', -0.5, -0.02, 0.055),
             picture('image', -0.5, -0.2, 0.16, 0.16, name='anelli.tga'), cover=True),
        page('sfondo_avorio.jpg',
             frame('rettangolo_perla.tga', -0.5, 0.0, 0.62, 1, photo(2, -0.5, 0.0, 0.45, 0.45)),
             frame('rettangolo_perla.tga', 0.5, 0.0, 0.62, 1, photo(3, 0.5, 0.0, 0.45, 0.45)),
             corners(0.14, 0.92, 0.42)),
        page('sfondo_cipria.jpg',
             photo(4, -0.45, 0.0, 0.8, 0.8, effect='vignetta_ovale.jpg'),
             frame('cuore_cipria.tga', 0.5, 0.02, 0.7, 1, photo(5, 0.5, 0.0, 0.55, 0.55)),
             picture('image', 0.85, -0.36, 0.18, 0.18, name='rosa.tif')),
        page('sfondo_azzurro.bmp',
             frame('arco_salvia.tga', -0.55, 0.0, 0.86, 1, photo(6, -0.55, -0.02, 0.66, 0.66)),
             photo(7, 0.35, 0.22, 0.4, 0.4, effect='bordi_sfumati.jpg'),
             photo(8, 0.35, -0.22, 0.4, 0.4, effect='bordi_sfumati.jpg'),
             picture('image', 0.85, 0.0, 0.14, 0.14, name='anelli.tga')),
    ], least=4)
    square = album(200, 200, [
        page('sfondo_salvia.tif',
             frame('tondo_azzurro.tga', 0.0, 0.03, 0.78, 1, photo(1, 0.0, 0.03, 0.6, 0.6)),
             text('Per sempre', 0.0, -0.42, 0.07), cover=True, aspect=1.0),
        page('sfondo_avorio.jpg',
             photo(2, 0.0, 0.05, 0.7, 0.7, effect='nuvola.jpg'),
             picture('image', 0.0, -0.4, 0.1, 0.1, name='divisore.tga'), aspect=1.0),
        page('sfondo_cipria.jpg',
             photo(3, -0.22, 0.2, 0.4, 0.4, effect='tondo_sfumato.tga'),
             photo(4, 0.22, -0.2, 0.4, 0.4, effect='tondo_sfumato.tga'),
             picture('image', 0.3, 0.3, 0.2, 0.2, name='cuori.tga'), aspect=1.0),
    ], least=2, most=30)
    return {'Classico 30x15.sbt': classic, 'Quadrato 20x20.sbt': square}


def page_templates():
    def one(*objects):
        return album(300, 150, [page(None, *objects)])
    return {
        'Due foto.sbt': one(photo(1, -0.5, 0.0, 0.7, 0.7), photo(2, 0.5, 0.0, 0.7, 0.7)),
        'Tre foto.sbt': one(photo(1, -0.55, 0.0, 0.8, 0.8), photo(2, 0.4, 0.22, 0.38, 0.38),
                            photo(3, 0.4, -0.22, 0.38, 0.38)),
        'Ovale e anelli.sbt': one(frame('ovale_avorio.tga', -0.3, 0.0, 0.86, 1, photo(1, -0.3, 0.0, 0.62, 0.62)),
                                  picture('image', 0.5, 0.0, 0.22, 0.22, name='anelli.tga')),
        'Cuore sfumato.sbt': one(photo(1, 0.0, 0.0, 0.85, 0.85, effect='cuore_sfumato.jpg'),
                                 picture('image', 0.7, -0.3, 0.2, 0.2, name='fiocco.tga')),
    }


def build(program):
    for folder, files in (('template', album_templates()), ('PageTemplate', page_templates())):
        os.makedirs(os.path.join(program, folder), exist_ok=True)
        for name, body in files.items():
            with open(os.path.join(program, folder, name), 'w', newline='\r\n') as f:
                f.write(body)
