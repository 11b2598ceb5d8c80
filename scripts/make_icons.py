#!/usr/bin/env python3
"""Draw Nimbrel's icons from resources/icons/art.py and write .ico files.

    python3 scripts/make_icons.py OUTDIR [--png PREVIEWDIR]

Writes OUTDIR/icon_<ID>.ico (16, 24, 32, 48 and 64 px, 32-bit BGRA DIB
entries) for every icon in the art; --png also writes preview sheets.
Only the standard library is used and the output is byte-identical from run
to run, so the build can regenerate the icons whenever the art changes.
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64)
ART_UNITS = 32.0          # the art is drawn on a 32 x 32 canvas
SUPERSAMPLE = 8           # 8 x 8 samples for pixels on an edge
EDGE = 0.75               # > half a pixel diagonal: pixel centre decides


def rnd(v):
    """Round half up; round() rounds halves to even, which skews edges."""
    return math.floor(v + 0.5)


def parse_colour(text):
    text = text.lstrip('#')
    if len(text) == 6:
        text += 'ff'
    if len(text) != 8:
        raise ValueError('bad colour %r' % text)
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in range(0, 8, 2))


# ---------------------------------------------------------------------------
# Geometry, in pixels. Each shape gives a signed distance (negative inside)
# that never overstates the true distance, plus a bounding box.

class Shape:
    def __init__(self, sdf, box):
        self.sdf = sdf
        self.box = box  # x0, y0, x1, y1


def make_rrect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - r
    return Shape(sdf, (x0, y0, x1, y1))


def make_circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r,
                 (cx - r, cy - r, cx + r, cy + r))


def segment_distance2(wx, wy, ex, ey, il):
    """Squared distance from a point, given relative to a segment's start, to the
    segment (ex, ey) with il = 1 / |e|^2."""
    t = (wx * ex + wy * ey) * il
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    dx, dy = wx - ex * t, wy - ey * t
    return dx * dx + dy * dy


def prepare_segments(segs):
    """(ax, ay, ex, ey, 1/|e|^2) per segment, for the distance loops."""
    out = []
    for ax, ay, bx, by in segs:
        ex, ey = bx - ax, by - ay
        ll = ex * ex + ey * ey
        out.append((ax, ay, ex, ey, 1.0 / ll if ll else 0.0))
    return out


def make_poly(pts):
    edges = prepare_segments([(pts[i - 1][0], pts[i - 1][1], pts[i][0], pts[i][1])
                              for i in range(len(pts))])

    def sdf(x, y):
        d2 = math.inf
        inside = False
        for ax, ay, ex, ey, il in edges:
            wx, wy = x - ax, y - ay
            dd = segment_distance2(wx, wy, ex, ey, il)
            if dd < d2:
                d2 = dd
            if (ay > y) != (ay + ey > y):
                # Crossing test for a ray going right from (x, y).
                c = wx * ey - wy * ex
                if (c < 0) == (ey > 0):
                    inside = not inside
        d = math.sqrt(d2)
        return -d if inside else d
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def make_line(pts, w):
    segs = prepare_segments([(pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1])
                             for i in range(len(pts) - 1)] or [(pts[0][0], pts[0][1]) * 2])
    h = w / 2

    def sdf(x, y):
        d2 = math.inf
        for ax, ay, ex, ey, il in segs:
            dd = segment_distance2(x - ax, y - ay, ex, ey, il)
            if dd < d2:
                d2 = dd
        return math.sqrt(d2) - h
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(sdf, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))


def make_union(shapes):
    def sdf(x, y):
        return min(s.sdf(x, y) for s in shapes)
    return Shape(sdf, (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
                       max(s.box[2] for s in shapes), max(s.box[3] for s in shapes)))


def make_diff(a, b):
    return Shape(lambda x, y: max(a.sdf(x, y), -b.sdf(x, y)), a.box)


def make_grown(s, g):
    b = s.box
    return Shape(lambda x, y: s.sdf(x, y) - g, (b[0] - g, b[1] - g, b[2] + g, b[3] + g))


def make_band(s, w):
    """The inner rim of a shape, w pixels wide: its outline."""
    def sdf(x, y):
        d = s.sdf(x, y)
        return max(d, -d - w)
    return Shape(sdf, s.box)


# ---------------------------------------------------------------------------
# Art units to pixels. Edges of rectangles and polygons land on pixel
# boundaries and straight strokes on pixel centres (odd widths) or
# boundaries (even widths), so small sizes stay crisp instead of smeared.

class Hinter:
    def __init__(self, size):
        self.size = size
        self.k = size / ART_UNITS

    def edge(self, v):
        return rnd(v * self.k)

    def width(self, w):
        return max(1, rnd(w * self.k))

    def centre(self, v, wpx):
        """Stroke centre so that a wpx wide stroke covers whole pixels."""
        if wpx % 2:
            return math.floor(v * self.k) + 0.5
        return rnd(v * self.k)

    def outline(self):
        return max(1, rnd(self.size / ART_UNITS))


def compile_geom(g, h):
    kind = g[0]
    k = h.k
    if kind == 'rrect':
        _, x0, y0, x1, y1, r = g
        x0, y0, x1, y1 = h.edge(x0), h.edge(y0), h.edge(x1), h.edge(y1)
        return make_rrect(x0, y0, max(x1, x0 + 1), max(y1, y0 + 1), r * k)
    if kind == 'circle':
        _, cx, cy, r = g
        # Half-pixel radius steps with the centre on the matching grid keep
        # circles symmetric within their pixels.
        d = max(1, rnd(2 * r * k))
        cx = math.floor(cx * k) + 0.5 if d % 2 else rnd(cx * k)
        cy = math.floor(cy * k) + 0.5 if d % 2 else rnd(cy * k)
        return make_circle(cx, cy, d / 2)
    if kind == 'poly':
        _, pts, snap = g
        if snap:
            pts = [(h.edge(x), h.edge(y)) for x, y in pts]
        else:
            pts = [(x * k, y * k) for x, y in pts]
        return make_poly(pts)
    if kind == 'line':
        _, pts, w, snap = g
        wpx = h.width(w)
        if snap == 'all':
            pts = [(h.centre(x, wpx), h.centre(y, wpx)) for x, y in pts]
        else:
            pts = [(x * k, y * k) for x, y in pts]
            if snap == 'shift':
                # Curves keep their shape: move the whole path so that its
                # first point sits on the pixel grid.
                fx, fy = g[1][0]
                dx, dy = h.centre(fx, wpx) - fx * k, h.centre(fy, wpx) - fy * k
                pts = [(x + dx, y + dy) for x, y in pts]
        return make_line(pts, wpx)
    if kind == 'union':
        return make_union([compile_geom(s, h) for s in g[1]])
    if kind == 'diff':
        return make_diff(compile_geom(g[1], h), compile_geom(g[2], h))
    raise ValueError('unknown shape %r' % kind)


# ---------------------------------------------------------------------------
# Rasterising and compositing, premultiplied floats.

def coverage(shape, size):
    """Yield (index, coverage) for pixels the shape touches."""
    x0, y0, x1, y1 = shape.box
    sdf = shape.sdf
    n = SUPERSAMPLE
    offs = [(i + 0.5) / n for i in range(n)]
    full = float(n * n)
    left = max(0, math.floor(x0) - 1)
    right = min(size, math.ceil(x1) + 1)
    for py in range(max(0, math.floor(y0) - 1), min(size, math.ceil(y1) + 1)):
        px = left
        while px < right:
            d = sdf(px + 0.5, py + 0.5)
            # The distance changes by at most one per pixel, so the pixels
            # this far from an edge are decided without looking at them.
            if d >= EDGE:
                px += max(1, math.floor(d - EDGE) + 1)
                continue
            if d <= -EDGE:
                for _ in range(min(right - px, max(1, math.floor(-d - EDGE) + 1))):
                    yield py * size + px, 1.0
                    px += 1
                continue
            hits = 0
            for oy in offs:
                y = py + oy
                i = 0
                while i < n:
                    # Same trick at sample spacing: one distance settles the
                    # samples after it in the row.
                    d = sdf(px + offs[i], y)
                    if d < 0:
                        run = min(n - i, math.ceil(-d * n))
                        hits += run
                    else:
                        run = min(n - i, math.floor(d * n) + 1)
                    i += run
            if hits:
                yield py * size + px, hits / full
            px += 1


def paint(buf, shape, colour, size):
    r, g, b, a = colour
    for i, c in coverage(shape, size):
        sa = a * c
        keep = 1.0 - sa
        j = i * 4
        buf[j] = r * sa + buf[j] * keep
        buf[j + 1] = g * sa + buf[j + 1] * keep
        buf[j + 2] = b * sa + buf[j + 2] * keep
        buf[j + 3] = sa + buf[j + 3] * keep


def erase(buf, shape, size):
    for i, c in coverage(shape, size):
        keep = 1.0 - c
        j = i * 4
        for t in range(4):
            buf[j + t] *= keep


def render(layers, size):
    """Return straight-alpha RGBA bytes, rows top to bottom."""
    h = Hinter(size)
    buf = [0.0] * (size * size * 4)
    for layer in layers:
        shape = compile_geom(layer['geom'], h)
        if layer['op'] == 'clear':
            grow = layer.get('grow', 0)
            if grow:
                shape = make_grown(shape, max(1, rnd(grow * h.k)))
            erase(buf, shape, size)
            continue
        paint(buf, shape, parse_colour(layer['fill']), size)
        if layer.get('outline'):
            paint(buf, make_band(shape, h.outline()), parse_colour(layer['outline']), size)
    out = bytearray(size * size * 4)
    for i in range(size * size):
        a = buf[i * 4 + 3]
        if a <= 0.0:
            continue
        for t in range(3):
            out[i * 4 + t] = min(255, rnd(buf[i * 4 + t] / a * 255))
        out[i * 4 + 3] = min(255, rnd(a * 255))
    return bytes(out)


# ---------------------------------------------------------------------------
# File formats.

def ico_bytes(images):
    """images: [(size, rgba)]. Every entry is a 32-bit BI_RGB DIB with an
    AND mask, which every LoadImage version accepts."""
    entries = []
    blobs = []
    offset = 6 + 16 * len(images)
    for size, rgba in images:
        mask_stride = ((size + 31) // 32) * 4
        xor = bytearray()
        mask = bytearray()
        for y in range(size - 1, -1, -1):  # DIB rows go bottom up
            row = rgba[y * size * 4:(y + 1) * size * 4]
            bits = bytearray(mask_stride)
            for x in range(size):
                r, g, b, a = row[x * 4:x * 4 + 4]
                xor += bytes((b, g, r, a))
                if a == 0:
                    bits[x >> 3] |= 0x80 >> (x & 7)
            mask += bits
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                             len(xor) + len(mask), 0, 0, 0, 0)
        blob = header + bytes(xor) + bytes(mask)
        dim = size if size < 256 else 0
        entries.append(struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack('<HHH', 0, 1, len(images)) + b''.join(entries) + b''.join(blobs)


def png_bytes(width, height, rgba):
    def chunk(tag, data):
        return (struct.pack('>I', len(data)) + tag + data +
                struct.pack('>I', zlib.crc32(tag + data) & 0xffffffff))
    stride = width * 4
    raw = b''.join(b'\0' + rgba[y * stride:(y + 1) * stride] for y in range(height))
    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def write_file(path, data):
    # Leave an identical file alone so its timestamp doesn't trigger relinks.
    try:
        with open(path, 'rb') as f:
            if f.read() == data:
                return
    except OSError:
        pass
    with open(path, 'wb') as f:
        f.write(data)


# ---------------------------------------------------------------------------
# Preview sheets: every icon at every size over a light and a dark backdrop,
# and the small sizes blown up so single pixels can be judged.

DIGITS = {  # 3 x 5 bitmaps for the row labels
    '0': '111101101101111', '1': '010110010010111', '2': '111001111100111',
    '3': '111001111001111', '4': '101101111001001', '5': '111100111001111',
    '6': '111100111101111', '7': '111001010010010', '8': '111101111101111',
    '9': '111101111001111'}

LIGHT = (0xf3, 0xf3, 0xf3)
DARK = (0x2b, 0x2d, 0x31)


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = bytearray(bytes((bg[0], bg[1], bg[2], 255)) * (w * h))

    def rect(self, x0, y0, x1, y1, rgb):
        for y in range(y0, y1):
            for x in range(x0, x1):
                j = (y * self.w + x) * 4
                self.px[j:j + 3] = bytes(rgb)

    def blit(self, x0, y0, size, rgba, zoom=1):
        for y in range(size * zoom):
            for x in range(size * zoom):
                s = ((y // zoom) * size + x // zoom) * 4
                a = rgba[s + 3] / 255.0
                j = ((y0 + y) * self.w + x0 + x) * 4
                for t in range(3):
                    self.px[j + t] = rnd(rgba[s + t] * a + self.px[j + t] * (1 - a))

    def label(self, x0, y0, text, rgb, scale=2):
        for n, ch in enumerate(text):
            bits = DIGITS[ch]
            for i, bit in enumerate(bits):
                if bit == '1':
                    x = x0 + (n * 4 + i % 3) * scale
                    y = y0 + (i // 3) * scale
                    self.rect(x, y, x + scale, y + scale, rgb)


def preview_sheets(icons):
    """icons: [(id, {size: rgba})] -> [(name, width, height, rgba)]"""
    pad, label_w = 8, 36
    section = sum(s + pad for s in SIZES) + pad
    row_h = max(SIZES) + pad
    sheet = Canvas(label_w + 2 * section, len(icons) * row_h + pad, LIGHT)
    sheet.rect(label_w + section, 0, sheet.w, sheet.h, DARK)
    for r, (icon_id, imgs) in enumerate(icons):
        top = pad + r * row_h
        sheet.label(4, top + 4, str(icon_id), (0x55, 0x55, 0x55))
        for base in (label_w, label_w + section):
            x = base + pad
            for s in SIZES:
                sheet.blit(x, top + (max(SIZES) - s) // 2, s, imgs[s])
                x += s + pad
    zoom_sizes, zoom = (16, 24), 5
    cell = [s * zoom + pad for s in zoom_sizes]
    zsec = sum(cell) + pad
    zrow = max(zoom_sizes) * zoom + pad
    cols = 2
    per_col = (len(icons) + cols - 1) // cols
    zw = cols * (label_w + 2 * zsec)
    zs = Canvas(zw, per_col * zrow + pad, LIGHT)
    for c in range(cols):
        x0 = c * (label_w + 2 * zsec) + label_w + zsec
        zs.rect(x0, 0, x0 + zsec, zs.h, DARK)
    for n, (icon_id, imgs) in enumerate(icons):
        c, r = divmod(n, per_col)
        left = c * (label_w + 2 * zsec)
        top = pad + r * zrow
        zs.label(left + 4, top + 4, str(icon_id), (0x55, 0x55, 0x55))
        for base in (left + label_w, left + label_w + zsec):
            x = base + pad
            for s, w in zip(zoom_sizes, cell):
                zs.blit(x, top, s, imgs[s], zoom)
                x += w
    return [('icons_preview.png', sheet.w, sheet.h, bytes(sheet.px)),
            ('icons_small_zoomed.png', zs.w, zs.h, bytes(zs.px))]


# ---------------------------------------------------------------------------

def load_art():
    # Executed rather than imported so no __pycache__ appears next to the art
    # (the build watches that directory).
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                        '..', 'resources', 'icons', 'art.py')
    scope = {'__name__': 'nimbrel_icon_art', '__file__': path}
    with open(path, encoding='utf-8') as f:
        exec(compile(f.read(), path, 'exec'), scope)
    return scope['ICONS']


def main(argv):
    args = list(argv)
    png_dir = None
    if '--png' in args:
        i = args.index('--png')
        if i + 1 >= len(args):
            sys.exit('--png needs a directory')
        png_dir = args[i + 1]
        del args[i:i + 2]
    if len(args) != 1 or args[0].startswith('-'):
        sys.exit('usage: make_icons.py OUTDIR [--png PREVIEWDIR]')
    out_dir = args[0]
    os.makedirs(out_dir, exist_ok=True)
    icons = []
    for icon_id, draw in sorted(load_art().items()):
        imgs = {s: render(draw(s), s) for s in SIZES}
        write_file(os.path.join(out_dir, 'icon_%d.ico' % icon_id),
                   ico_bytes([(s, imgs[s]) for s in SIZES]))
        icons.append((icon_id, imgs))
    if png_dir:
        os.makedirs(png_dir, exist_ok=True)
        for name, w, h, px in preview_sheets(icons):
            write_file(os.path.join(png_dir, name), png_bytes(w, h, px))


if __name__ == '__main__':
    main(sys.argv[1:])
