#!/usr/bin/env python3
"""Draws the Nimbrel sample character and writes examples/sample/sample.bmp and sample.txt.

Run from anywhere: python3 tools/sample/make_sample.py
Standard library only; the drawing is done by the small rasterizer next to this file.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import palette as P  # noqa: E402
from character import Pose, draw  # noqa: E402
from raster import Canvas, write_bmp8  # noqa: E402
from scenery import EFFECT, VIEW_H, VIEW_W, background, effects  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
OUT_DIR = os.path.join(ROOT, "examples", "sample")

SHEET_W, SHEET_H = 1024, 1000
CELL_W, CELL_H = 121, 200      # poses stop at the lawn; the view below it is background only
STRIP_X = 8 * CELL_W + 8       # effect sprites in a column right of the pose grid

HAPPY = dict(eyes="happy", mouth="open")
SAD = dict(eyes="half", brows="sad", mouth="frown", wilt=True)

# Pattern number -> (caption for the file, pose)
POSES = {
    0x02: ("idle", Pose()),
    0x03: ("idle, breathing in", Pose(sx=0.97, sy=1.04, leaf=-7, arms=(16, 16))),
    0x04: ("idle, breathing out", Pose(sx=1.04, sy=0.96, leaf=6, arms=(24, 24))),
    0x05: ("idle, blink", Pose(eyes="blink")),
    0x06: ("looking left", Pose(face=-0.45, look=(-1, 0), leaf=-9, arms=(30, 15))),
    0x07: ("looking right", Pose(face=0.45, look=(1, 0), leaf=9, arms=(15, 30))),
    0x08: ("looking up, puzzled", Pose(look=(0.4, -1), mouth="o", brows="raised", rot=-5,
                                       leaf=-5, arms=(20, (60, 170)), extras=["question"])),
    0x09: ("fist raised", Pose(brows="angry", mouth="grit", arms=(25, (140, 175)), fists=True,
                               extras=["vein"], leaf=-6)),
    0x0A: ("fist down", Pose(brows="angry", mouth="grit", arms=(25, (100, 125)), fists=True,
                             sx=1.03, sy=0.97, extras=["vein"], leaf=5)),
    0x0B: ("fist raised, shouting", Pose(eyes="squeeze", mouth="open", arms=(25, (140, 180)),
                                         fists=True, extras=["vein", "sweat"], leaf=-10, dy=-2)),
    0x0C: ("standing proud", Pose(mouth="smile", arms=((100, -35), (100, -35)), brows="raised")),
    0x0D: ("standing proud, blink", Pose(eyes="blink", mouth="smile", arms=((100, -35), (100, -35)),
                                         brows="raised")),
    0x0E: ("win, crouch", Pose(sx=1.08, sy=0.9, arms=(55, 55), **HAPPY)),
    0x0F: ("win, rising", Pose(dy=-30, sx=0.95, sy=1.06, arms=(140, 140), feet=((3, -2), (-3, -2)),
                               leaf=-8, **HAPPY)),
    0x10: ("win, top of the jump", Pose(dy=-48, arms=(145, 145), feet=((4, -4), (-4, -4)), leaf=8,
                                        **HAPPY)),
    0x11: ("lose, tears", Pose(sx=1.06, sy=0.9, arms=(6, 6), extras=["tears0"], **SAD)),
    0x12: ("lose, tears", Pose(sx=1.06, sy=0.9, arms=(6, 6), extras=["tears1"], leaf=3, **SAD)),
    0x13: ("lose, tears", Pose(sx=1.07, sy=0.88, arms=(6, 6), extras=["tears2"], leaf=6, **SAD)),
    0x14: ("miss, stumble", Pose(rot=12, dx=4, eyes="wide", mouth="o", arms=(125, 60),
                                 feet=((7, -3), (0, 0)), extras=["exclaim"])),
    0x15: ("miss, falling", Pose(rot=38, dx=10, dy=-2, eyes="squeeze", mouth="open",
                                 arms=(155, 140), feet=((4, -4), (4, 0)), leaf=10)),
    0x16: ("miss, fallen over", Pose(rot=84, dx=14, dy=9, eyes="x", mouth="wavy", arms=(150, 150),
                                   shadow=1.3, leaf=12)),
    0x17: ("miss, getting up", Pose(rot=4, eyes="happy", mouth="wavy", brows="sad",
                                    arms=(20, (140, 215)), extras=["sweat"])),
    0x18: ("joy 1, crouch", Pose(sx=1.08, sy=0.92, arms=(40, 40), **HAPPY)),
    0x19: ("joy 1, hop", Pose(dy=-34, sx=0.95, sy=1.06, arms=(135, 135), feet=((3, -3), (-3, -3)),
                              leaf=-8, **HAPPY)),
    0x1A: ("joy 1, top", Pose(dy=-50, arms=(142, 142), feet=((4, -4), (-4, -4)), leaf=8, **HAPPY)),
    0x1B: ("joy 2, turning", Pose(face=0.85, dy=-6, arms=(95, 95), eyes="happy", mouth="smile",
                                  leaf=10, extras=["motion_l"])),
    0x1C: ("joy 2, back", Pose(back=True, dy=-8, arms=(95, 95), leaf=10, extras=["motion_l"])),
    0x1D: ("joy 2, turning", Pose(face=-0.85, dy=-6, arms=(95, 95), eyes="happy", mouth="smile",
                                  leaf=10, extras=["motion_l"])),
    0x1E: ("joy 2, front", Pose(arms=(100, 100), leaf=6, **HAPPY)),
    0x1F: ("joy 3, left arm up", Pose(rot=-5, arms=(145, 30), leaf=-8, **HAPPY)),
    0x20: ("joy 3, right arm up", Pose(rot=5, arms=(30, 145), leaf=8, **HAPPY)),
    0x21: ("joy 3, both arms up", Pose(dy=-10, arms=(145, 145), feet=((2, -2), (-2, -2)),
                                       **HAPPY)),
    0x22: ("damage, hit", Pose(rot=16, dx=8, eyes="squeeze", mouth="open", arms=(115, 75),
                               feet=((3, -2), (0, 0)), leaf=14)),
    0x23: ("damage, wince", Pose(rot=5, dx=3, eyes="squeeze", mouth="wavy", brows="sad",
                                 arms=(40, 40), extras=["sweat"])),
    0x24: ("damage, flash", Pose(rot=16, dx=8, eyes="squeeze", mouth="open", arms=(115, 75),
                                 feet=((3, -2), (0, 0)), leaf=14, flash=True)),
    0x25: ("knocked back, flying", Pose(rot=40, dx=20, dy=-30, eyes="squeeze", mouth="open",
                                        arms=(150, 120), feet=((4, -4), (6, 0)), leaf=20,
                                        extras=["motion_l"])),
    0x26: ("knocked back, on its back", Pose(rot=82, dx=4, dy=9, eyes="x", mouth="o",
                                             arms=(160, 120), shadow=1.3, leaf=8)),
    0x27: ("knocked back, dizzy", Pose(rot=8, dx=6, sx=1.04, sy=0.92, eyes="dizzy", mouth="wavy",
                                       arms=(55, 55), leaf=14)),
}

EFFECT_ORDER = ["blank", "sparkle_a", "sparkle_b", "sparkle_c", "impact_big", "impact_mid",
                "impact_puff", "dizzy_0", "dizzy_1", "dizzy_2", "hearts_a", "hearts_b", "notes",
                "confetti"]
EFFECT_BASE = 0x40
EFFECT_NUM = {name: EFFECT_BASE + i for i, name in enumerate(EFFECT_ORDER)}
PLACEMENT_BASE = 0x80


def rep(*pairs):
    """rep(0x02, 3, 0x03, 2) -> [2, 2, 2, 3, 3]"""
    out = []
    for i in range(0, len(pairs), 2):
        out += [pairs[i]] * pairs[i + 1]
    return out


# Animation number -> (caption, base frames, layer frames or None).
# A layer frame is (effect, view left, view top) or None for no effect.
def _animations():
    sparkle_path = [None, None, ("sparkle_a", 8, 40), ("sparkle_b", 70, 30), ("sparkle_c", 12, 70),
                    ("sparkle_a", 74, 62), None, None, ("sparkle_b", 4, 48),
                    ("sparkle_a", 72, 36), ("sparkle_c", 40, 6), ("sparkle_b", 76, 80),
                    ("sparkle_c", 2, 96), None, None, None]
    joy1 = rep(0x18, 2, 0x19, 1, 0x1A, 3, 0x19, 1, 0x18, 2, 0x19, 1, 0x1A, 3, 0x19, 1, 0x18, 1,
               0x02, 1)
    hit = [("impact_big", 6, 118), ("impact_mid", 4, 120), ("impact_puff", 2, 118)]
    dizzy = [("dizzy_%d" % (k % 3), 46, 100) for k in range(9)]
    joy3_fx = [None, None, ("notes", 2, 90), ("notes", 4, 84), ("hearts_b", 76, 80),
               ("hearts_b", 78, 72), ("notes", 0, 76), ("notes", 2, 70), ("hearts_a", 40, 46),
               ("hearts_a", 40, 38), ("hearts_a", 40, 30), ("hearts_a", 40, 22), None]
    win_fx = [None, ("confetti", 4, 40), ("confetti", 74, 24), ("confetti", 10, 60),
              ("confetti", 70, 52), ("confetti", 40, 14), None, None]
    return {
        1: ("idle", rep(0x02, 5, 0x03, 3, 0x02, 3, 0x04, 3, 0x02, 4, 0x05, 1, 0x02, 2, 0x03, 3,
                        0x02, 3, 0x04, 3, 0x02, 2, 0x05, 1, 0x02, 1, 0x05, 1, 0x02, 3), None),
        2: ("looking around", rep(0x02, 3, 0x06, 7, 0x02, 2, 0x07, 7, 0x02, 3, 0x08, 9, 0x02, 2),
            None),
        3: ("shaking its fist", rep(0x09, 1, 0x0A, 1, 0x09, 1, 0x0A, 1, 0x09, 1, 0x0A, 1, 0x0B, 3,
                                    0x0A, 1, 0x09, 1, 0x0A, 1, 0x09, 1, 0x0A, 1, 0x0B, 3, 0x0A, 1),
            None),
        4: ("miss: stumbles and gets up", rep(0x14, 3, 0x15, 2, 0x16, 6, 0x17, 6, 0x02, 1), None),
        5: ("standing proud", rep(0x0C, 14, 0x0D, 1, 0x0C, 6, 0x0D, 1), None),
        6: ("joy 1: hops among sparkles", joy1, sparkle_path),
        7: ("joy 2: spins", rep(0x1E, 2, 0x1B, 1, 0x1C, 1, 0x1D, 1, 0x1E, 1, 0x1B, 1, 0x1C, 1,
                                0x1D, 1, 0x1E, 1, 0x1B, 1, 0x1C, 1, 0x1D, 1, 0x1E, 2, 0x21, 4,
                                0x02, 1), None),
        8: ("joy 3: cheers with notes and hearts",
            rep(0x1F, 2, 0x20, 2, 0x1F, 2, 0x20, 2, 0x21, 4, 0x02, 1), joy3_fx),
        10: ("damage 1: hit with an impact star", rep(0x22, 4, 0x23, 5, 0x02, 1),
             hit + [None] * 7),
        11: ("damage 2: flashes", rep(0x24, 1, 0x22, 1, 0x24, 1, 0x22, 1, 0x24, 1, 0x22, 2,
                                      0x23, 4, 0x02, 1), None),
        12: ("damage 3: knocked back, dizzy", rep(0x25, 3, 0x26, 4, 0x27, 9, 0x17, 3, 0x02, 1),
             hit + [None] * 4 + dizzy + [None] * 4),
        15: ("win: jumps for joy", rep(0x0E, 2, 0x0F, 1, 0x10, 3, 0x0F, 1, 0x0E, 1), win_fx),
        16: ("lose: cries", rep(0x11, 3, 0x12, 3, 0x13, 3, 0x12, 3), None),
    }


ANIMATIONS = _animations()


def pose_cells():
    """Sheet cells for poses: column 0 below the background, then columns 1-7."""
    cells = [(0, r * CELL_H) for r in (2, 3, 4)]
    cells += [(c * CELL_W, r * CELL_H) for r in range(5) for c in range(1, 8)]
    return cells


def effect_cell(i):
    return STRIP_X, 4 + i * (EFFECT + 4)


def build_sheet():
    sheet = Canvas(SHEET_W, SHEET_H, P.KEY)
    background().blit_to(sheet, 0, 0)
    patterns = {0x01: ("background", 0, 0, VIEW_W, VIEW_H)}
    cells = pose_cells()
    assert len(POSES) <= len(cells)
    for (num, (caption, pose)), (x, y) in zip(sorted(POSES.items()), cells):
        cv = Canvas(CELL_W, CELL_H, P.KEY)
        draw(cv, pose)
        cv.blit_to(sheet, x, y)
        patterns[num] = (caption, x, y, CELL_W, CELL_H)
    sprites = effects()
    for i, name in enumerate(EFFECT_ORDER):
        x, y = effect_cell(i)
        sprites[name].blit_to(sheet, x, y)
        patterns[EFFECT_NUM[name]] = ("effect: " + name.replace("_", " "), x, y, EFFECT, EFFECT)
    assert sheet.get(SHEET_W - 1, SHEET_H - 1) == P.KEY
    assert all(c != P.KEY for c in background().px)
    return sheet, patterns


def placements():
    """Placement patterns: one per distinct view position used by a layer frame."""
    spots = {}
    for _, (_, _, layer) in sorted(ANIMATIONS.items()):
        for f in layer or []:
            if f is not None and (f[1], f[2]) not in spots:
                spots[(f[1], f[2])] = PLACEMENT_BASE + len(spots)
    assert PLACEMENT_BASE + len(spots) <= 0xFF
    return spots


def hexlist(nums):
    return "".join("%02X" % n for n in nums)


def definition(patterns, spots):
    lines = [
        "Nimbrel sample character. Generated by tools/sample/make_sample.py; edit that, not this.",
        "",
        "#CHARNAME Nimbrel",
        "#ANIME 100",
        "#DATA 16",
        "#CHARBMP sample.bmp",
        "",
        "Patterns, numbered in hex: left top width height on sample.bmp.",
        "01 is the meadow drawn behind every frame. 02-27 are poses, 121 x 200 each,",
        "drawn at the top-left of the view; the lawn below them is background only.",
        "40-4D are 40 x 40 effect sprites for the layered animations (40 is empty).",
    ]
    last = None
    for num in sorted(patterns):
        caption, x, y, w, h = patterns[num]
        if caption != last:
            lines.append(caption)
            last = caption
        lines.append("#%02X %d %d %d %d" % (num, x, y, w, h))
    lines += ["",
              "Placement patterns: left and top are where an effect lands in the view;",
              "width and height match the effect sprite so it is cut cleanly at the edges."]
    for (x, y), num in sorted(spots.items(), key=lambda kv: kv[1]):
        lines.append("#%02X %d %d %d %d" % (num, x, y, EFFECT, EFFECT))
    lines += ["", "Animations: #PATERN number frames; #LAYER number effects placements."]
    for anim, (caption, base, layer) in sorted(ANIMATIONS.items()):
        assert len(base) <= 255
        lines.append("")
        lines.append("%d: %s" % (anim, caption))
        lines.append("#PATERN %02d %s" % (anim, hexlist(base)))
        if layer is not None:
            assert len(layer) == len(base), anim
            fx = [EFFECT_NUM[f[0]] if f else EFFECT_NUM["blank"] for f in layer]
            first = next(f for f in layer if f)
            at = [spots[(f[1], f[2])] if f else spots[(first[1], first[2])] for f in layer]
            lines.append("#LAYER %02d %s %s" % (anim, hexlist(fx), hexlist(at)))
    return "\r\n".join(lines) + "\r\n"


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    sheet, patterns = build_sheet()
    used = {n for _, b, _ in ANIMATIONS.values() for n in b}
    assert used <= set(patterns), sorted(used - set(patterns))
    spots = placements()
    write_bmp8(os.path.join(OUT_DIR, "sample.bmp"), sheet, P.PALETTE)
    with open(os.path.join(OUT_DIR, "sample.txt"), "w", encoding="ascii", newline="") as f:
        f.write(definition(patterns, spots))
    print("wrote %s (%d patterns, %d placements, %d animations)"
          % (OUT_DIR, len(patterns), len(spots), len(ANIMATIONS)))


if __name__ == "__main__":
    main()
