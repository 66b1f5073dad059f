#!/usr/bin/env python3
"""Makes everything the editor finds beside itself, drawn by us:
    make_program_folder.py <program folder> <sample photo folder> <lab private key> <work folder>
The program folder gets the libraries "frame", "effect" and "image" (each in
"lowres" and "highres"), the album templates in "template", the page
templates in "PageTemplate", the demonstration laboratory's "public.key"
and the font list "sposalbo.sfl"; the photo folder gets photos to import."""
import os
import shutil
import sys
from concurrent.futures import ThreadPoolExecutor

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import effects  # noqa: E402
import frames  # noqa: E402
import images  # noqa: E402
import lab_key  # noqa: E402
import photos  # noqa: E402
import templates  # noqa: E402

# The faces the demonstration laboratory can print texts with.
LAB_FONTS = ('Arial', 'Times New Roman', 'Courier New', 'Tahoma', 'Verdana', 'Georgia')


def font_list(path):
    with open(path, 'w', newline='\r\n') as f:
        f.write('<fonts>\n%s</fonts>\n' % ''.join('    <font name="%s" />\n' % face for face in LAB_FONTS))


def main(program, photo_folder, private_key, work):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for kind in ('frame', 'effect', 'image', 'template', 'PageTemplate'):
        shutil.rmtree(os.path.join(program, kind), ignore_errors=True)
    shutil.rmtree(photo_folder, ignore_errors=True)
    # The drawings are independent: each gets a work folder of its own.
    jobs = [(frames.build, program), (effects.build, program), (images.build, program), (photos.build, None)]
    with ThreadPoolExecutor(max_workers=2) as pool:
        runs = []
        for index, (build, target) in enumerate(jobs):
            scratch = os.path.join(work, str(index))
            os.makedirs(scratch)
            runs.append(pool.submit(build, scratch, target) if target else pool.submit(build, photo_folder))
        for run in runs:
            run.result()
    templates.build(program)
    lab_key.write(os.path.join(program, 'public.key'), private_key)
    font_list(os.path.join(program, 'sposalbo.sfl'))
    shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
