"""Nimbrel's icon art, read by scripts/make_icons.py.

Every icon is a function of the pixel size it is drawn at, returning layers
painted in order on a 32 x 32 unit canvas (x right, y down). Most icons draw
the same art at every size; a few simplify it for 16 px.
"""

import math

# Palette. Each colour has a darker partner for the rim, so the shapes keep
# their edge on light and dark backgrounds alike.
BLUE, BLUE_DK, BLUE_LT = '#3b87db', '#1b4f8e', '#cfe2f8'
BLUE_MID = '#7fb2ec'
GREEN, GREEN_DK = '#2fa650', '#16642c'
RED, RED_DK = '#e0483d', '#8e1f17'
AMBER, AMBER_BACK, AMBER_DK = '#ffc94d', '#eaa42c', '#98600e'
PENCIL_DK, PENCIL_WOOD, PENCIL_LEAD, PENCIL_CAP = '#c27a06', '#f7dfb4', '#3a3f47', '#ef8b84'
PAPER, PAPER_DK, PAPER_FOLD = '#ffffff', '#5b6a7c', '#dce4ee'
INK = '#9eabba'
STEEL, STEEL_DK, STEEL_LT = '#a9b8c9', '#46566a', '#d7e0ea'
WHITE = '#ffffff'


# --- shapes -----------------------------------------------------------------

def rrect(x0, y0, x1, y1, r=0):
    """Rounded rectangle; edges snap to pixel boundaries."""
    return ('rrect', x0, y0, x1, y1, r)


def circle(cx, cy, r):
    return ('circle', cx, cy, r)


def poly(pts, snap=True):
    """Closed polygon; with snap its corners move onto pixel boundaries."""
    return ('poly', [tuple(p) for p in pts], snap)


def line(pts, w, snap='all'):
    """Stroke with round ends. snap: 'all' puts every point on the pixel
    grid, 'shift' moves the whole path so its first point is, None leaves
    it alone."""
    return ('line', [tuple(p) for p in pts], w, snap)


def union(*shapes):
    return ('union', list(shapes))


def diff(a, b):
    """a with b cut out of it."""
    return ('diff', a, b)


def arc(cx, cy, r, a0, a1, steps=24):
    """Points along an arc, angles in degrees, clockwise on screen."""
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        # Rounded so the art doesn't hinge on the last bit of the libm.
        pts.append((round(cx + r * math.cos(a), 6), round(cy + r * math.sin(a), 6)))
    return pts


# --- layers -----------------------------------------------------------------

def fill(shape, colour, outline=None):
    """Paint a shape; outline draws a rim just inside its edge."""
    return {'op': 'fill', 'geom': shape, 'fill': colour, 'outline': outline}


def clear(shape, grow=0):
    """Erase a shape (grown by grow units) from what is below, leaving a
    transparent gap that separates an overlay from the art behind it."""
    return {'op': 'clear', 'geom': shape, 'grow': grow}


# --- parts shared by several icons ------------------------------------------

BADGE_CX, BADGE_CY, BADGE_R = 25, 25, 7


def badge(kind):
    """Green plus or red minus disc in the bottom right corner."""
    disc = circle(BADGE_CX, BADGE_CY, BADGE_R)
    colour, dark = (GREEN, GREEN_DK) if kind == '+' else (RED, RED_DK)
    bars = [rrect(20, 24, 30, 26)]
    if kind == '+':
        bars.append(rrect(24, 20, 26, 30))
    return [clear(disc, grow=2), fill(disc, colour, dark)] + \
        [fill(b, WHITE) for b in bars]


def page(x0, y0, x1, y1, fold=7, lines=()):
    """A sheet of paper with a dog-ear and lines of text."""
    outline = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    ear = [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]
    layers = [fill(poly(outline), PAPER, PAPER_DK),
              fill(poly(ear), PAPER_FOLD, PAPER_DK)]
    for lx0, ly, lx1 in lines:
        layers.append(fill(rrect(lx0, ly, lx1, ly + 2), INK))
    return layers


def tag():
    """A luggage label: the file property."""
    body = poly([(1, 13), (9, 4), (27, 4), (27, 22), (9, 22)])
    return [fill(diff(body, circle(9, 13, 2.2)), BLUE, BLUE_DK),
            fill(rrect(14, 10, 24, 12), BLUE_LT), fill(rrect(14, 14, 21, 16), BLUE_LT)]


def block_arrow(up):
    pts = [(16, 2), (30, 16), (21, 16), (21, 30), (11, 30), (11, 16), (2, 16)]
    if not up:
        pts = [(x, 32 - y) for x, y in pts]
    return [fill(poly(pts), BLUE, BLUE_DK)]


# --- the icons ----------------------------------------------------------------

def pencil(back, tip, half, tip_len=6, cap_len=4):
    """A pencil lying from back to tip, as filled layers."""
    (ax, ay), (px, py) = back, tip
    length = math.hypot(px - ax, py - ay)
    dx, dy = (px - ax) / length, (py - ay) / length
    nx, ny = -dy * half, dx * half

    def at(s, side=0.0):
        return (round(ax + dx * s + nx * side, 6), round(ay + dy * s + ny * side, 6))
    body_end = length - tip_len
    whole = poly([at(0, 1), at(body_end, 1), at(length), at(body_end, -1), at(0, -1)], snap=False)
    wood = poly([at(body_end, 1), at(length), at(body_end, -1)], snap=False)
    lead = poly([at(length - tip_len * 0.4, 0.4), at(length), at(length - tip_len * 0.4, -0.4)], snap=False)
    cap = poly([at(0, 1), at(cap_len, 1), at(cap_len, -1), at(0, -1)], snap=False)
    return [clear(whole, grow=2),
            fill(whole, AMBER, PENCIL_DK),
            fill(wood, PENCIL_WOOD, PENCIL_DK),
            fill(lead, PENCIL_LEAD),
            fill(cap, PENCIL_CAP, PENCIL_DK)]


def app(size):
    # A fanned stack of documents being edited: many files, changed at once.
    layers = [fill(rrect(11, 1, 29, 21, 2), BLUE, BLUE_DK),
              fill(rrect(7, 4, 25, 25, 2), BLUE_MID, BLUE_DK),
              fill(rrect(3, 8, 21, 30, 2), PAPER, PAPER_DK)]
    rows = (13, 19) if size <= 16 else (13, 18, 23)
    for y in rows:
        layers += [fill(rrect(6, y, 9, y + 3), BLUE), fill(rrect(11, y, 17, y + 2), INK)]
    return layers + pencil((30, 12), (14, 28), 3.5)


def add_folder(size):
    return [fill(union(rrect(2, 4, 14, 12, 2), rrect(2, 7, 30, 28, 2)), AMBER_BACK, AMBER_DK),
            fill(rrect(2, 12, 30, 28, 2), AMBER, AMBER_DK)] + badge('+')


def add_files(size):
    return page(4, 1, 26, 31, lines=[(8, 12, 21), (8, 16, 21), (8, 20, 16)]) + badge('+')


def undo(size):
    # Hooked arrow turning back to the left: counter-clockwise. The hook's
    # height (16) keeps both straight runs on the pixel grid at every size.
    path = [(11, 12), (19, 12)] + arc(19, 20, 8, -90, 90) + [(10, 28)]
    head = poly([(1, 12), (12, 2), (12, 22)])
    return [fill(union(line(path, 6, snap='shift'), head), BLUE, BLUE_DK)]


def invert_selection(size):
    right = [(2, 6), (20, 6), (20, 2), (29, 10), (20, 18), (20, 14), (2, 14)]
    left = [(32 - x, y + 12) for x, y in right]
    return [fill(poly(right), BLUE, BLUE_DK), fill(poly(left), WHITE, BLUE_DK)]


def remove(size):
    cross = union(line([(8, 8), (24, 24)], 7), line([(24, 8), (8, 24)], 7))
    return [fill(cross, RED, RED_DK)]


def select_all(size):
    layers = []
    for top in (2, 12, 22):
        layers.append(fill(rrect(13, top, 30, top + 8, 1), BLUE_LT, BLUE))
        layers.append(fill(line([(3, top + 4), (5.5, top + 6.5), (10, top + 2)], 3.5, snap=None), GREEN))
    return layers


def empty_list(size):
    body = poly([(6, 10), (26, 10), (24, 30), (8, 30)])
    layers = [fill(rrect(12, 2, 20, 7, 1), STEEL_LT, STEEL_DK),
              fill(body, STEEL, STEEL_DK),
              fill(rrect(4, 6, 28, 11, 1), STEEL_LT, STEEL_DK)]
    for x in (12, 16, 20):
        layers.append(fill(rrect(x - 1, 14, x + 1, 26), STEEL_DK))
    return layers


def add_property(size):
    return tag() + badge('+')


def remove_property(size):
    return tag() + badge('-')


def export(size):
    arrow = poly([(13, 17), (21, 17), (21, 11), (31, 21), (21, 31), (21, 25), (13, 25)])
    return page(2, 1, 22, 31, lines=[(6, 10, 16), (6, 14, 16)]) + \
        [clear(arrow, grow=2), fill(arrow, GREEN, GREEN_DK)]


def move_down(size):
    return block_arrow(up=False)


def move_up(size):
    return block_arrow(up=True)


ICONS = {
    128: app,
    155: add_folder,
    161: add_files,
    165: undo,
    167: invert_selection,
    168: remove,
    169: select_all,
    170: empty_list,
    180: add_property,
    182: remove_property,
    186: export,
    189: move_down,
    190: move_up,
}
