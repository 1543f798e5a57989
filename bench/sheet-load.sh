#!/bin/bash
# The sheet load through the whole process: nimbrel-render --drop of a
# 2048 x 2048 sheet less the same with a 1 x 1 sheet, against stb_image
# decoding the same two files (bench-stb-decode). Figure and reference run
# alternately, so that the load of a shared machine falls on both alike.
# Then the peak memory (maximum resident set) of the large load.
#
#     bench/sheet-load.sh [24|8 ...]      (BUILD=dir RUNS=n to change)
set -eu
. "$(dirname "$0")/process-lib.sh"
need tools/nimbrel-render bench/bench-stb-decode
python3 "$(dirname "$0")/make-sheets.py" "$WORK"

[ $# -gt 0 ] || set -- 24 8
for bits in "$@"; do
    : >"$WORK/figures"
    : >"$WORK/references"
    for _ in $(seq "$RUNS"); do
        big=$(measure "$BUILD/tools/nimbrel-render" --drop "$WORK/big$bits.txt")
        tiny=$(measure "$BUILD/tools/nimbrel-render" --drop "$WORK/tiny$bits.txt")
        minus "$big" "$tiny" >>"$WORK/figures"
        big=$(measure "$BUILD/bench/bench-stb-decode" "$WORK/big$bits.bmp")
        tiny=$(measure "$BUILD/bench/bench-stb-decode" "$WORK/tiny$bits.bmp")
        minus "$big" "$tiny" >>"$WORK/references"
    done
    echo "nimbrel-render --drop of a 2048 x 2048 sheet at $bits bits, less 1 x 1; reference stb_image"
    report ms "<= 0.5" "$WORK/figures" "$WORK/references"
    kb=$({ /usr/bin/time -f %M "$BUILD/tools/nimbrel-render" --drop "$WORK/big$bits.txt" >/dev/null; } 2>&1 | tail -1)
    printf '%-10s %10.1f MB (maximum resident set of the large load)\n\n' peak "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')"
done
