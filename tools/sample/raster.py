"""A tiny palettized rasterizer: shapes tested at pixel centres, no anti-aliasing.

Sprites are drawn over a colour-keyed background, so blended edges would leave
halos of the key colour; crisp pixel edges with dark outlines avoid that.
"""

import math
import struct
import zlib


# ---------------------------------------------------------------- shapes
# Every shape answers contains(x, y), gives a bounding box and can grow by a
# distance (negative shrinks), which is how outlines are made.

class Ellipse:
    def __init__(self, cx, cy, rx, ry, angle=0.0):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.angle = angle
        a = math.radians(angle)
        self.c, self.s = math.cos(a), math.sin(a)

    def contains(self, x, y):
        if self.rx <= 0 or self.ry <= 0:
            return False
        dx, dy = x - self.cx, y - self.cy
        u = dx * self.c + dy * self.s
        v = -dx * self.s + dy * self.c
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0

    def bbox(self):
        r = max(self.rx, self.ry)
        return (self.cx - r, self.cy - r, self.cx + r, self.cy + r)

    def grow(self, d):
        return Ellipse(self.cx, self.cy, self.rx + d, self.ry + d, self.angle)


def Circle(cx, cy, r):
    return Ellipse(cx, cy, r, r)


def _seg_dist2(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / ll))
    qx, qy = x0 + t * dx - px, y0 + t * dy - py
    return qx * qx + qy * qy


class Capsule:
    """A line with thickness and round caps (radius r)."""

    def __init__(self, x0, y0, x1, y1, r):
        self.p = (x0, y0, x1, y1)
        self.r = r

    def contains(self, x, y):
        return self.r > 0 and _seg_dist2(x, y, *self.p) <= self.r * self.r

    def bbox(self):
        x0, y0, x1, y1 = self.p
        r = self.r
        return (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r)

    def grow(self, d):
        return Capsule(*self.p, self.r + d)


class Polygon:
    """Even-odd polygon, optionally grown by a distance from its edges."""

    def __init__(self, pts, d=0.0):
        self.pts = list(pts)
        self.d = d

    def _inside(self, x, y):
        n, inside = len(self.pts), False
        j = n - 1
        for i in range(n):
            xi, yi = self.pts[i]
            xj, yj = self.pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside

    def _edge_dist2(self, x, y):
        n = len(self.pts)
        return min(_seg_dist2(x, y, *self.pts[i - 1], *self.pts[i]) for i in range(n))

    def contains(self, x, y):
        if self._inside(x, y):
            return self.d >= 0 or self._edge_dist2(x, y) >= self.d * self.d
        return self.d > 0 and self._edge_dist2(x, y) <= self.d * self.d

    def bbox(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        d = max(self.d, 0)
        return (min(xs) - d, min(ys) - d, max(xs) + d, max(ys) + d)

    def grow(self, d):
        return Polygon(self.pts, self.d + d)


def RoundRect(x0, y0, x1, y1, r):
    return Polygon([(x0 + r, y0 + r), (x1 - r, y0 + r), (x1 - r, y1 - r), (x0 + r, y1 - r)], r)


def PolyLine(pts, r):
    return Union(*[Capsule(*pts[i - 1], *pts[i], r) for i in range(1, len(pts))])


def Star(cx, cy, ro, ri, n, rot=0.0):
    pts = []
    for k in range(2 * n):
        a = math.radians(rot) + math.pi * k / n - math.pi / 2
        r = ro if k % 2 == 0 else ri
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return Polygon(pts)


def Arc(cx, cy, rx, ry, a0, a1, r, steps=10):
    pts = []
    for k in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * k / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return PolyLine(pts, r)


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes

    def contains(self, x, y):
        return any(s.contains(x, y) for s in self.shapes)

    def bbox(self):
        bs = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in bs), min(b[1] for b in bs),
                max(b[2] for b in bs), max(b[3] for b in bs))

    def grow(self, d):
        return Union(*[s.grow(d) for s in self.shapes])


class Inter:
    def __init__(self, a, b):
        self.a, self.b = a, b

    def contains(self, x, y):
        return self.a.contains(x, y) and self.b.contains(x, y)

    def bbox(self):
        return self.a.bbox()

    def grow(self, d):
        return Inter(self.a.grow(d), self.b.grow(d))


class Diff:
    def __init__(self, a, b):
        self.a, self.b = a, b

    def contains(self, x, y):
        return self.a.contains(x, y) and not self.b.contains(x, y)

    def bbox(self):
        return self.a.bbox()

    def grow(self, d):
        return Diff(self.a.grow(d), self.b.grow(-d))


class HalfPlane:
    """Points with a*x + b*y <= c."""

    def __init__(self, a, b, c):
        self.a, self.b, self.c = a, b, c

    def contains(self, x, y):
        return self.a * x + self.b * y <= self.c

    def bbox(self):
        return (-1e4, -1e4, 1e4, 1e4)

    def grow(self, d):
        return HalfPlane(self.a, self.b, self.c + d * math.hypot(self.a, self.b))


# ---------------------------------------------------------------- canvas

def affine(tx=0.0, ty=0.0, angle=0.0, sx=1.0, sy=1.0, ox=0.0, oy=0.0):
    """Local-to-canvas map: scale and rotate about local (ox, oy), then move it to (tx, ty)."""
    a = math.radians(angle)
    c, s = math.cos(a), math.sin(a)
    m = (c * sx, -s * sy, s * sx, c * sy)
    return (m[0], m[1], m[2], m[3],
            tx - (m[0] * ox + m[1] * oy), ty - (m[2] * ox + m[3] * oy))


class Canvas:
    def __init__(self, w, h, fill=0):
        self.w, self.h = w, h
        self.px = bytearray([fill]) * (w * h)
        self.set_transform((1, 0, 0, 1, 0, 0))
        self.cmap = None

    def set_transform(self, m):
        self.m = m
        a, b, c, d, e, f = m
        det = a * d - b * c
        self.inv = (d / det, -b / det, -c / det, a / det)

    def _to_local(self, x, y):
        a, b, c, d, e, f = self.m
        ia, ib, ic, idd = self.inv
        x, y = x - e, y - f
        return ia * x + ib * y, ic * x + idd * y

    def _view_bbox(self, b):
        a, bb, c, d, e, f = self.m
        xs, ys = [], []
        for x, y in ((b[0], b[1]), (b[2], b[1]), (b[0], b[3]), (b[2], b[3])):
            xs.append(a * x + bb * y + e)
            ys.append(c * x + d * y + f)
        return (max(0, int(math.floor(min(xs))) - 1), max(0, int(math.floor(min(ys))) - 1),
                min(self.w, int(math.ceil(max(xs))) + 1), min(self.h, int(math.ceil(max(ys))) + 1))

    def fill(self, shape, color, clip=None):
        """color is a palette index or a function (x, y) -> index of canvas pixels."""
        x0, y0, x1, y1 = self._view_bbox(shape.bbox())
        for y in range(y0, y1):
            row = y * self.w
            for x in range(x0, x1):
                lx, ly = self._to_local(x + 0.5, y + 0.5)
                if not shape.contains(lx, ly):
                    continue
                if clip is not None and not clip.contains(lx, ly):
                    continue
                c = color(x, y) if callable(color) else color
                if self.cmap is not None:
                    c = self.cmap.get(c, c)
                self.px[row + x] = c

    def outlined(self, shape, color, outline, width=1.6, clip=None):
        self.fill(shape.grow(width), outline, clip)
        self.fill(shape, color, clip)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def blit_to(self, dst, dx, dy):
        for y in range(self.h):
            o = (dy + y) * dst.w + dx
            dst.px[o:o + self.w] = self.px[y * self.w:(y + 1) * self.w]


# ---------------------------------------------------------------- files

def write_bmp8(path, canvas, palette):
    """Uncompressed 8-bit bottom-up BMP with a 40-byte info header and 256 colours."""
    pal = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    stride = (canvas.w + 3) & ~3
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    rows = []
    for y in range(canvas.h - 1, -1, -1):
        row = bytes(canvas.px[y * canvas.w:(y + 1) * canvas.w])
        rows.append(row + b"\0" * (stride - canvas.w))
    pixels = b"".join(rows)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 8, 0, len(pixels),
                       2835, 2835, 256, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)


def write_png_rgb(path, w, h, rgb_rows):
    """rgb_rows: list of h bytes objects, each 3*w long."""
    raw = b"".join(b"\0" + r for r in rgb_rows)

    def chunk(tag, data):
        c = tag + data
        return struct.pack(">I", len(data)) + c + struct.pack(">I", zlib.crc32(c) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
