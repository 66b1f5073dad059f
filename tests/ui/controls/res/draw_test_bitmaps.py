#!/usr/bin/env python3
"""Plain-coloured slider bitmaps with known sizes for the control's tests:
a 200x10 channel (grey, active blue) and a 10x10 thumb (red, active green)
whose first column is magenta, the transparent colour of pixel (0, 0)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write_bmp(name, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        data += row + b"\0" * (row_size - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + data)


write_bmp("channel.bmp", 200, 10, lambda x, y: (128, 128, 128))
write_bmp("channel_active.bmp", 200, 10, lambda x, y: (0, 0, 255))
write_bmp("thumb.bmp", 10, 10, lambda x, y: (255, 0, 255) if x == 0 else (255, 0, 0))
write_bmp("thumb_active.bmp", 10, 10, lambda x, y: (255, 0, 255) if x == 0 else (0, 255, 0))
