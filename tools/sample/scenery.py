"""The meadow background and the small effect sprites drawn over the creature."""

import math

import palette as P
from raster import Canvas, Capsule, Circle, Diff, Ellipse, Polygon, Star, Union

VIEW_W, VIEW_H = 121, 271
BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]

SKY_END = 176
GRASS_TOP = 176       # flat lawn where the creature's shadow falls
FRONT_TOP = 212       # darker foreground with tufts and flowers


def _sky(x, y):
    t = min(1.0, y / SKY_END) * (len(P.SKY) - 1)
    base = int(t)
    frac = t - base
    if frac * 16 > BAYER4[y % 4][x % 4] + 0.5 and base + 1 < len(P.SKY):
        base += 1
    return P.SKY[base]


def _ridge(cv, top_of, colour, shade=None, shade_w=0):
    for x in range(cv.w):
        top = int(round(top_of(x)))
        for y in range(max(0, top), cv.h):
            cv.px[y * cv.w + x] = shade if (shade is not None and y < top + shade_w) else colour


def _cloud(cv, circles):
    shape = Union(*[Circle(*c) for c in circles])
    lifted = Union(*[Circle(c[0] - 1, c[1] - 3, c[2]) for c in circles])
    cv.fill(shape, P.CLOUD)
    cv.fill(Diff(shape, lifted), P.CLOUD_SHADE)


def _flower(cv, x, y, petal):
    for k in range(5):
        a = math.radians(k * 72 - 90)
        cv.fill(Circle(x + 2.2 * math.cos(a), y + 2.2 * math.sin(a), 1.6), petal)
    cv.fill(Circle(x, y, 1.3), P.FLOWER_YELLOW)


def _tuft(cv, x, y, h):
    for dx, lean in ((-2.5, -2.5), (0, 0.5), (2.5, 3)):
        cv.fill(Capsule(x + dx, y, x + dx + lean, y - h, 0.8), P.GRASS_DARK)
    cv.fill(Capsule(x + 0.5, y - h + 1, x + 0.5, y - h + 2, 0.6), P.GRASS_TIP)


def background():
    cv = Canvas(VIEW_W, VIEW_H)
    cv.fill(Polygon([(0, 0), (VIEW_W, 0), (VIEW_W, VIEW_H), (0, VIEW_H)]), _sky)
    cv.fill(Circle(96, 36, 17), P.SUN_GLOW)
    cv.fill(Circle(96, 36, 11), P.SUN)
    _cloud(cv, [(14, 70, 9), (26, 64, 12), (40, 70, 9), (30, 74, 8), (4, 74, 6)])
    _cloud(cv, [(84, 112, 7), (95, 107, 9), (106, 112, 7), (115, 114, 5)])
    _ridge(cv, lambda x: 146 + 7 * math.sin(x / 19 + 0.6) + 3 * math.sin(x / 7 + 1),
           P.HILL_FAR, P.HILL_FAR_SHADE, 0)
    # a lone tree on the far hill
    cv.fill(Capsule(101, 146, 101, 136, 1.6), P.TRUNK)
    cv.fill(Union(Circle(101, 131, 7), Circle(96, 134, 5), Circle(106, 134, 5)), P.TREE)
    cv.fill(Circle(99, 129, 3), P.TREE_LIGHT)
    _ridge(cv, lambda x: 162 + 5 * math.sin(x / 23 + 2.2) + 2 * math.sin(x / 9),
           P.HILL_NEAR, P.HILL_NEAR_SHADE, 0)
    _ridge(cv, lambda x: GRASS_TOP + 1.5 * math.sin(x / 15), P.GRASS, P.GRASS_TIP, 1)
    _ridge(cv, lambda x: FRONT_TOP + 3 * math.sin(x / 11 + 1) + 1.5 * math.sin(x / 5),
           P.GRASS_FRONT, P.GRASS_TIP, 1)
    for x, y, h in ((8, 230, 6), (30, 252, 7), (52, 226, 5), (78, 245, 7), (104, 232, 6),
                    (112, 262, 7), (18, 266, 6), (64, 264, 6), (93, 214, 4), (40, 216, 4)):
        _tuft(cv, x, y, h)
    for x, y, c in ((20, 240, P.FLOWER_WHITE), (44, 258, P.FLOWER_PINK), (68, 236, P.FLOWER_WHITE),
                    (90, 254, P.FLOWER_PINK), (110, 244, P.FLOWER_WHITE), (8, 256, P.FLOWER_PINK),
                    (100, 222, P.FLOWER_YELLOW)):
        _flower(cv, x, y, c)
    for x, y in ((14, 186), (106, 190), (30, 204), (92, 206)):
        cv.fill(Capsule(x, y, x + 1, y - 3, 0.6), P.GRASS_TIP)
    return cv


# ---------------------------------------------------------------- effect sprites

EFFECT = 40


def _outlined(cv, shape, colour, outline, w=1.4):
    cv.fill(shape.grow(w), outline)
    cv.fill(shape, colour)


def _sparkle(cv, x, y, r, gold=True):
    s = Star(x, y, r, r * 0.28, 4)
    _outlined(cv, s, P.SPARK_GOLD if gold else P.SPARK, P.SPARK_EDGE, 1.2)
    cv.fill(Star(x, y, r * 0.55, r * 0.16, 4), P.WHITE)


def _heart(x, y, r):
    return Union(Circle(x - r * 0.5, y - r * 0.2, r * 0.56), Circle(x + r * 0.5, y - r * 0.2, r * 0.56),
                 Polygon([(x - r * 1.02, y), (x + r * 1.02, y), (x, y + r * 1.05)]))


def _note(cv, x, y):
    head = Ellipse(x, y, 4.2, 3.2, -20)
    stem = Capsule(x + 3.4, y - 1, x + 3.4, y - 15, 1.1)
    flag = Polygon([(x + 3, y - 16), (x + 10, y - 10), (x + 9, y - 7), (x + 4, y - 11)])
    _outlined(cv, Union(head, stem, flag), P.NOTE, P.WHITE, 1.3)


def _dizzy(cv, phase):
    for k in range(3):
        a = math.radians(phase + k * 120)
        x, y = 20 + 15 * math.cos(a), 20 + 6 * math.sin(a)
        r = 4.5 + 1.6 * math.sin(a)
        _outlined(cv, Star(x, y, r, r * 0.45, 5, phase), P.SPARK, P.SPARK_EDGE, 1.1)


def effects():
    """Numbered 40 x 40 sprites with keyed background; the first one is left empty."""
    out = {}

    def new(name):
        cv = Canvas(EFFECT, EFFECT, P.KEY)
        out[name] = cv
        return cv

    new("blank")
    cv = new("sparkle_a"); _sparkle(cv, 18, 22, 15); _sparkle(cv, 33, 7, 5.5, False)
    cv = new("sparkle_b")
    _sparkle(cv, 9, 10, 7, False); _sparkle(cv, 29, 17, 9); _sparkle(cv, 13, 31, 6)
    cv = new("sparkle_c")
    _sparkle(cv, 20, 20, 8, False)
    for x, y in ((7, 8), (33, 9), (6, 31), (34, 32)):
        cv.fill(Circle(x, y, 1.6), P.SPARK_GOLD)
    cv = new("impact_big")
    _outlined(cv, Star(20, 20, 19, 10, 9, 8), P.IMPACT_RED, P.OUTLINE, 1.2)
    cv.fill(Star(20, 20, 13.5, 7.5, 9, 8), P.IMPACT_ORANGE)
    cv.fill(Star(20, 20, 8, 4.5, 9, 8), P.IMPACT_YELLOW)
    cv = new("impact_mid")
    _outlined(cv, Star(20, 20, 14, 7, 7, 20), P.IMPACT_ORANGE, P.OUTLINE, 1.2)
    cv.fill(Star(20, 20, 8, 4, 7, 20), P.IMPACT_YELLOW)
    cv = new("impact_puff")
    for k in range(7):
        a = math.radians(k * 360 / 7 + 10)
        _outlined(cv, Circle(20 + 13 * math.cos(a), 20 + 13 * math.sin(a), 3.2),
                  P.CLOUD, P.CLOUD_SHADE, 1.0)
    for k, phase in enumerate((0, 40, 80)):
        _dizzy(new("dizzy_%d" % k), phase)
    cv = new("hearts_a")
    _outlined(cv, _heart(20, 19, 12), P.HEART, P.OUTLINE, 1.3)
    cv.fill(Ellipse(14, 15, 3, 2, -30), P.HEART_LIGHT)
    cv = new("hearts_b")
    _outlined(cv, _heart(11, 12, 7), P.HEART, P.OUTLINE, 1.2)
    _outlined(cv, _heart(28, 25, 8), P.HEART_LIGHT, P.OUTLINE, 1.2)
    cv = new("notes")
    _note(cv, 11, 30); _note(cv, 26, 20)
    cv = new("confetti")
    for k, (x, y, c) in enumerate(((6, 6, P.CONFETTI_BLUE), (22, 4, P.HEART), (34, 14, P.SPARK_GOLD),
                                   (12, 20, P.CONFETTI_GREEN), (28, 28, P.CONFETTI_BLUE),
                                   (8, 34, P.SPARK_GOLD), (20, 36, P.HEART))):
        cv.fill(Ellipse(x, y, 3.2, 1.6, k * 53), c)
    return out
