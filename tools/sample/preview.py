#!/usr/bin/env python3
"""Composes frames from the written sample files into PNG strips, for checking by eye.

Reads examples/sample/sample.txt and sample.bmp back (only what the sample uses:
hexadecimal pattern numbers, an uncompressed 8-bit sheet) and builds each frame
the way the viewer does: background opaque, base pattern keyed at (0, 0), then
the layer pattern keyed at its placement, cut at the view's edges.

python3 tools/sample/preview.py [out_dir] [animation ...]
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from raster import write_png_rgb  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SAMPLE = os.path.join(ROOT, "examples", "sample")
VIEW_W, VIEW_H = 121, 271


def read_bmp8(path):
    data = open(path, "rb").read()
    w, h = struct.unpack_from("<ii", data, 18)
    bits, comp = struct.unpack_from("<HI", data, 28)
    assert bits == 8 and comp == 0 and h > 0
    colours = struct.unpack_from("<I", data, 46)[0] or 256
    pal = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i]) for i in range(colours)]
    off = 54 + 4 * colours
    stride = (w + 3) & ~3
    rows = [data[off + (h - 1 - y) * stride: off + (h - 1 - y) * stride + w] for y in range(h)]
    return w, h, rows, pal


def read_definition(path):
    pats, base, layer, place = {}, {}, {}, {}
    for line in open(path, encoding="utf-8").read().splitlines():
        if line.upper().startswith("#PATERN"):
            s = line[7:].strip()
            base[int(s[:2])] = _pairs(s[2:].strip().split()[0] if s[2:].strip() else "")
        elif line.upper().startswith("#LAYER"):
            s = line[6:].strip()
            words = s[2:].strip().split()
            layer[int(s[:2])] = _pairs(words[0])
            place[int(s[:2])] = _pairs(words[1])
        elif line.startswith("#") and len(line) > 3 and line[3] in " \t":
            try:
                num = int(line[1:3], 16)
            except ValueError:
                continue
            pats[num] = tuple(int(v) for v in line[4:].split()[:4])
    return pats, base, layer, place


def _pairs(s):
    return [int(s[i:i + 2], 16) for i in range(0, len(s) - 1, 2)]


class Composer:
    def __init__(self):
        self.w, self.h, self.rows, self.pal = read_bmp8(os.path.join(SAMPLE, "sample.bmp"))
        self.key = self.rows[self.h - 1][self.w - 1]
        self.pats, self.base, self.layer, self.place = read_definition(
            os.path.join(SAMPLE, "sample.txt"))

    def _copy(self, view, sx, sy, sw, sh, dx, dy, keyed):
        if sw <= 0 or sh <= 0 or sx < 0 or sy < 0 or sx + sw > self.w or sy + sh > self.h:
            return
        if dx < 0 or dy < 0 or dx + sw > VIEW_W or dy + sh > VIEW_H:
            return
        for y in range(sh):
            src = self.rows[sy + y]
            for x in range(sw):
                c = src[sx + x]
                if not keyed or c != self.key:
                    view[(dy + y) * VIEW_W + dx + x] = c

    def frame(self, anim, i):
        view = [0] * (VIEW_W * VIEW_H)
        self._copy(view, *self.pats[1], 0, 0, False)
        b = self.base[anim][i]
        if b in self.pats:
            self._copy(view, *self.pats[b], 0, 0, True)
        if anim in self.layer and i < len(self.layer[anim]):
            sx, sy, sw, sh = self.pats[self.layer[anim][i]]
            dx, dy, pw, ph = self.pats[self.place[anim][i]]
            if dx < 0:
                sx, sw, pw, dx = sx - dx, sw + dx, pw + dx, 0
            if dy < 0:
                sy, sh, ph, dy = sy - dy, sh + dy, ph + dy, 0
            if dx + pw > VIEW_W:
                sw -= dx + pw - VIEW_W
            if dy + ph > VIEW_H:
                sh -= dy + ph - VIEW_H
            self._copy(view, sx, sy, sw, sh, dx, dy, True)
        return view

    def strip(self, path, anim, step=1, limit=24):
        frames = [self.frame(anim, i) for i in range(0, len(self.base[anim]), step)][:limit]
        gap = 3
        w = len(frames) * (VIEW_W + gap) - gap
        rows = []
        for y in range(VIEW_H):
            row = bytearray()
            for k, f in enumerate(frames):
                for x in range(VIEW_W):
                    row += bytes(self.pal[f[y * VIEW_W + x]])
                if k + 1 < len(frames):
                    row += b"\x30\x30\x30" * gap
            rows.append(bytes(row))
        write_png_rgb(path, w, VIEW_H, rows)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "/tmp/nimbrel_preview"
    os.makedirs(out, exist_ok=True)
    comp = Composer()
    anims = [int(a) for a in sys.argv[2:]] or sorted(comp.base)
    for a in anims:
        path = os.path.join(out, "anim_%02d.png" % a)
        comp.strip(path, a)
        print(path, len(comp.base[a]), "frames")


if __name__ == "__main__":
    main()
