#!/usr/bin/env python3
"""Draws a program icon: a trapezoidal channel cross-section with water,
32 x 32 pixels in 16 colours, written as a Windows .ico file.

usage: make_icon.py OUTPUT.ico WATER_COLOUR_INDEX
"""
import struct
import sys

# The 16 colours of the classic VGA palette, as (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
    (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
    (255, 0, 255), (255, 255, 0), (255, 255, 255),
]  # (red, green, blue)
BLACK, DARK_GREY, LIGHT_GREY, WHITE, OLIVE = 0, 8, 7, 15, 6


def draw(water):
    """Rows from the top, one colour index per pixel; None is transparent."""
    size = 32
    img = [[None] * size for _ in range(size)]
    bed_y, top_y = 26, 6          # bed and bank tops
    bed_l, bed_r = 11, 20         # bed from x 11 to 20
    water_y = 13                  # water surface
    for y in range(top_y, bed_y + 1):
        # banks with a slope of 1 : 1 (one pixel out per pixel up)
        left = bed_l - (bed_y - y)
        right = bed_r + (bed_y - y)
        for x in range(size):
            if x < left or x > right:
                img[y][x] = OLIVE if y > top_y else DARK_GREY  # soil
            elif y >= water_y:
                img[y][x] = water
        img[y][max(left, 0)] = BLACK
        img[y][min(right, size - 1)] = BLACK
    for x in range(bed_l, bed_r + 1):
        img[bed_y][x] = BLACK
    for y in range(bed_y + 1, size - 2):
        for x in range(size):
            img[y][x] = OLIVE
    for x in range(size):
        if img[water_y][x] == water:
            img[water_y][x] = WHITE  # the water surface line
    return img


def ico(img):
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(img):  # bitmaps are stored bottom-up
        for x in range(0, size, 2):
            hi = row[x] or 0
            lo = row[x + 1] or 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += bits.to_bytes(size // 8, 'big')
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), 22)
    return directory + image


if __name__ == '__main__':
    with open(sys.argv[1], 'wb') as out:
        out.write(ico(draw(int(sys.argv[2]))))
