#!/usr/bin/python3
"""Draws every bitmap of the shell at the size its window expects, in both looks.

Usage: make_shell_images.py <output folder>

Writes <output>/builtin/ (the program's own pictures) and <output>/alt/ (those of QznRes.dll),
each with the .bmp files and a ShellBitmaps.rc that names them by resource id, and
<output>/shell-images.png, a sheet of all buttons and pictures for the README. Needs pycairo
(Debian: python3-cairo) and the DejaVu fonts.
"""
import math
import os
import struct
import sys

import cairo

# The drawing modules beside this script leave no compiled copies in the source tree.
sys.dont_write_bytecode = True
from shell_icons import (ALTERNATIVE, BUILTIN, button_face, draw_icon, icon_button, label,
                         rounded_rect, set_colour, tool_button, width_chip, width_choice)
import shell_pictures  # noqa: E402 (after the line above)

# Tool-bar buttons that change with the mode: icon, word, (normal, pressed, focused).
BAR_BUTTONS = (
    ('new', 'New', (227, 229, 228)), ('open', 'Open', (230, 232, 231)),
    ('save', 'Save', (233, 235, 234)), ('preview', 'Preview', (236, 238, 237)),
    ('print', 'Print', (239, 241, 242)), ('mail', 'Mail', (244, 246, 245)),
    ('desktop', 'Desktop', (250, 252, 251)), ('help', 'Help', (438, 255, 253)),
)
LETTER_BUTTON = ('letter', 'Letter', (249, 247, 248))
# The library's smaller desktop-mode buttons.
ALT_DESKTOP_BUTTONS = (
    ('new', (400, 401, 402)), ('save', (409, 407, 408)), ('preview', (414, 410, 413)),
    ('print', (417, 415, 416)), ('mail', (420, 418, 419)), ('help', (423, 421, 422)),
)
WINDOW_BUTTONS = (('close', (256, 258, 257)), ('scale', (264, 266, 265)),
                  ('minimize', (261, 263, 262)))
# Inking: icon, word, (normal, pressed, focused), the picture standing behind it.
INKING_BUTTONS = (('write', 'Write', (336, 338, 342), 382), ('cancel', 'Cancel', (330, 332, 339), 377),
                  ('insert', 'Insert', (333, 341, 340), 381))
# Panel buttons: icon, word, (normal, pressed, focused), size in each look.
PANEL_BUTTONS = (
    ('undo', 'Undo', (169, 170, 282), (28, 40), (28, 36)),
    ('redo', 'Redo', (171, 287, 285), (28, 40), (28, 36)),
    ('zoom_in', 'In', (172, 290, 289), (28, 40), (28, 36)),
    ('zoom_out', 'Out', (173, 293, 292), (28, 40), (28, 36)),
    ('capture', 'Capture', (294, 296, 295), (48, 40), (40, 36)),
    ('picture', 'Picture', (299, 297, 298), (32, 40), (30, 36)),
    ('add_line', 'Add line', (300, 302, 301), (44, 40), (40, 36)),
)
# Tools: selected picture, usual (normal, pressed, focused), size and room above in each look.
TOOLS = (
    ('pencil', 204, (159, 177, 183), (40, 58, 0), (30, 46, 0)),
    ('brush', 206, (160, 178, 189), (40, 58, 0), (30, 46, 0)),
    ('marker', 201, (184, 185, 188), (40, 58, 0), (30, 46, 0)),
    ('eraser', 203, (167, 175, 187), (56, 70, 12), (40, 52, 0)),
    ('picture', 212, (210, 211, 219), (58, 70, 12), (40, 52, 0)),
)
STATE_OF = ('normal', 'pressed', 'focus')


class Sheet:
    """The bitmaps of one look, written as they are drawn."""

    def __init__(self, folder, look):
        self.folder = folder
        self.look = look
        self.entries = []
        os.makedirs(folder, exist_ok=True)

    def add(self, rid, w, h, paint, monochrome=False):
        surface = cairo.ImageSurface(cairo.FORMAT_RGB24, w, h)
        c = cairo.Context(surface)
        paint(c)
        surface.flush()
        name = ('b%s.bmp' % rid).lower()
        write_bmp(os.path.join(self.folder, name), surface, monochrome)
        self.entries.append((rid, name, surface))

    def write_rc(self):
        with open(os.path.join(self.folder, 'ShellBitmaps.rc'), 'w') as f:
            f.write('// Drawn by make_shell_images.py (%s look); do not edit.\n' % self.look.name)
            for rid, name, _ in self.entries:
                f.write('%s BITMAP "%s"\n' % (rid, name))


def pixels(surface):
    """Rows of (r, g, b), top row first."""
    data = surface.get_data()
    stride = surface.get_stride()
    for y in range(surface.get_height()):
        row = data[y * stride:y * stride + 4 * surface.get_width()]
        yield [(row[x + 2], row[x + 1], row[x]) for x in range(0, len(row), 4)]


def write_bmp(path, surface, monochrome):
    """A bottom-up BMP: 24 bits per pixel, or 1 bit (white and black) for window shapes."""
    w, h = surface.get_width(), surface.get_height()
    rows = list(pixels(surface))
    if monochrome:
        stride = ((w + 31) // 32) * 4
        body = bytearray()
        for row in reversed(rows):
            bits = bytearray(stride)
            for x, (r, g, b) in enumerate(row):
                if r + g + b > 3 * 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            body += bits
        palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
        bpp = 1
    else:
        stride = ((w * 3 + 3) // 4) * 4
        body = bytearray()
        for row in reversed(rows):
            line = bytearray()
            for (r, g, b) in row:
                line += bytes((b, g, r))
            body += line + bytes(stride - len(line))
        palette = b''
        bpp = 24
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(body), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, len(body), 2835, 2835,
                       2 if monochrome else 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + palette + bytes(body))


def add_states(sheet, ids, w, h, paint_state):
    for rid, state in zip(ids, STATE_OF):
        sheet.add(rid, w, h, lambda c, s=state: paint_state(c, s))


def bar_buttons(sheet):
    look = sheet.look
    bw, bh = (38, 46) if not look.flat else (38, 40)
    for icon, word, ids in BAR_BUTTONS:
        add_states(sheet, ids, bw, bh,
                   lambda c, s, i=icon, t=word: icon_button(c, look, bw, bh, s, i, t))
    lw, lh = (bw, bh) if not look.flat else (30, 34)
    icon, word, ids = LETTER_BUTTON
    add_states(sheet, ids, lw, lh, lambda c, s: icon_button(c, look, lw, lh, s, icon, word))
    if look.flat:
        for icon, ids in ALT_DESKTOP_BUTTONS:
            add_states(sheet, ids, 30, 30,
                       lambda c, s, i=icon: icon_button(c, look, 30, 30, s, i, None, 20))
    ww, wh = (36, 44) if not look.flat else (32, 32)
    for icon, ids in WINDOW_BUTTONS:
        add_states(sheet, ids, ww, wh,
                   lambda c, s, i=icon: icon_button(c, look, ww, wh, s, i, None, 20))
    iw, ih = (54, 44) if not look.flat else (44, 30)
    for icon, word, ids, back in INKING_BUTTONS:
        add_states(sheet, ids, iw, ih,
                   lambda c, s, i=icon, t=word: icon_button(c, look, iw, ih, s, i, t))
        sheet.add(back, iw, ih,
                  lambda c, i=icon, t=word: icon_button(c, look, iw, ih, 'disabled', i, t))
    cw, ch = (34, 20) if not look.flat else (20, 16)
    sheet.add(313, cw, ch, lambda c: width_chip(c, look, cw, ch, 'normal'))
    sheet.add(312, cw, ch, lambda c: width_chip(c, look, cw, ch, 'pressed'))


def panel_buttons(sheet):
    look = sheet.look
    for icon, word, ids, size_own, size_alt in PANEL_BUTTONS:
        w, h = size_alt if look.flat else size_own
        add_states(sheet, ids, w, h,
                   lambda c, s, i=icon, t=word, w=w, h=h: icon_button(c, look, w, h, s, i, t, 20))
    w, h = (36, 40) if not look.flat else (30, 36)
    add_states(sheet, (303, 396, 397), w, h,
               lambda c, s: shell_pictures.line_colour_button(c, look, w, h, s))
    for tool, selected, ids, size_own, size_alt in TOOLS:
        w, h, top = size_alt if look.flat else size_own
        sheet.add(selected, w, h, lambda c, t=tool, w=w, h=h, top=top:
                  tool_button(c, look, w, h, 'selected', t, top))
        add_states(sheet, ids, w, h, lambda c, s, t=tool, w=w, h=h, top=top:
                   tool_button(c, look, w, h, s, t, top))


def pen_width_popup(sheet):
    look = sheet.look
    w, h = (38, 14) if not look.flat else (38, 10)
    for level in range(1, 6):
        for suffix, state in (('U', 'normal'), ('D', 'pressed'), ('F', 'focus')):
            sheet.add('PENWIDTH%d%s' % (level, suffix), w, h,
                      lambda c, s=state, n=level: width_choice(c, look, w, h, s, n))
    bw, bh = (50, 98) if not look.flat else (42, 64)
    sheet.add(360, bw, bh, lambda c: shell_pictures.popup_back(c, look, bw, bh))
    sheet.add(384, bw + 2, bh, lambda c: shell_pictures.popup_shape(c, look, bw, bh),
              monochrome=True)


def pictures(sheet):
    look = sheet.look
    shell_pictures.add_backgrounds(sheet, look)
    for rid, variant in ((391, 0), (393, 1)):
        sheet.add(rid, 320, 200, lambda c, v=variant: shell_pictures.about_picture(c, look, v))
    if not look.flat:
        sheet.add(379, 632, 116, shell_pictures.strip_shape, monochrome=True)
    shell_pictures.add_capture_dialog(sheet, look)


def contact_sheet(path, sheets):
    """All buttons and small pictures of both looks side by side, for the README."""
    margin, cell = 14, 6
    columns = []
    for sheet in sheets:
        small = [(rid, s) for rid, _, s in sheet.entries
                 if s.get_width() <= 60 and s.get_height() <= 100]
        columns.append((sheet, small))
    width = 2 * (margin + 16 * (60 + cell)) + margin
    rows = max(math.ceil(len(small) / 16) for _, small in columns)
    height = 40 + rows * (100 + cell) + margin
    surface = cairo.ImageSurface(cairo.FORMAT_RGB24, width, height)
    c = cairo.Context(surface)
    for i, (sheet, small) in enumerate(columns):
        x0 = margin + i * (16 * (60 + cell) + margin)
        c.rectangle(x0 - margin / 2, 0, 16 * (60 + cell) + margin, height)
        set_colour(c, sheet.look.bar)
        c.fill()
        label(c, sheet.look, 'Program\u2019s own pictures' if i == 0 else 'QznRes.dll (alternative look)',
              x0 + 8 * (60 + cell), 24, 13, sheet.look.ink, True)
        for n, (rid, s) in enumerate(small):
            x = x0 + (n % 16) * (60 + cell)
            y = 40 + (n // 16) * (100 + cell)
            c.set_source_surface(s, x + (60 - s.get_width()) // 2, y)
            c.paint()
    surface.write_to_png(path)


def main():
    out = sys.argv[1]
    sheets = []
    for look in (BUILTIN, ALTERNATIVE):
        sheet = Sheet(os.path.join(out, look.name), look)
        bar_buttons(sheet)
        panel_buttons(sheet)
        pen_width_popup(sheet)
        pictures(sheet)
        sheet.write_rc()
        sheets.append(sheet)
    contact_sheet(os.path.join(out, 'shell-images.png'), sheets)


if __name__ == '__main__':
    main()
