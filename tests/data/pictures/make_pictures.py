#!/usr/bin/env python3
"""Writes the picture fixtures of this folder: one 24 x 16 image of four flat quadrants
(top-left red 200,30,40; top-right green 20,180,60; bottom-left blue 30,50,210; bottom-right white
250,250,250) in the BMP layouts that real programs write, and JPEG variants through ImageMagick.
The one-bit file has two colours: red on top, blue below.

Usage: make_pictures.py   (writes into the folder of this script; needs ImageMagick's convert)
"""
import os
import struct
import subprocess

W, H = 24, 16
RED, GREEN, BLUE, WHITE = (200, 30, 40), (20, 180, 60), (30, 50, 210), (250, 250, 250)
HERE = os.path.dirname(os.path.abspath(__file__))


def colour(x, y):
    if y < H // 2:
        return RED if x < W // 2 else GREEN
    return BLUE if x < W // 2 else WHITE


def file_header(size, offset):
    return b"BM" + struct.pack("<IHHI", size, 0, 0, offset)


def info_header(bits, compression, image_size, colours, size=40, height=H):
    return struct.pack("<IiiHHIIiiII", size, W, height, 1, bits, compression, image_size,
                       2835, 2835, colours, 0)


def pad(row):
    return row + b"\0" * ((4 - len(row) % 4) % 4)


def save(name, header, table, pixels):
    offset = 14 + len(header) + len(table)
    data = file_header(offset + len(pixels), offset) + header + table + pixels
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def palette(colours):
    return b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in colours)


def indexed_rows(bits, pal, top_down=False):
    rows = range(H) if top_down else range(H - 1, -1, -1)
    out = b""
    for y in rows:
        idx = [pal.index(colour(x, y) if bits > 1 else (RED if y < H // 2 else BLUE))
               for x in range(W)]
        per = 8 // bits
        row = bytes(sum(idx[i + k] << (8 - bits * (k + 1)) for k in range(per) if i + k < W)
                    for i in range(0, W, per))
        out += pad(row)
    return out


def rgb_rows(pack, top_down=False):
    rows = range(H) if top_down else range(H - 1, -1, -1)
    return b"".join(pad(b"".join(pack(*colour(x, y)) for x in range(W))) for y in rows)


def bgr(r, g, b):
    return bytes((b, g, r))


def rle_rows(bits, pal):
    """Each row as runs of one colour (encoded mode), then end of line; end of bitmap last."""
    out = b""
    for y in range(H - 1, -1, -1):
        x = 0
        while x < W:
            c = colour(x, y)
            n = 1
            while x + n < W and colour(x + n, y) == c:
                n += 1
            i = pal.index(c)
            out += bytes((n, i if bits == 8 else (i << 4) | i))
            x += n
        out += b"\0\0"
    return out + b"\0\1"


def main():
    two = [RED, BLUE]
    four = [RED, GREEN, BLUE, WHITE]
    full = four + [(0, 0, 0)] * 252
    save("bmp1.bmp", info_header(1, 0, 0, 2), palette(two), indexed_rows(1, two))
    save("bmp4.bmp", info_header(4, 0, 0, 4), palette(four), indexed_rows(4, four))
    save("bmp8.bmp", info_header(8, 0, 0, 0), palette(full), indexed_rows(8, full))
    p555 = lambda r, g, b: struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
    save("bmp16.bmp", info_header(16, 0, 0, 0), b"", rgb_rows(p555))
    p565 = lambda r, g, b: struct.pack("<H", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3)
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    save("bmp16-bitfields.bmp", info_header(16, 3, 0, 0), masks, rgb_rows(p565))
    save("bmp24.bmp", info_header(24, 0, 0, 0), b"", rgb_rows(bgr))
    save("bmp24-topdown.bmp", info_header(24, 0, 0, 0, height=-H), b"", rgb_rows(bgr, True))
    p32 = lambda r, g, b: bytes((b, g, r, 0))
    save("bmp32.bmp", info_header(32, 0, 0, 0), b"", rgb_rows(p32))
    # The V4 (108 bytes) and V5 (124 bytes) headers: masks, colour space and, for V5, intent.
    v4_tail = struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    v4_tail += b"BGRs" + b"\0" * 36 + b"\0" * 12
    save("bmp24-v4.bmp", info_header(24, 0, 0, 0, size=108) + v4_tail, b"", rgb_rows(bgr))
    p32a = lambda r, g, b: bytes((b, g, r, 255))
    v5_tail = v4_tail + struct.pack("<IIII", 4, 0, 0, 0)
    save("bmp32-v5-bitfields.bmp", info_header(32, 3, 0, 0, size=124) + v5_tail, b"",
         rgb_rows(p32a))
    rle8 = rle_rows(8, full)
    save("bmp8-rle.bmp", info_header(8, 1, len(rle8), 4), palette(four), rle8)
    rle4 = rle_rows(4, four)
    save("bmp4-rle.bmp", info_header(4, 2, len(rle4), 4), palette(four), rle4)

    png = os.path.join(HERE, "quadrants.png.tmp")
    subprocess.run(["convert", os.path.join(HERE, "bmp24.bmp"), "png:" + png], check=True)
    jpegs = {"jpeg-420.jpg": ["-sampling-factor", "2x2,1x1,1x1"],
             "jpeg-422.jpg": ["-sampling-factor", "2x1,1x1,1x1"],
             "jpeg-444.jpg": ["-sampling-factor", "1x1,1x1,1x1"],
             "jpeg-progressive.jpg": ["-interlace", "Plane"],
             "jpeg-grey.jpg": ["-colorspace", "Gray"]}
    for name, args in jpegs.items():
        subprocess.run(["convert", "png:" + png, "-quality", "95"] + args +
                       [os.path.join(HERE, name)], check=True)
    os.remove(png)


main()
