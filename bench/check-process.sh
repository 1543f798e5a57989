#!/bin/bash
# nimbrel-check through the whole process on an 8 MB definition file whose
# sheet is a 2048 x 2048 BMP (reading, checking, the sheet, the report to
# /dev/null), in MB/s, against the in-process checker benchmark
# (bench_check, checkDefinition) on the same kind of file. The two run
# alternately, so that the load of a shared machine falls on both alike.
#
#     bench/check-process.sh      (BUILD=dir RUNS=n to change)
set -eu
. "$(dirname "$0")/process-lib.sh"
need tools/nimbrel-check bench/bench_check bench/bench-write-definition
"$BUILD/bench/bench-write-definition" 8388608 "$WORK/char.txt"
mkdir -p "$WORK/sheets"
python3 "$(dirname "$0")/make-sheets.py" "$WORK/sheets"
mv "$WORK/sheets/big24.bmp" "$WORK/sheets/bench.bmp"
bytes=$(stat -c %s "$WORK/char.txt")

# MB/s from bytes and milliseconds.
rate() {
    awk -v b="$1" -v ms="$2" 'BEGIN { printf "%.1f", (ms > 0 ? b / ms / 1000 : 0) }' </dev/null
}

: >"$WORK/figures"
: >"$WORK/references"
for _ in $(seq "$RUNS"); do
    read -r wall cpu < <(measure "$BUILD/tools/nimbrel-check" "$WORK/char.txt")
    echo "$(rate "$bytes" "$wall") $(rate "$bytes" "$cpu")" >>"$WORK/figures"
    # name,iterations,real_time,cpu_time,time_unit,bytes_per_second,...
    "$BUILD/bench/bench_check" --benchmark_filter='^checkDefinition$' --benchmark_min_time=0.2 \
        --benchmark_format=csv 2>/dev/null | awk -F, '$1 == "\"checkDefinition\"" {
            size = $6 * $4 / 1000; printf "%.1f %.1f\n", size / $3 / 1000, $6 / 1e6 }' >>"$WORK/references"
done
echo "nimbrel-check on $((bytes / 1000000)) MB through the process; reference the in-process checker"
report MB/s ">= 100 MB/s, higher is better" "$WORK/figures" "$WORK/references"
