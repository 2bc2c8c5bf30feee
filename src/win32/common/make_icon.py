#!/usr/bin/env python3
"""Draws vornix.ico (16x16 and 32x32, 32-bit with alpha): a clipboard with text lines.

Run once after changing the drawing; the .ico it writes is kept in the repository
so that the build needs no Python.
"""
import struct
import sys


def draw(size):
    s = size / 32.0
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, color):
        for y in range(int(y0 * s), max(int(y1 * s), int(y0 * s) + 1)):
            for x in range(int(x0 * s), max(int(x1 * s), int(x0 * s) + 1)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = color

    brown, dark = (150, 95, 40, 255), (90, 55, 20, 255)
    paper, ink = (255, 255, 255, 255), (40, 70, 160, 255)
    metal, metal_dark = (200, 200, 210, 255), (110, 110, 120, 255)
    rect(4, 3, 28, 31, dark)        # board outline
    rect(5, 4, 27, 30, brown)       # board
    rect(8, 7, 24, 28, paper)       # sheet
    rect(11, 1, 21, 7, metal_dark)  # clip
    rect(12, 2, 20, 6, metal)
    for y in (11, 15, 19, 23):
        rect(10, y, 22 if y != 23 else 17, y + 2, ink)
    return px


def bitmap(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b''.join(bytes(c for (r, g, b, a) in px[y] for c in (b, g, r, a)) for y in reversed(range(size)))
    mask_row = ((size + 31) // 32) * 4
    mask = b''
    for y in reversed(range(size)):
        bits = bytearray(mask_row)
        for x in range(size):
            if px[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + rows + mask


def main(path):
    images = [bitmap(16), bitmap(32)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'vornix.ico')
