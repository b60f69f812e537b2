"""The shell's larger pictures: the bars' backgrounds, the window shapes, the pen-width popup's
face, the about box and the capture dialog. Quiet fields ("wells") and captions on the
backgrounds sit exactly where the program places the colour blocks, swatches and buttons
(app/BarLayout.cpp), so nothing is drawn under a control.
"""
import math

from shell_icons import (button_face, draw_icon, icon_button, label, rgb, rounded_rect,
                         set_colour)

# Where the backgrounds leave room for the panel's colour blocks and swatches, and where they
# put captions over groups of buttons: (x, y, w, h) and (word, centre x, baseline).
PANEL_DECOR = {
    ('builtin', 'letter'): {
        'wells': ((356, 27, 177, 56), (316, 34, 42, 42)),
        'frames': ((322, 40, 18, 18), (332, 52, 18, 18)),
        'captions': (('Lines', 291, 31), ('Colours', 444, 22), ('Edit', 559, 24),
                     ('View', 620, 24), ('Picture', 698, 24), ('Page', 768, 24)),
    },
    ('builtin', 'strip'): {'wells': ((295, 8, 168, 53), (242, 4, 28, 28)),
                           'frames': ((247, 9, 18, 18),), 'captions': ()},
    ('alt', 'letter'): {
        'wells': ((306, 30, 168, 51), (266, 32, 40, 40)),
        'frames': (),
        'captions': (('Lines', 239, 31), ('Colours', 390, 26), ('Edit', 518, 28),
                     ('View', 582, 28), ('Picture', 660, 28), ('Page', 724, 28)),
    },
    ('alt', 'strip'): {'wells': ((256, 4, 168, 51), (228, 17, 28, 28)), 'frames': (),
                       'captions': ()},
}
STRIP_RADIUS = 12


def logo(c, look, x, y, size):
    """The program's mark: a quill's nib writing a loop, on a rounded plate."""
    rounded_rect(c, x, y, size, size, size * 0.28)
    set_colour(c, look.accent)
    c.fill()
    k = size / 24.0
    c.save()
    c.translate(x, y)
    c.scale(k, k)
    c.move_to(5, 17)
    c.curve_to(7, 11, 10, 16, 12, 12)
    c.curve_to(13.5, 9, 15, 9, 19, 5)
    c.restore()
    set_colour(c, look.bar)
    c.set_line_width(max(1.5, 2.2 * k))
    c.stroke()


def wordmark(c, look, x, baseline, size):
    c.select_font_face('DejaVu Sans', 0, 1)
    c.set_font_size(size)
    set_colour(c, look.muted)
    c.move_to(x, baseline)
    c.show_text('Quillet')


def _decor(c, look, kind):
    decor = PANEL_DECOR[(look.name, kind)]
    for (x, y, w, h) in decor['wells']:
        rounded_rect(c, x, y, w, h, 8)
        set_colour(c, look.well)
        c.fill()
    # A hairline around each swatch; the program fills the inside with the colour.
    for (x, y, w, h) in decor['frames']:
        c.rectangle(x - 0.5, y - 0.5, w + 1, h + 1)
        set_colour(c, look.muted)
        c.set_line_width(1)
        c.stroke()
    for word, cx, baseline in decor['captions']:
        label(c, look, word, cx, baseline, 9.0, look.muted)


def _hairline(c, look, y, x0, x1):
    c.rectangle(x0, y, x1 - x0, 1)
    set_colour(c, look.hairline)
    c.fill()


def _strip_border(c, look, w, h, top):
    """The outline of the inking strip: this picture is its upper (top) or lower half."""
    r = STRIP_RADIUS
    y = 0.5 if top else -r - 1
    height = h + r + 1 if top else h + r + 0.5
    rounded_rect(c, 0.5, y, w - 1, height - 0.5 if top else height, r)
    set_colour(c, look.hairline)
    c.set_line_width(1)
    c.stroke()


def bar_letter(c, look, w, h):
    set_colour(c, look.bar)
    c.paint()
    _hairline(c, look, h - 1, 0, w)
    if look.flat:
        return
    for x in (228, 333):
        _hairline(c, look, 0, x, x + 1)
        c.rectangle(x, 10, 1, h - 20)
        set_colour(c, look.hairline)
        c.fill()
    logo(c, look, 398, 13, 24)
    wordmark(c, look, 430, 31, 15)


def bar_strip(c, look, w, h, inking):
    set_colour(c, look.bar)
    c.paint()
    _hairline(c, look, h - 1, 8, w - 8)
    size = 26 if not look.flat else 22
    logo(c, look, 12 if not look.flat else 14, (h - size) // 2 - (4 if not look.flat else 0), size)
    if not look.flat:
        label(c, look, 'Quillet', 25, 46, 8.5, look.muted, True)
    if inking and not look.flat:
        _strip_border(c, look, w, h, True)


def panel_letter(c, look, w, h, small):
    set_colour(c, look.bar)
    c.paint()
    if not small:
        _decor(c, look, 'letter')


def panel_strip(c, look, w, h, inking):
    set_colour(c, look.bar)
    c.paint()
    _decor(c, look, 'strip')
    if inking and not look.flat:
        _strip_border(c, look, w, h, False)


def add_backgrounds(sheet, look):
    sheet.add(260, 1300, 52, lambda c: bar_letter(c, look, 1300, 52))
    sheet.add(269, 629, 53, lambda c: bar_strip(c, look, 629, 53, False))
    sheet.add(271, 629, 53, lambda c: bar_strip(c, look, 629, 53, True))
    sheet.add(272, 1300, 85, lambda c: panel_letter(c, look, 1300, 85, False))
    sheet.add(433, 1300, 85, lambda c: panel_letter(c, look, 1300, 85, True))
    sheet.add(319, 629, 63, lambda c: panel_strip(c, look, 629, 63, False))
    sheet.add(327, 629, 63, lambda c: panel_strip(c, look, 629, 63, True))


def strip_shape(c):
    """The inking strip's outline: black where the window is, white around it."""
    c.set_source_rgb(1, 1, 1)
    c.paint()
    c.set_antialias(0 + 1)  # no anti-aliasing: a shape has no half pixels
    rounded_rect(c, 0, 0, 629, 116, STRIP_RADIUS)
    c.set_source_rgb(0, 0, 0)
    c.fill()


def line_colour_button(c, look, w, h, state):
    """A small sheet of ruled paper: the button that sets the colour of the ruled lines."""
    button_face(c, look, w, h, state)
    shift = 1 if state == 'pressed' else 0
    pw, ph = 20, 18 if look.labels else 20
    x, y = (w - pw) // 2, (4 if look.labels else (h - ph) // 2) + shift
    rounded_rect(c, x + 0.5, y + 0.5, pw - 1, ph - 1, 2)
    set_colour(c, look.paper)
    c.fill_preserve()
    set_colour(c, look.ink if state != 'pressed' else look.accent)
    c.set_line_width(1)
    c.stroke()
    for ry in (y + 6, y + 10, y + 14):
        c.rectangle(x + 3, ry, pw - 6, 2)
        set_colour(c, '#A79F84')
        c.fill()
    if look.labels:
        colour = look.accent if state == 'pressed' else look.ink
        label(c, look, 'Lines', w / 2.0, h - 6 + shift, 9.0, colour)


def popup_back(c, look, w, h):
    set_colour(c, look.bar)
    c.paint()
    rounded_rect(c, 0.5, 0.5, w - 1, h - 1, 7)
    set_colour(c, '#FFFFFF' if not look.flat else look.well)
    c.fill_preserve()
    set_colour(c, look.hairline)
    c.set_line_width(1)
    c.stroke()
    if not look.flat:
        label(c, look, 'Width', w / 2.0, 11, 8.5, look.muted, True)


def popup_shape(c, look, w, h):
    """The popup's outline, two pixels wider than its face: those columns stay outside."""
    c.set_source_rgb(1, 1, 1)
    c.paint()
    c.set_antialias(1)
    rounded_rect(c, 0, 0, w, h, 7)
    c.set_source_rgb(0, 0, 0)
    c.fill()


def _ruled_paper(c, look, w, h, rules):
    set_colour(c, look.paper)
    c.paint()
    for y in rules:
        c.rectangle(0, y, w, 1.5)
        set_colour(c, look.rule)
        c.fill()


def _flourish(c, colour, x0, y0, x1, width):
    """A hand-written swash, thick and thin like the brush writes it."""
    steps = 120
    r, g, b = rgb(colour)
    for i in range(steps):
        t0, t1 = i / steps, (i + 1) / steps
        pts = []
        for t in (t0, t1):
            x = x0 + (x1 - x0) * t
            y = y0 + 14 * math.sin(t * math.pi * 3.2) * (1 - t * 0.6) - 10 * t
            pts.append((x, y))
        c.set_source_rgb(r, g, b)
        c.set_line_width(1 + width * math.sin(math.pi * t0) ** 1.5)
        c.set_line_cap(1)
        c.move_to(*pts[0])
        c.line_to(*pts[1])
        c.stroke()


def about_picture(c, look, variant):
    """The about box: ruled note paper, the lines of text written on its rules by the program,
    and a swash of ink with the program's mark. Variant 1 is the second product picture."""
    w, h = 320, 200
    if look.flat:
        set_colour(c, '#ECEFF4')
        c.paint()
        c.rectangle(0, 138, w, h - 138)
        set_colour(c, look.bar)
        c.fill()
        c.rectangle(0, 138, w, 3)
        set_colour(c, look.accent if variant == 0 else '#D08770')
        c.fill()
        logo(c, look, 24, 156, 28)
        c.select_font_face('DejaVu Sans', 0, 1)
        c.set_font_size(16)
        set_colour(c, look.ink)
        c.move_to(62, 176)
        c.show_text('Quillet' if variant == 0 else 'Scribola')
        return
    _ruled_paper(c, look, w, h, (48, 68, 118))
    paper_edge = '#C9C3A8'
    c.rectangle(0.5, 0.5, w - 1, h - 1)
    set_colour(c, paper_edge)
    c.set_line_width(1)
    c.stroke()
    c.rectangle(28, 0, 1, h)
    set_colour(c, '#D9A7A0')
    c.fill()
    ink = look.accent if variant == 0 else '#C8642C'
    _flourish(c, ink, 60, 160, 250, 4.0)
    logo_look = look if variant == 0 else look.__class__(**{**look.__dict__, 'accent': ink})
    logo(c, logo_look, 262, 146, 34)


def add_capture_dialog(sheet, look):
    """The capture dialog's face (352) and its start (353 to 355) and cancel (356 to 358)
    buttons."""
    w, h = 192, 60
    bw, bh = (40, 38) if not look.flat else (36, 28)

    def face(c):
        set_colour(c, look.bar)
        c.paint()
        if look.flat:
            c.rectangle(0.5, 0.5, w - 1, h - 1)
        else:
            rounded_rect(c, 0.5, 0.5, w - 1, h - 1, 30)
        set_colour(c, look.hairline)
        c.set_line_width(1)
        c.stroke()
        # grips at both ends say that the dialog can be dragged
        for gx in ((16, 172) if not look.flat else (14, 174)):
            for gy in (24, 30, 36):
                c.arc(gx, gy, 1.3, 0, 2 * math.pi)
                c.arc(gx + 5, gy, 1.3, 0, 2 * math.pi)
                set_colour(c, look.muted)
                c.fill()

    sheet.add(352, w, h, face)
    for icon, ids in (('capture', (353, 354, 355)), ('close', (356, 357, 358))):
        for rid, state in zip(ids, ('normal', 'pressed', 'focus')):
            sheet.add(rid, bw, bh, lambda c, i=icon, s=state:
                      icon_button(c, look, bw, bh, s, i, None, 22 if not look.flat else 18))
