#!/usr/bin/env python3
"""Writes the uncompressed bitmaps of this folder and pixels.txt, the pixels each one holds.

Every bitmap is 19 x 5 pixels (an odd width, so that rows are padded) in one of the layouts the
program reads itself: 1, 4 and 8 bits through full and short colour tables; 16 bits as 5-5-5
without masks and as 5-6-5, 4-4-4-4 and 1-5-5-5 bit fields; 24 bits, with and without a colour
table before the rows; 32 bits without masks and with 8-8-8-8, swapped and 10-10-10 bit fields;
masks after a 40-byte header and inside 52-, 56-, 108- and 124-byte headers; rows bottom-up and
top-down. Channel values run through every level of a mask of up to 6 bits, alpha bits are set
and must be ignored.

pixels.txt: for each bitmap a line "name width height", then one line per row from the top with
each pixel as RRGGBB in hex, every channel scaled to 8 bits as round(value * 255 / maximum).

Usage: make_bitmaps.py   (writes into the folder of this script; the standard library only)
"""
import os
import struct

W, H = 19, 5
HERE = os.path.dirname(os.path.abspath(__file__))


def mask_levels(mask):
    """The shift and the largest value of a channel mask."""
    shift = (mask & -mask).bit_length() - 1
    return shift, mask >> shift


def scaled(value, maximum):
    return (value * 255 + maximum // 2) // maximum


def raw_channels(i, maxima):
    """Channel values of pixel i: each steps through all its levels (odd steps, power-of-two
    level counts) and starts at another place."""
    return [(i * step + start) % (m + 1) for m, step, start in zip(maxima, (5, 3, 7), (0, 1, 2))]


def pad(row):
    return row + b"\0" * ((4 - len(row) % 4) % 4)


def info_header(size, bits, compression, height, colours=0, masks=(0, 0, 0, 0)):
    """A header of size bytes: the 40-byte fields, then for the larger headers the masks (red,
    green, blue, alpha; 52 bytes hold three) and, for 108 and 124 bytes, the colour space."""
    h = struct.pack("<IiiHHIIiiII", size, W, height, 1, bits, compression, 0, 2835, 2835,
                    colours, 0)
    if size > 40:
        h += struct.pack("<IIII", *masks)[:size - 40]
    if size >= 108:
        h += b"BGRs" + b"\0" * 48
    if size == 124:
        h += struct.pack("<IIII", 4, 0, 0, 0)
    assert len(h) == size
    return h


def write(name, header, extra, rows, expected, top_down):
    order = list(range(H)) if top_down else list(range(H - 1, -1, -1))
    pixels = b"".join(rows[y] for y in order)
    offset = 14 + len(header) + len(extra)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset))
        f.write(header + extra + pixels)
    lines = ["%s %d %d" % (name, W, H)]
    lines += [" ".join("%06x" % expected[y * W + x] for x in range(W)) for y in range(H)]
    return "\n".join(lines) + "\n"


def indexed(name, bits, colours, used, size=40, top_down=False):
    """Palette rows: pixel i takes entry i modulo the table's length."""
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in colours)
    expected, rows = [], []
    per = 8 // bits
    for y in range(H):
        idx = [(y * W + x) % len(colours) for x in range(W)]
        expected += [r << 16 | g << 8 | b for r, g, b in (colours[i] for i in idx)]
        rows.append(pad(bytes(sum(idx[i + k] << (8 - bits * (k + 1))
                                  for k in range(per) if i + k < W)
                              for i in range(0, W, per))))
    header = info_header(size, bits, 0, -H if top_down else H, used)
    return write(name, header, table, rows, expected, top_down)


def masked(name, bits, masks, compression=3, size=40, top_down=False, table=0):
    """Rows of 16- or 32-bit pixels packed by masks (red, green, blue, alpha); with bit fields
    and a 40-byte header the three colour masks follow it. table: entries of an unused colour
    table that lie between the header and the rows."""
    levels = [mask_levels(m) for m in masks[:3]]
    alpha = masks[3]
    expected, rows = [], []
    for y in range(H):
        row = b""
        for x in range(W):
            values = raw_channels(y * W + x, [m for _, m in levels])
            word = alpha
            for (shift, _), v in zip(levels, values):
                word |= v << shift
            row += struct.pack("<H" if bits == 16 else "<I", word)
            r, g, b = (scaled(v, m) for (_, m), v in zip(levels, values))
            expected.append(r << 16 | g << 8 | b)
        rows.append(pad(row))
    extra = struct.pack("<III", *masks[:3]) if compression == 3 and size == 40 else b""
    extra += b"\x11\x22\x33\0" * table
    header = info_header(size, bits, compression, -H if top_down else H, table, masks)
    return write(name, header, extra, rows, expected, top_down)


def rgb24(name, size=40, top_down=False, table=0):
    expected, rows = [], []
    for y in range(H):
        row = b""
        for x in range(W):
            steps = ((37, 0), (11, 90), (73, 200))
            r, g, b = (((y * W + x) * step + start) % 256 for step, start in steps)
            row += bytes((b, g, r))
            expected.append(r << 16 | g << 8 | b)
        rows.append(pad(row))
    header = info_header(size, 24, 0, -H if top_down else H, table)
    return write(name, header, b"\x44\x55\x66\0" * table, rows, expected, top_down)


def main():
    two = [(200, 30, 40), (30, 50, 210)]
    three = [(200, 30, 40), (20, 180, 60), (250, 250, 250)]
    sixteen = [(i * 16, 255 - i * 16, i * 5) for i in range(16)]
    five = [(1, 2, 3), (250, 0, 10), (0, 128, 255), (77, 66, 55), (255, 255, 255)]
    full = [(i, (i * 7) % 256, 255 - i) for i in range(256)]
    rgb555 = (0x7C00, 0x03E0, 0x001F, 0)
    rgb888 = (0x00FF0000, 0x0000FF00, 0x000000FF, 0)
    out = [
        indexed("bits1.bmp", 1, two, 0),
        indexed("bits1-topdown.bmp", 1, two, 2, top_down=True),
        indexed("bits4.bmp", 4, sixteen, 0),
        indexed("bits4-short-table.bmp", 4, three, 3),
        indexed("bits8.bmp", 8, full, 0),
        indexed("bits8-short-table-topdown.bmp", 8, five, 5, top_down=True),
        indexed("bits8-v5.bmp", 8, five, 5, size=124),
        masked("bits16-555.bmp", 16, rgb555, compression=0),
        masked("bits16-565-after-40.bmp", 16, (0xF800, 0x07E0, 0x001F, 0)),
        masked("bits16-565-v3-56.bmp", 16, (0xF800, 0x07E0, 0x001F, 0), size=56, top_down=True),
        masked("bits16-4444-v4.bmp", 16, (0x0F00, 0x00F0, 0x000F, 0xF000), size=108),
        masked("bits16-1555-v2-52.bmp", 16, (0x7C00, 0x03E0, 0x001F, 0x8000), size=52),
        masked("bits16-1555-v5-topdown.bmp", 16, (0x7C00, 0x03E0, 0x001F, 0x8000), size=124,
               top_down=True),
        masked("bits16-555-table.bmp", 16, rgb555, compression=0, table=2),
        rgb24("bits24.bmp"),
        rgb24("bits24-topdown-v5.bmp", size=124, top_down=True),
        rgb24("bits24-table.bmp", table=3),
        masked("bits32.bmp", 32, rgb888, compression=0),
        masked("bits32-v4.bmp", 32, rgb888, compression=0, size=108),
        masked("bits32-8888-v3-56.bmp", 32, (0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000),
               size=56),
        masked("bits32-swapped-after-40.bmp", 32, (0x000000FF, 0x0000FF00, 0x00FF0000, 0)),
        masked("bits32-101010-v5-topdown.bmp", 32, (0x3FF00000, 0x000FFC00, 0x000003FF,
                                                    0xC0000000), size=124, top_down=True),
        masked("bits32-565-v2-52.bmp", 32, (0xF800, 0x07E0, 0x001F, 0), size=52),
    ]
    with open(os.path.join(HERE, "pixels.txt"), "w") as f:
        f.write("".join(out))


main()
