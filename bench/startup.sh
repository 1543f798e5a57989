#!/bin/bash
# Exec to the first frame of the sample (nimbrel examples/sample/sample.txt,
# timed to the first line of its frame log), against a bare Qt Widgets window
# with one label timed to its first paint (bench-bare-window), both by
# bench-first-frame on the same display, alternately. The same window with
# its label in the viewer's Japanese face is timed as well, for the share of
# the start that the face alone takes. Needs a display: run it under
# xvfb-run, or with DISPLAY set.
#
#     bench/startup.sh      (BUILD=dir RUNS=n to change)
set -eu
. "$(dirname "$0")/process-lib.sh"
need src/app/nimbrel bench/bench-first-frame bench/bench-bare-window
sample="$(cd "$(dirname "$0")/.." && pwd)/examples/sample/sample.txt"

# bench-first-frame prints the milliseconds from exec to the first frame;
# the processor time is the whole run's, up to the frame and the end.
timed() {
    local ms
    if [ "$HAVE_PERF" = 1 ]; then
        ms=$(perf stat -x, -e task-clock -o "$WORK/stat" "$BUILD/bench/bench-first-frame" "$@" 2>/dev/null)
        echo "$ms $(awk -F, '/task-clock/ { print $1 }' "$WORK/stat")"
    else
        echo "$("$BUILD/bench/bench-first-frame" "$@" 2>/dev/null) 0"
    fi
}

: >"$WORK/figures"
: >"$WORK/references"
: >"$WORK/japanese"
for _ in $(seq "$RUNS"); do
    timed "$BUILD/src/app/nimbrel" "$sample" >>"$WORK/figures"
    timed "$BUILD/bench/bench-bare-window" >>"$WORK/references"
    timed "$BUILD/bench/bench-bare-window" --window-font >>"$WORK/japanese"
done
echo "exec to the first frame of the sample; reference a bare Qt window with one label, to its first paint"
report ms "<= 1.2" "$WORK/figures" "$WORK/references"
echo
echo "the same; reference the bare window with its label in the viewer's Japanese face"
report ms "(for comparison)" "$WORK/figures" "$WORK/japanese"
