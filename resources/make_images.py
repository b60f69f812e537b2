#!/usr/bin/env python3
"""Draws the program's icons and cursors and writes them as .ico and .cur files.

Usage: make_images.py <output folder>

Standard library only. Each image is drawn into an RGBA pixel grid by small shape functions,
then stored as a 32-bit icon or cursor image with its AND mask.
"""
import os
import struct
import sys

PAPER = (229, 226, 204)
RULE = (197, 192, 172)
NAVY = (0, 0, 128)
INK_ORANGE = (230, 120, 20)


def blank(size, color=(0, 0, 0, 0)):
    return [[color for _ in range(size)] for _ in range(size)]


def fill_rect(img, x0, y0, x1, y1, rgb):
    for y in range(max(0, y0), min(len(img), y1)):
        for x in range(max(0, x0), min(len(img), x1)):
            img[y][x] = rgb + (255,)


def thick_line(img, x0, y0, x1, y1, width, rgb):
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 4) + 1
    r = width / 2.0
    for i in range(steps + 1):
        t = i / steps
        cx = x0 + (x1 - x0) * t
        cy = y0 + (y1 - y0) * t
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if 0 <= x < len(img) and 0 <= y < len(img):
                    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                        img[y][x] = rgb + (255,)


def note_icon(size, accent):
    """A sheet of ruled note paper with a pen stroke across it."""
    img = blank(size)
    m = max(1, size // 16)
    fill_rect(img, m, m, size - m, size - m, (90, 90, 90))
    fill_rect(img, m + 1, m + 1, size - m - 1, size - m - 1, PAPER)
    step = max(3, size // 5)
    y = m + step
    while y < size - m - 1:
        fill_rect(img, m + 1, y, size - m - 1, y + max(1, size // 32), RULE)
        y += step
    thick_line(img, size * 0.22, size * 0.70, size * 0.45, size * 0.45, max(1.5, size / 14), NAVY)
    thick_line(img, size * 0.45, size * 0.45, size * 0.62, size * 0.62, max(1.5, size / 14), NAVY)
    thick_line(img, size * 0.62, size * 0.62, size * 0.82, size * 0.25, max(1.5, size / 14), accent)
    return img


def eraser_cursor(size=32):
    img = blank(size)
    for i in range(10):
        thick_line(img, 6 + i, 20 - i, 14 + i, 28 - i, 1.2, (255, 255, 255))
    thick_line(img, 6, 20, 16, 10, 1, (0, 0, 0))
    thick_line(img, 16, 10, 24, 18, 1, (0, 0, 0))
    thick_line(img, 24, 18, 14, 28, 1, (0, 0, 0))
    thick_line(img, 14, 28, 6, 20, 1, (0, 0, 0))
    return img, (8, 24)


def dot_cursor(radius, size=32):
    img = blank(size)
    c = size // 2
    for y in range(size):
        for x in range(size):
            d = (x + 0.5 - c) ** 2 + (y + 0.5 - c) ** 2
            if d <= radius * radius:
                img[y][x] = NAVY + (255,)
            elif d <= (radius + 1) ** 2:
                img[y][x] = (128, 128, 128, 255)
    return img, (c, c)


def dib(img):
    """BITMAPINFOHEADER + 32-bit BGRA rows bottom-up + AND mask (1 = transparent)."""
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(img):
        for (r, g, b, a) in row:
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    stride = ((size + 31) // 32) * 4
    for row in reversed(img):
        bits = bytearray(stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def write_group(path, images, kind, hotspots=None):
    """kind 1 writes an icon, kind 2 a cursor (with a hot spot per image)."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for i, img in enumerate(images):
        data = dib(img)
        size = len(img)
        if kind == 1:
            a, b = 1, 32
        else:
            a, b = hotspots[i]
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, a, b, len(data), offset)
        offset += len(data)
        blobs.append(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_group(os.path.join(folder, 'KVOmail.ico'),
                [note_icon(32, NAVY), note_icon(16, NAVY)], 1)
    write_group(os.path.join(folder, 'Inking.ico'),
                [note_icon(32, INK_ORANGE), note_icon(16, INK_ORANGE)], 1)
    img, hot = eraser_cursor()
    write_group(os.path.join(folder, 'Eraser.cur'), [img], 2, [hot])
    for name, radius in (('Pen1.cur', 2), ('Pen2.cur', 4), ('Pen3.cur', 7)):
        img, hot = dot_cursor(radius)
        write_group(os.path.join(folder, name), [img], 2, [hot])


if __name__ == '__main__':
    main()
