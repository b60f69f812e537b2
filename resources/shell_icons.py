"""The shell's two looks and the drawings its bitmaps are made of.

Icons are drawn as outlines on a 24 x 24 grid (two-pixel strokes with round ends), scaled into
the box a button gives them; the tools of the panel are small pictures of the real things. Every
colour comes from a Look, so the program's own pictures and the flat ones of QznRes.dll share
all drawings.
"""
import math
from contextlib import contextmanager
from dataclasses import dataclass

import cairo


def rgb(hex_colour):
    """'#RRGGBB' as cairo's three floats."""
    v = int(hex_colour.lstrip('#'), 16)
    return ((v >> 16) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0)


@dataclass(frozen=True)
class Look:
    name: str
    flat: bool
    bar: str          # background of every bar and of every button at rest
    well: str         # quiet fields behind the colour blocks and the swatches
    hairline: str     # separators and borders
    ink: str          # icons and labels
    muted: str        # captions and disabled pictures
    accent: str       # the chosen tool, focus and pressed outlines
    hover: str        # background of a button under the pointer
    pressed: str      # background of a pressed button
    selected: str     # background of the chosen tool
    paper: str        # the note paper, as on the canvas
    rule: str         # the ruled lines, as on the canvas
    labels: bool      # whether buttons carry a word under their icon


BUILTIN = Look(name='builtin', flat=False,
               bar='#F4F3EF', well='#E8E6DF', hairline='#D8D4C8', ink='#3D4A5C',
               muted='#9A9FA8', accent='#2B7A8C', hover='#DDEDF0', pressed='#C2DEE3',
               selected='#D3E8EC', paper='#E5E2CC', rule='#C5C0AC', labels=True)

ALTERNATIVE = Look(name='alt', flat=True,
                   bar='#2E3440', well='#3B4252', hairline='#4C566A', ink='#E5E9F0',
                   muted='#7B8394', accent='#88C0D0', hover='#3B4252', pressed='#4C566A',
                   selected='#434C5E', paper='#E5E2CC', rule='#C5C0AC', labels=False)

LABEL_FONT = 'DejaVu Sans Condensed'


def set_colour(c, hex_colour, alpha=1.0):
    r, g, b = rgb(hex_colour)
    c.set_source_rgba(r, g, b, alpha)


def rounded_rect(c, x, y, w, h, r):
    r = min(r, w / 2.0, h / 2.0)
    c.new_sub_path()
    c.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    c.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    c.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    c.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    c.close_path()


def label(c, look, text, cx, baseline, size=9.0, colour=None, bold=False):
    """A word centred on cx, shrunk until it fits the button it stands in."""
    weight = cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL
    c.select_font_face(LABEL_FONT, cairo.FONT_SLANT_NORMAL, weight)
    c.set_font_size(size)
    ext = c.text_extents(text)
    while ext.x_advance > 2 * min(cx, 200) - 2 and size > 6:
        size -= 0.5
        c.set_font_size(size)
        ext = c.text_extents(text)
    set_colour(c, colour or look.ink)
    c.move_to(round(cx - ext.x_advance / 2.0), baseline)
    c.show_text(text)


# ---------------------------------------------------------------------------------------------
# Outline icons on the 24 x 24 grid, written as path data: M x y (move), L x y (line), H x and V y
# (horizontal and vertical line), C x1 y1 x2 y2 x y (curve), Z (close), O cx cy r (circle) and
# R x y w h r (rounded rectangle).

ICONS = {
    'new': 'M6 3 H14 L18 7 V21 H6 Z M14 3 V7 H18 M12 10.5 V17.5 M8.5 14 H15.5',
    'open': 'M3 19 V6 H9 L11 8 H19 V11 M3 19 L6 11 H22 L19 19 Z',
    'save': 'R4 4 16 16 2 M8 4 V9 H15 V4 R7.5 13 9 7 1',
    'preview': 'M13 21 H5 V3 H13 L17 7 V9 O15 15 4 M18 18 L21 21',
    'print': 'M7 9 V3 H17 V9 M7 17 H4 V9 H20 V17 H17 R7 14 10 7 0.5',
    'mail': 'R3 5.5 18 13 1.5 M3.5 7 L12 13 L20.5 7',
    'desktop': 'R3 3.5 18 12.5 1.5 M12 16 V20 M8 20.5 H16 '
               'M7 12 C9 7 10 13 12 9 C13.5 6.5 14.5 11 17 8',
    'letter': 'M5 3 H19 V21 H5 Z M8 8 H16 M8 12 H16 M8 16 H16',
    'help': 'O12 12 9 M9.2 9.3 C9.4 6.8 14.8 6.6 14.8 9.6 C14.8 11.6 12 11.8 12 14 '
            'M12 17.3 V17.4',
    'close': 'M7 7 L17 17 M17 7 L7 17',
    'minimize': 'M6 17 H18',
    'scale': 'R6 6 12 12 1',
    'write': 'M15 4 L20 9 L9 20 H4 V15 Z M13 6 L18 11',
    'cancel': 'O12 12 9 M8.5 8.5 L15.5 15.5 M15.5 8.5 L8.5 15.5',
    'insert': 'M12 3 V14 M7.5 9.5 L12 14 L16.5 9.5 M4 14 V20 H20 V14',
    'undo': 'M8.5 13.5 L4 9 L8.5 4.5 M4 9 H14.5 C22 9 22 20 14.5 20 H10',
    'zoom_in': 'O10.5 10.5 6.5 M15.5 15.5 L20.5 20.5 M10.5 7.5 V13.5 M7.5 10.5 H13.5',
    'zoom_out': 'O10.5 10.5 6.5 M15.5 15.5 L20.5 20.5 M7.5 10.5 H13.5',
    'capture': 'M3 8 V3 H8 M16 3 H21 V8 M21 16 V21 H16 M8 21 H3 V16 '
               'R8 9.5 8 6 1 M10.5 9.5 L11.3 8 H12.7 L13.5 9.5',
    'picture': 'R3 5 15 13 1.5 M3.5 16 L8 11 L11 14 L13 12 L17.5 16.5 O13.5 8.8 1.3 '
               'M20 14 V22 M16 18 H24',
    'add_line': 'M3 5 H21 M3 10 H21 M3 15 H21 M17 16 V23 M13.5 19.5 H20.5',
    'move': 'R7 7 10 10 1 M12 1 V5 M10 3 L12 1 L14 3 M12 23 V19 M10 21 L12 23 L14 21 '
            'M1 12 H5 M3 10 L1 12 L3 14 M23 12 H19 M21 10 L23 12 L21 14',
}
# Icons that are another one seen in a mirror.
MIRRORED = {'redo': 'undo'}


def trace_path(c, data):
    """Adds the path data (see ICONS) to the context's path."""
    tokens = data.replace(',', ' ').split()
    i, x, y = 0, 0.0, 0.0

    def numbers(n):
        nonlocal i
        values = [float(t) for t in tokens[i:i + n]]
        i += n
        return values

    while i < len(tokens):
        op, first = tokens[i][0], tokens[i][1:]
        i += 1
        if first:
            tokens.insert(i, first)
        if op == 'M':
            x, y = numbers(2)
            c.move_to(x, y)
        elif op == 'L':
            x, y = numbers(2)
            c.line_to(x, y)
        elif op == 'H':
            (x,) = numbers(1)
            c.line_to(x, y)
        elif op == 'V':
            (y,) = numbers(1)
            c.line_to(x, y)
        elif op == 'C':
            x1, y1, x2, y2, x, y = numbers(6)
            c.curve_to(x1, y1, x2, y2, x, y)
        elif op == 'Z':
            c.close_path()
        elif op == 'O':
            cx, cy, r = numbers(3)
            c.new_sub_path()
            c.arc(cx, cy, r, 0, 2 * math.pi)
        elif op == 'R':
            rounded_rect(c, *numbers(5))
        else:
            raise ValueError('unknown path command ' + op)


def draw_icon(c, name, x, y, size, colour, width=2.0):
    """Icon `name` in the square (x, y, size), stroked in colour with a line of `width` pixels."""
    c.save()
    c.translate(x, y)
    c.scale(size / 24.0, size / 24.0)
    if name in MIRRORED:
        c.translate(24, 0)
        c.scale(-1, 1)
        name = MIRRORED[name]
    c.new_path()
    trace_path(c, ICONS[name])
    c.restore()
    set_colour(c, colour)
    c.set_line_width(width)
    c.set_line_cap(cairo.LINE_CAP_ROUND)
    c.set_line_join(cairo.LINE_JOIN_ROUND)
    c.stroke()


# ---------------------------------------------------------------------------------------------
# Button faces.

STATES = ('normal', 'pressed', 'focus', 'disabled')


def button_face(c, look, w, h, state, radius=6):
    """The bar behind a button and, for the states that show one, its rounded plate."""
    set_colour(c, look.bar)
    c.paint()
    if state == 'normal' or state == 'disabled':
        return
    inset = 1.5
    rounded_rect(c, inset, inset, w - 2 * inset, h - 2 * inset, radius)
    set_colour(c, look.pressed if state == 'pressed' else look.hover)
    c.fill_preserve()
    if state == 'pressed' and not look.flat:
        set_colour(c, look.accent, 0.55)
        c.set_line_width(1)
        c.stroke()
    c.new_path()


def icon_button(c, look, w, h, state, icon, text=None, icon_size=None):
    """A bar button: the icon centred (over a word, in the program's own look)."""
    button_face(c, look, w, h, state)
    colour = look.muted if state == 'disabled' else (look.accent if state == 'pressed' else look.ink)
    shift = 1 if state == 'pressed' else 0
    with_label = text and look.labels and h >= 36
    size = icon_size or (22 if with_label else min(24, h - 10, w - 8))
    x = round((w - size) / 2.0)
    y = (5 if with_label else round((h - size) / 2.0)) + shift
    draw_icon(c, icon, x, y, size, colour, 2.0 if size >= 20 else 1.75)
    if with_label:
        label(c, look, text, w / 2.0, h - 6 + shift, 9.0, colour)


# ---------------------------------------------------------------------------------------------
# The tools of the panel: small pictures standing on the panel's lower edge.

@contextmanager
def standing(c, cx, top, bottom, degrees):
    """Draws around the centre of (top, bottom) at cx, tilted; yields half the height."""
    c.save()
    c.translate(cx, (top + bottom) / 2.0)
    c.rotate(math.radians(degrees))
    try:
        yield (bottom - top) / 2.0
    finally:
        c.restore()


def fill(c, colour):
    set_colour(c, colour)
    c.fill()


def polygon(c, points):
    c.move_to(*points[0])
    for pt in points[1:]:
        c.line_to(*pt)
    c.close_path()


def _pencil(c, look, cx, top, bottom, flat):
    w = 9
    with standing(c, cx, top, bottom, 18) as half:
        rounded_rect(c, -w / 2, -half, w, 5, 2)
        fill(c, look.muted if flat else '#E59A9A')
        c.rectangle(-w / 2, -half + 5, w, 3)
        fill(c, look.muted if flat else '#B9BEC6')
        c.rectangle(-w / 2, -half + 8, w, 2 * half - 18)
        fill(c, look.ink if flat else '#F2C14E')
        if not flat:
            c.rectangle(-w / 2 + 3, -half + 8, 3, 2 * half - 18)
            fill(c, '#E3AE35')
        polygon(c, ((-w / 2, half - 10), (w / 2, half - 10), (0, half)))
        fill(c, look.bar if flat else '#EBD0A8')
        polygon(c, ((-2, half - 3.5), (2, half - 3.5), (0, half)))
        fill(c, look.ink if flat else '#3D4A5C')
        if flat:
            c.move_to(-w / 2, half - 10)
            c.line_to(0, half)
            c.line_to(w / 2, half - 10)
            set_colour(c, look.ink)
            c.set_line_width(1.2)
            c.stroke()


def _brush(c, look, cx, top, bottom, flat):
    with standing(c, cx, top, bottom, 18) as half:
        neck = half * 0.15
        polygon(c, ((-2.5, -half), (2.5, -half), (3.5, neck), (-3.5, neck)))
        fill(c, look.ink if flat else '#9C6B4E')
        c.rectangle(-4, neck, 8, 6)
        fill(c, look.muted if flat else '#B9BEC6')
        c.move_to(-4, neck + 6)
        c.curve_to(-5, half * 0.6, -1.5, half * 0.8, 0, half)
        c.curve_to(1.5, half * 0.8, 5, half * 0.6, 4, neck + 6)
        c.close_path()
        fill(c, look.ink if flat else '#2F3A48')


def _marker(c, look, cx, top, bottom, flat):
    w = 12
    with standing(c, cx, top, bottom, 18) as half:
        rounded_rect(c, -w / 2, -half, w, 2 * half - 11, 3)
        fill(c, look.ink if flat else '#4A5A6E')
        c.rectangle(-w / 2, -half + 6, w, 4)
        fill(c, look.accent if flat else '#F2DF4A')
        polygon(c, ((-w / 2 + 1.5, half - 11), (w / 2 - 1.5, half - 11), (w / 2 - 2.5, half - 5),
                    (-w / 2 + 2.5, half - 5)))
        fill(c, look.muted if flat else '#8A96A6')
        polygon(c, ((-3, half - 5), (3, half - 5), (3, half - 2), (-3, half)))
        fill(c, look.accent if flat else '#F2DF4A')


def _eraser(c, look, cx, top, bottom, flat):
    with standing(c, cx, top, bottom, -32) as half:
        h = 2 * half * 0.78
        w = h * 0.52
        rounded_rect(c, -w / 2, -h / 2, w, h, 3)
        fill(c, look.ink if flat else '#EE9A94')
        c.rectangle(-w / 2, -h / 2 + h * 0.22, w, h * 0.36)
        fill(c, look.accent if flat else '#5B8DB8')
        if not flat:
            rounded_rect(c, -w / 2, -h / 2, w, h, 3)
            set_colour(c, '#000000', 0.12)
            c.set_line_width(1)
            c.stroke()


def _picture_tool(c, look, cx, top, bottom, flat):
    size = min(bottom - top, 42)
    x = cx - size / 2.0
    y = top + (bottom - top - size) / 2.0
    k = size / 24.0
    # a small photograph inside the move arrows
    rounded_rect(c, x + 7 * k, y + 7 * k, 10 * k, 10 * k, 1)
    set_colour(c, '#FFFFFF' if not flat else look.bar)
    c.fill()
    c.move_to(x + 7.5 * k, y + 15.5 * k)
    c.line_to(x + 10.5 * k, y + 11.5 * k)
    c.line_to(x + 12.5 * k, y + 14 * k)
    c.line_to(x + 14 * k, y + 12.5 * k)
    c.line_to(x + 16.5 * k, y + 15.5 * k)
    c.close_path()
    set_colour(c, '#6FA37A' if not flat else look.accent)
    c.fill()
    draw_icon(c, 'move', x, y, size, look.ink, 2.0)


TOOLS = {'pencil': _pencil, 'brush': _brush, 'marker': _marker, 'eraser': _eraser,
         'picture': _picture_tool}
TOOL_WORDS = {'pencil': 'Pencil', 'brush': 'Brush', 'marker': 'Marker', 'eraser': 'Eraser',
              'picture': 'Move'}


def tool_button(c, look, w, h, state, tool, top):
    """A tool of the panel. `top` leaves room above a tool that a mode lifts over the panel's
    edge; the chosen tool ('selected') stands higher on an accent plate."""
    set_colour(c, look.bar)
    c.paint()
    label_h = 13 if look.labels else 0
    raised = 5 if state == 'selected' else 0
    if state in ('selected', 'focus', 'pressed'):
        rounded_rect(c, 1.5, top + 1.5, w - 3, h - top - 3, 7)
        set_colour(c, {'selected': look.selected, 'focus': look.hover,
                       'pressed': look.pressed}[state])
        c.fill_preserve()
        if state == 'selected':
            set_colour(c, look.accent)
            c.set_line_width(1.5)
            c.stroke()
        c.new_path()
    shift = 1 if state == 'pressed' else 0
    TOOLS[tool](c, look, w / 2.0, top + 4 - raised + shift, h - label_h - 3 - raised + shift,
                look.flat)
    if state == 'disabled':
        set_colour(c, look.bar, 0.55)
        c.paint()
    if label_h:
        colour = look.accent if state == 'selected' else look.ink
        label(c, look, TOOL_WORDS[tool], w / 2.0, h - 4, 9.0, colour, state == 'selected')


# ---------------------------------------------------------------------------------------------
# Width pictures: the chip that opens the popup, and the popup's five widths.

WIDTH_PIXELS = (1, 2, 4, 6, 9)


def width_chip(c, look, w, h, state):
    button_face(c, look, w, h, state, radius=5)
    colour = look.accent if state == 'pressed' else look.ink
    set_colour(c, colour)
    x0, x1 = 5, w - 12
    ys = (h * 0.28, h * 0.5, h * 0.76)
    for i, y in enumerate(ys):
        c.set_line_width(1 + i)
        c.set_line_cap(cairo.LINE_CAP_ROUND)
        c.move_to(x0, y)
        c.line_to(x1, y)
        c.stroke()
    # the caret says that something opens upwards
    cx, cy = w - 6.5, h / 2.0
    c.move_to(cx - 3, cy + 1.5)
    c.line_to(cx, cy - 2)
    c.line_to(cx + 3, cy + 1.5)
    c.close_path()
    c.fill()


def width_choice(c, look, w, h, state, level):
    """One width of the popup: its number and a line of that width."""
    face = look.pressed if state == 'pressed' else look.hover if state == 'focus' else look.bar
    if not look.flat:
        face = '#FFFFFF' if state == 'normal' else face
    set_colour(c, face)
    c.paint()
    colour = look.accent if state in ('pressed', 'focus') else look.ink
    if h >= 12:
        label(c, look, str(level), 5, h / 2.0 + 3.5, 9.0, colour, True)
        x0 = 12
    else:
        x0 = 4
    pixels = WIDTH_PIXELS[level - 1] if h >= 12 else max(1, WIDTH_PIXELS[level - 1] * 2 // 3)
    set_colour(c, colour)
    c.set_line_width(pixels)
    c.set_line_cap(cairo.LINE_CAP_ROUND)
    y = h / 2.0 if pixels % 2 == 0 else math.floor(h / 2.0) + 0.5
    c.move_to(x0 + pixels / 2.0, y)
    c.line_to(w - 4 - pixels / 2.0, y)
    c.stroke()
