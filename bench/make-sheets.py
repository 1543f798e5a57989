#!/usr/bin/env python3
"""Writes the sheets and definition files that the process-level benchmarks
load: a 2048 x 2048 sheet at 24 and 8 bits and a 1 x 1 sheet of each, so
that the figure is the load of the pixels, less what every load costs.

    make-sheets.py DIR
"""
import struct
import sys
from pathlib import Path

SIDE = 2048


def sheet_index(x, y):
    if (x // 64 + y // 64) % 3 == 0:
        return 0
    return ((x // (7 + y % 13)) * 31 + y // 5) % 255 + 1


def palette_color(i):
    return (i * 0x9E3779B1) & 0xFFFFFF


def bmp(width, height, bit_count, rows, colors=b""):
    stride = (width * bit_count + 31) // 32 * 4
    pixels = b"".join(r + b"\0" * (stride - len(r)) for r in rows)
    offset = 14 + 40 + len(colors)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bit_count, 0, len(pixels), 2835, 2835,
                       len(colors) // 4, 0)
    return header + info + colors + pixels


def sheet(side, bit_count):
    rows = []
    for y in range(side):
        idx = [sheet_index(x, y) for x in range(side)]
        if bit_count == 8:
            rows.append(bytes(idx))
        else:
            rows.append(b"".join(struct.pack("<I", palette_color(i))[:3] for i in idx))
    colors = b""
    if bit_count == 8:
        colors = b"".join(struct.pack("<I", palette_color(i)) for i in range(256))
    return bmp(side, side, bit_count, rows, colors)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for bits in (24, 8):
        for side, tag in ((SIDE, "big"), (1, "tiny")):
            name = f"{tag}{bits}"
            (out / f"{name}.bmp").write_bytes(sheet(side, bits))
            (out / f"{name}.txt").write_text(
                f"#CHARNAME {name}\n#ANIME 100\n#CHARBMP {name}.bmp\n#01 0 0 1 1\n#PATERN 01 01\n")


main()
