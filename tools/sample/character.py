"""Nimbrel, a round little sprout creature, drawn from a handful of pose parameters.

Local coordinates: origin on the ground between the feet, y down; the body is
a 60 x 56 ellipse centred 36 pixels above the ground.
"""

import math
from dataclasses import dataclass, field

import palette as P
from raster import (Arc, Capsule, Circle, Diff, Ellipse, HalfPlane, Inter, PolyLine,
                    Polygon, Union, affine)

GROUND_Y = 192
CENTRE_X = 60
BX, BY = 0.0, -36.0
BRX, BRY = 30.0, 28.0
OUT = 1.6


@dataclass
class Pose:
    dx: float = 0
    dy: float = 0
    rot: float = 0
    sx: float = 1.0
    sy: float = 1.0
    eyes: str = "open"
    look: tuple = (0, 0)
    brows: str = ""
    mouth: str = "smile"
    face: float = 0.0          # -1 turned to its right (our left) .. 1 turned to our right
    back: bool = False
    arms: tuple = (28, 28)     # degrees from hanging down; a pair gives an elbow
    fists: bool = False
    feet: tuple = ((0, 0), (0, 0))
    leaf: float = 0.0
    wilt: bool = False
    shadow: float = 1.0        # shadow size, 0 for none
    shadow_dx: float = 0
    extras: list = field(default_factory=list)
    flash: bool = False


def _rot(x, y, deg):
    a = math.radians(deg)
    return x * math.cos(a) - y * math.sin(a), x * math.sin(a) + y * math.cos(a)


def _dir(deg, side):
    """Direction of a limb: 0 hangs down, 90 points outward, 180 points up."""
    a = math.radians(deg)
    return side * math.sin(a), math.cos(a)


def draw(cv, p: Pose):
    cv.set_transform((1, 0, 0, 1, 0, 0))
    if p.flash:
        cv.cmap = {i: P.FLASH for i in range(len(P.PALETTE))}
        cv.cmap[P.OUTLINE] = P.FLASH_EDGE
        cv.cmap[P.KEY] = P.KEY
        cv.cmap[P.GRASS_SHADOW] = P.GRASS_SHADOW
    if p.shadow > 0:
        h = max(0.0, -p.dy)
        k = p.shadow * max(0.45, 1 - h / 120)
        cv.fill(Ellipse(CENTRE_X + p.dx + p.shadow_dx, GROUND_Y + 1, 28 * k, 4.6 * k), P.GRASS_SHADOW)
    cv.set_transform(affine(CENTRE_X + p.dx, GROUND_Y + p.dy - 36 * p.sy, p.rot, p.sx, p.sy, BX, BY))
    _sprout(cv, p)
    if p.back:
        _arms(cv, p)
    _feet(cv, p)
    _body(cv, p)
    if not p.back:
        _face(cv, p)
        _arms(cv, p)
    _extras(cv, p)
    cv.cmap = None
    cv.set_transform((1, 0, 0, 1, 0, 0))


def _sprout(cv, p):
    bx, by = BX + p.face * 4, BY - BRY + 3
    ang = p.leaf + (95 if p.wilt else 0)

    def at(x, y):
        rx, ry = _rot(x, y, ang)
        return bx + rx, by + ry

    leaf_col = P.LEAF_WILT if p.wilt else P.LEAF
    stem = Capsule(*at(0, 0), *at(0, -11), 2.0)
    l1 = Ellipse(*at(-7.5, -13), 8.5, 4.2, ang - 28)
    l2 = Ellipse(*at(7.5, -15), 9.0, 4.4, ang + 24)
    shape = Union(stem, l1, l2)
    cv.fill(shape.grow(OUT), P.OUTLINE)
    cv.fill(shape, leaf_col)
    if not p.wilt:
        cv.fill(Ellipse(*at(-8.5, -14.5), 4.5, 1.7, ang - 28), P.LEAF_LIGHT)
        cv.fill(Ellipse(*at(8.5, -16.5), 5.0, 1.8, ang + 24), P.LEAF_LIGHT)
    cv.fill(Capsule(*at(-1, -11), *at(-12, -15), 0.6), P.LEAF_DARK)
    cv.fill(Capsule(*at(1, -12), *at(13, -18), 0.6), P.LEAF_DARK)


def _feet(cv, p):
    for side, (fx, fy) in zip((-1, 1), p.feet):
        f = Ellipse(side * 13 + fx + p.face * 5, -5.5 + fy, 10.5, 6.2)
        cv.fill(f.grow(OUT), P.OUTLINE)
        cv.fill(f, P.BODY_SHADE)
        cv.fill(Ellipse(side * 13 + fx + p.face * 5 - 2, -8 + fy, 5, 2), P.BODY)


def _body(cv, p):
    body = Ellipse(BX, BY, BRX, BRY)
    cv.fill(body.grow(OUT), P.OUTLINE)
    cv.fill(body, P.BODY)
    cv.fill(Diff(body, Ellipse(BX - 4, BY - 4, BRX - 1, BRY - 1)), P.BODY_SHADE)
    if not p.back:
        fx = p.face * 9
        belly = Inter(Ellipse(BX, BY, BRX - 3, BRY - 3), Ellipse(BX + fx, BY + 21, 17, 10))
        cv.fill(belly, P.BELLY)
    cv.fill(Ellipse(BX - 14, BY - 15, 7.5, 4.2, -35), P.BODY_LIGHT)
    cv.fill(Ellipse(BX - 16.5, BY - 16.5, 2.6, 1.5, -35), P.WHITE)


def _fx(p, x):
    return x * (1 - 0.35 * abs(p.face)) + p.face * 13


def _face(cv, p):
    ey = BY - 3
    for side in (-1, 1):
        ex = BX + _fx(p, side * 11)
        _eye(cv, p, ex, ey, side)
        _brow(cv, p, ex, ey, side)
        if "noblush" not in p.extras:
            cx = BX + _fx(p, side * 20)
            cv.fill(Ellipse(cx, BY + 5, 5.2 * (1 - 0.3 * abs(p.face)), 2.8), P.CHEEK)
    _mouth(cv, p, BX + _fx(p, 0), BY + 8)


def _eye(cv, p, ex, ey, side):
    lx, ly = p.look
    e = p.eyes
    w = 1 - 0.25 * abs(p.face)
    if e == "open" or e == "half":
        ex, ey = ex + lx * 2.5, ey + ly * 2
        eye = Ellipse(ex, ey, 4.3 * w, 6.2)
        clip = HalfPlane(0, -1, -(ey - 1.5)) if e == "half" else None
        cv.fill(eye, P.EYE, clip)
        if e == "half":
            cv.fill(Capsule(ex - 5 * w, ey - 1.5, ex + 5 * w, ey - 1.5, 1.0), P.EYE)
            cv.fill(Circle(ex - 1.3, ey + 1.0, 1.3), P.WHITE)
        else:
            cv.fill(Circle(ex - 1.3, ey - 2.6, 1.8), P.WHITE)
            cv.fill(Circle(ex + 1.6, ey + 2.6, 0.9), P.WHITE)
    elif e == "happy":
        cv.fill(Arc(ex, ey + 2, 4.6, 4.2, 200, 340, 1.3), P.EYE)
    elif e == "blink":
        cv.fill(Arc(ex, ey - 1, 4.6, 3.0, 20, 160, 1.2), P.EYE)
    elif e == "squeeze":
        s = -side
        pts = [(ex - s * 4, ey - 4.5), (ex + s * 3.5, ey), (ex - s * 4, ey + 4.5)]
        cv.fill(PolyLine(pts, 1.3), P.EYE)
    elif e == "wide":
        white = Ellipse(ex, ey, 5.4 * w, 7.0)
        cv.fill(white.grow(1.2), P.EYE)
        cv.fill(white, P.EYE_WHITE)
        cv.fill(Circle(ex + lx * 2, ey + ly * 2, 2.4), P.EYE)
        cv.fill(Circle(ex + lx * 2 - 0.8, ey + ly * 2 - 0.8, 0.8), P.WHITE)
    elif e == "dizzy":
        pts = []
        for k in range(26):
            a = k * 0.55 * side
            r = 0.4 + k * 0.2
            pts.append((ex + r * math.cos(a), ey + r * math.sin(a)))
        cv.fill(PolyLine(pts, 0.8), P.EYE)
    elif e == "x":
        cv.fill(Union(Capsule(ex - 3.5, ey - 3.5, ex + 3.5, ey + 3.5, 1.1),
                      Capsule(ex - 3.5, ey + 3.5, ex + 3.5, ey - 3.5, 1.1)), P.EYE)


def _brow(cv, p, ex, ey, side):
    if not p.brows:
        return
    inner = -side  # inner end lies toward the middle of the face
    if p.brows == "sad":
        a, b = (ex + inner * 4.5, ey - 11), (ex - inner * 4, ey - 8)
    elif p.brows == "angry":
        a, b = (ex + inner * 4.5, ey - 7), (ex - inner * 4, ey - 11)
    else:  # raised
        a, b = (ex + inner * 4, ey - 11), (ex - inner * 4, ey - 12)
    cv.fill(Capsule(*a, *b, 1.2), P.EYE)


def _mouth(cv, p, mx, my):
    m = p.mouth
    if m == "smile":
        cv.fill(Arc(mx, my - 2, 4.2, 3.6, 25, 155, 1.1), P.EYE)
    elif m == "open":
        shape = Inter(Ellipse(mx, my - 1, 6.5, 7), HalfPlane(0, -1, -(my - 1)))
        cv.fill(shape.grow(1.2), P.EYE)
        cv.fill(shape, P.MOUTH)
        cv.fill(Inter(shape, Ellipse(mx, my + 6, 4.5, 3.2)), P.TONGUE)
    elif m == "o":
        o = Ellipse(mx, my + 1, 3.0, 3.8)
        cv.fill(o.grow(1.1), P.EYE)
        cv.fill(o, P.MOUTH)
    elif m == "frown":
        cv.fill(Arc(mx, my + 3.5, 4.2, 3.2, 205, 335, 1.1), P.EYE)
    elif m == "wavy":
        pts = [(mx - 6 + k * 1.5, my + 1.2 * math.sin(k * 1.6)) for k in range(9)]
        cv.fill(PolyLine(pts, 0.9), P.EYE)
    elif m == "grit":
        r = Polygon([(mx - 6, my - 2), (mx + 6, my - 2), (mx + 5, my + 3), (mx - 5, my + 3)])
        cv.fill(r.grow(1.1), P.EYE)
        cv.fill(r, P.EYE_WHITE)
        for x in (-2.5, 0.5, 3.5):
            cv.fill(Capsule(mx + x - 0.5, my - 2, mx + x - 0.5, my + 3, 0.45), P.EYE)
        cv.fill(Capsule(mx - 5.5, my + 0.5, mx + 5.5, my + 0.5, 0.45), P.EYE)
    elif m == "cat":
        pts = [(mx - 5, my - 1), (mx - 2.5, my + 2), (mx, my), (mx + 2.5, my + 2), (mx + 5, my - 1)]
        cv.fill(PolyLine(pts, 0.9), P.EYE)
    elif m == "flat":
        cv.fill(Capsule(mx - 3.5, my, mx + 3.5, my, 1.0), P.EYE)


def _arms(cv, p):
    for side, arm in zip((-1, 1), p.arms):
        if arm is None:
            continue
        segs = arm if isinstance(arm, tuple) else (arm,)
        # a raised arm leaves the body higher up, as a shoulder would
        lift = max(0.0, min(1.0, (segs[0] - 90) / 60)) * 9
        sx, sy = BX + side * 27 + p.face * 5, BY + 10 - lift
        pts = [(sx, sy)]
        length = 13 if len(segs) == 1 else 8
        for a in segs:
            dx, dy = _dir(a, side)
            pts.append((pts[-1][0] + dx * length, pts[-1][1] + dy * length))
        hx, hy = pts[-1]
        hand = Circle(hx, hy, 5.6 if p.fists else 4.6)
        shape = Union(PolyLine(pts, 3.6), hand)
        cv.fill(shape.grow(OUT), P.OUTLINE)
        cv.fill(shape, P.BODY)
        cv.fill(Circle(hx + 1.3, hy + 1.3, 2.8 if p.fists else 2.2), P.BODY_SHADE,
                clip=hand)
        if p.fists:
            cv.fill(Capsule(hx - 3, hy - 1.5, hx + 3, hy - 1.5, 0.6), P.OUTLINE)


def _drop(cx, cy, r):
    return Union(Circle(cx, cy, r), Polygon([(cx - r * 0.87, cy - r * 0.5),
                                             (cx, cy - r * 2.4), (cx + r * 0.87, cy - r * 0.5)]))


def _extras(cv, p):
    for x in p.extras:
        if x == "sweat":
            d = _drop(BX + 31, BY - 16, 3.6)
            cv.fill(d.grow(1.2), P.OUTLINE)
            cv.fill(d, P.TEAR)
            cv.fill(Circle(BX + 30, BY - 17, 1.1), P.TEAR_LIGHT)
        elif x.startswith("tears"):
            stage = int(x[-1])
            for side in (-1, 1):
                ex = BX + _fx(p, side * 11)
                s = Capsule(ex + side * 0.5, BY + 2, ex + side * 1.5, BY + 7 + stage * 3, 2.0)
                cv.fill(s.grow(1.0), P.OUTLINE)
                cv.fill(s, P.TEAR)
                d = _drop(ex + side * 4, BY + 12 + stage * 7, 2.4)
                cv.fill(d.grow(1.0), P.OUTLINE)
                cv.fill(d, P.TEAR)
        elif x == "vein":
            cx, cy = BX + 19, BY - 18
            for k in range(4):
                a = k * 90 + 45
                ox, oy = _rot(4.0, 0, a)
                cv.fill(Arc(cx + ox, cy + oy, 2.6, 2.6, a + 110, a + 250, 1.1), P.ANGER)
        elif x in ("question", "exclaim"):
            _mark(cv, x)
        elif x.startswith("motion"):
            s = -1 if x == "motion_l" else 1
            for k, (yy, ln) in enumerate(((-50, 14), (-36, 18), (-22, 12))):
                x0 = BX + s * (BRX + 6)
                cv.fill(Capsule(x0, BY + yy + 36, x0 + s * ln, BY + yy + 36, 1.3), P.MOTION)


def _mark(cv, kind):
    ox, oy = BX + 30, BY - 50
    if kind == "question":
        body = Union(Arc(ox, oy, 5.5, 5.5, 180, 400, 2.2), Capsule(ox + 2.5, oy + 5, ox, oy + 9, 2.2))
        dot = Circle(ox, oy + 15, 2.4)
    else:
        body = Polygon([(ox - 3, oy - 8), (ox + 3, oy - 8), (ox + 1, oy + 8), (ox - 1, oy + 8)])
        dot = Circle(ox, oy + 13, 2.5)
    shape = Union(body, dot)
    cv.fill(shape.grow(1.5), P.OUTLINE)
    cv.fill(shape, P.WHITE)
