#!/usr/bin/env bash
# The viewer on Wayland: weston's headless back end with a runtime folder
# and socket of its own, the viewer on the sample through Qt's Wayland
# platform, its frame log read back. Frames must come at the sample's
# interval (100 ms): the mean within 10 ms of it, no frame later than one
# interval and a half. Prints the mean and worst deviation and the
# processor time the viewer took. Skipped where weston is not installed.
set -uo pipefail
viewer=$1 sample=$2 seconds=${3:-5}
interval=100
command -v weston >/dev/null || { echo "SKIP: weston is not installed (Debian package weston)"; exit 77; }
scratch=$(mktemp -d)
mkdir -m 700 "$scratch/run"
socket=nimbrel-$$
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$scratch/run
unset DISPLAY
# No idle blanking: a blanked output sends no frame callbacks.
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --no-config \
  >"$scratch/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || { cat "$scratch/weston.log"; echo "FAIL: weston did not start"; exit 1; }

WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland DBUS_SESSION_BUS_ADDRESS=disabled: \
  NIMBREL_FRAME_LOG=$scratch/frames.log "$viewer" "$sample" 2>"$scratch/viewer.err" &
pid=$!
sleep "$seconds"
if ! kill -0 "$pid" 2>/dev/null; then
  cat "$scratch/viewer.err"
  echo "FAIL: the viewer ended on Wayland"
  exit 1
fi
# utime and stime, in clock ticks: fields 14 and 15 after the command name.
read -r -a stat < <(sed 's/^.*) //' "/proc/$pid/stat")
ticks=$((stat[11] + stat[12]))
kill "$pid"
wait "$pid" 2>/dev/null
cpu_ms=$((ticks * 1000 / $(getconf CLK_TCK)))

# Intervals between frames of the same animation run; the first frame waits
# on the start-up and is left out.
awk -v interval="$interval" -v cpu="$cpu_ms" -v seconds="$seconds" '
  NR > 1 && $2 == animation { d = $1 - last; sum += d; n++; dev = d - interval; if (dev < 0) dev = -dev;
                              if (dev > worst) worst = dev }
  { last = $1; animation = $2 }
  END {
    if (n < 10) { printf "FAIL: only %d frame intervals logged\n", n; exit 1 }
    mean = sum / n
    printf "Wayland: %d frames, mean interval %.1f ms (deviation %.1f ms), worst deviation %d ms, processor time %d ms in %d s\n",
           n + 1, mean, mean - interval, worst, cpu, seconds
    if (mean < interval - 10 || mean > interval + 10) { print "FAIL: the mean interval is off"; exit 1 }
    if (worst > interval / 2) { print "FAIL: a frame came more than half an interval late or early"; exit 1 }
  }' "$scratch/frames.log" || { head -40 "$scratch/frames.log"; cat "$scratch/viewer.err"; exit 1; }
if [ -s "$scratch/viewer.err" ]; then
  echo "stderr of the viewer:"
  cat "$scratch/viewer.err"
fi
