#!/usr/bin/env python3
"""Writes res/Pelorin.ico: the program icon, 32x32 and 16x16, 16 colours.

Two overlapping sheets of paper, the left one with blue lines and the right
one with red lines, for a program that compares two things. Run it again
after changing the drawing; the .ico it writes is kept in the repository.
"""
import struct, sys

# The standard 16-colour palette (B, G, R, 0).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DKGRAY, WHITE, BLUE, RED = 0, 8, 15, 12, 9   # palette indices (R, G, B order above)


def draw(size):
    """Returns (pixels, mask): size x size colour indices and a transparency mask."""
    px = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]
    s = size / 32.0

    def sheet(x0, y0, x1, y1, line):
        x0, y0, x1, y1 = int(x0 * s), int(y0 * s), int(x1 * s), int(y1 * s)
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                px[y][x] = BLACK if edge else WHITE
                mask[y][x] = 0
        step = max(2, int(4 * s))
        for y in range(y0 + step, y1 - 1, step):
            for x in range(x0 + 2, x1 - 1):
                px[y][x] = line

    sheet(2, 2, 19, 27, BLUE)
    sheet(12, 6, 29, 30, RED)
    return px, mask


def image(size):
    px, mask = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor = b''
    for y in reversed(range(size)):            # bottom-up rows
        row = bytes((px[y][x] << 4) | px[y][x + 1] for x in range(0, size, 2))
        xor += row + b'\0' * ((4 - len(row) % 4) % 4)
    andm = b''
    for y in reversed(range(size)):
        bits = 0
        row = b''
        for x in range(size):
            bits = (bits << 1) | mask[y][x]
            if x % 8 == 7:
                row += bytes([bits])
                bits = 0
        andm += row + b'\0' * ((4 - len(row) % 4) % 4)
    return header + pal + xor + andm


def main(path):
    imgs = [(32, image(32)), (16, image(16))]
    out = struct.pack('<HHH', 0, 1, len(imgs))
    offset = 6 + 16 * len(imgs)
    for size, data in imgs:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(d for _, d in imgs)
    open(path, 'wb').write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'Pelorin.ico')
