#!/usr/bin/env python3
"""Crops a 24-bit XWD screen dump (as Xvfb -fbdir writes it) and saves it as PNG.

usage: xwd_to_png.py SCREEN.xwd OUT.png WIDTH HEIGHT
"""
import struct
import sys
import zlib


def main():
    src, out, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    data = open(src, 'rb').read()
    h = struct.unpack('>25I', data[:100])
    header_size, byte_order, bpp, bytes_per_line, ncolors = h[0], h[7], h[11], h[12], h[19]
    if bpp != 32:
        raise SystemExit('expected 32 bits per pixel, got %d' % bpp)
    pixels = header_size + 12 * ncolors
    rows = []
    for y in range(height):
        line = data[pixels + y * bytes_per_line: pixels + y * bytes_per_line + 4 * width]
        row = bytearray(b'\0')  # filter type none
        for x in range(width):
            b0, b1, b2, _ = line[4 * x: 4 * x + 4]
            row += bytes((b2, b1, b0)) if byte_order == 0 else bytes((b1, b2, line[4 * x + 3]))
        rows.append(bytes(row))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
    open(out, 'wb').write(png)


if __name__ == '__main__':
    main()
