#!/usr/bin/env bash
# One viewer per session, as a desktop runs it: under its own session bus
# (dbus-run-session) and X display (xvfb-run), a second `nimbrel FILE` hands
# FILE to the first viewer and ends; --play, --pattern and Press reach the
# running viewer; --new-window opens one more; and without a bus a viewer
# starts as it always did. The state is read over the bus, as any client
# reads it.
set -uo pipefail
viewer=$1 sample=$2
for tool in xvfb-run dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${NIMBREL_IN_SESSION:-}" ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -m 700 "$scratch/run"
  # A runtime folder of its own, without a bus socket in it.
  export XDG_RUNTIME_DIR=$scratch/run NIMBREL_IN_SESSION=$scratch
  unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
  exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$@"
fi
scratch=${NIMBREL_SCRATCH:-$NIMBREL_IN_SESSION}
export QT_QPA_PLATFORM=xcb
failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
alive_after() { sleep "$2"; kill -0 "$1" 2>/dev/null; }
stop() { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; }

if [ "$NIMBREL_IN_SESSION" != bus ]; then
  # Without a bus ("disabled:" also keeps libdbus from launching one through
  # X11): the window opens and plays, not a word on stderr.
  DBUS_SESSION_BUS_ADDRESS=disabled: NIMBREL_FRAME_LOG=$scratch/nobus.log "$viewer" "$sample" 2>"$scratch/nobus.err" &
  pid=$!
  if alive_after "$pid" 2 && [ -s "$scratch/nobus.log" ] && [ ! -s "$scratch/nobus.err" ]; then
    pass "without a session bus the viewer starts and plays, silently"
  else
    fail "without a session bus: $(cat "$scratch/nobus.err")"
  fi
  stop "$pid"
  NIMBREL_SCRATCH=$scratch NIMBREL_IN_SESSION=bus dbus-run-session -- "$0" "$@" 2>&1 | grep -v 'Failed to set fd limit'
  [ "${PIPESTATUS[0]}" -eq 0 ] || failures=$((failures + 1))
  [ "$failures" -eq 0 ]
  exit
fi

call() {
  local method=$1
  shift
  dbus-send --session --print-reply=literal --reply-timeout=5000 --dest=io.github.nimbrel.Nimbrel \
    /io/github/nimbrel/Nimbrel "io.github.nimbrel.Nimbrel.$method" "$@"
}
owned() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:io.github.nimbrel.Nimbrel | grep -q 'boolean true'
}
milliseconds() { echo $(($(date +%s%N) / 1000000)); }

# The first viewer, without a file; it owns the name once its window is up.
"$viewer" 2>"$scratch/first.err" &
first=$!
for _ in $(seq 100); do owned && break; sleep 0.1; done
owned && pass "the first viewer owns io.github.nimbrel.Nimbrel" || fail "the name was never taken"
call State | grep -q '"Label1":"名前"' || fail "the first viewer starts empty: $(call State)"
# The same keys as the driver's state line, the zoom window's last.
call State | grep -q '"onion":\[0,0\],"nobackground":false}' || fail "the state lacks the zoom keys: $(call State)"

start=$(milliseconds)
"$viewer" "$sample" >"$scratch/second.out" 2>"$scratch/second.err"
status=$? took=$(($(milliseconds) - start))
state=$(call State)
if [ "$status" -eq 0 ] && [ "$took" -lt 1000 ] && grep -q '"Label1":"Nimbrel"' <<<"$state" \
  && grep -q '"sheetPath":"[^"]*sample.bmp"' <<<"$state"; then
  pass "a second nimbrel FILE loads FILE in the first viewer and ends, status 0, in $took ms"
else
  fail "second start: status $status in $took ms, $(cat "$scratch/second.err"), state $state"
fi

# `nimbrel OPTIONS FILE` ends with status 0, and the running viewer's state
# then matches STATE.
played_in_running_viewer() {
  local what=$1 expected=$2 status state
  shift 2
  "$viewer" "$@" "$sample" 2>"$scratch/start.err"
  status=$?
  state=$(call State)
  if [ "$status" -eq 0 ] && grep -q "$expected" <<<"$state"; then
    pass "$what"
  else
    fail "$what: status $status, $(cat "$scratch/start.err"), state $state"
  fi
}

played_in_running_viewer "--play 6 FILE plays animation 6 in the running viewer" \
  '"Label2":"喜び１".*"animation":6,' --play 6
# Ten frames, a second of play: still playing when the state is read.
played_in_running_viewer "--pattern TEXT FILE plays the pattern string in the running viewer" \
  '"Edit2":"0102030405060708090A".*"animation":30,' --pattern 0102030405060708090A

"$viewer" --play 9 "$sample" 2>"$scratch/play9.err"
status=$?
if [ "$status" -eq 1 ] && grep -q 'アニメーション 9 を再生するボタンはありません' "$scratch/play9.err"; then
  pass "--play of an animation without a button ends with status 1 and says why"
else
  fail "--play 9: status $status, $(cat "$scratch/play9.err")"
fi

call Press string:NoSuchButton >"$scratch/press.out" 2>"$scratch/press.err"
status=$?
if [ "$status" -ne 0 ] && grep -q "io.github.nimbrel.Nimbrel.Error.Refused" "$scratch/press.err" \
  && grep -q "'NoSuchButton' という名前のボタンやメニュー項目はありません" "$scratch/press.err" \
  && kill -0 "$first" && call Press string:Button3 && call State | grep -q '"animation":15,'; then
  pass "Press of an unknown name answers a D-Bus error and the viewer goes on"
else
  fail "Press NoSuchButton: status $status, $(cat "$scratch/press.err")"
fi

"$viewer" --new-window "$sample" 2>"$scratch/new.err" &
second=$!
if alive_after "$second" 2 && kill -0 "$first"; then
  pass "--new-window starts a second viewer beside the first"
else
  fail "--new-window: $(cat "$scratch/new.err")"
fi
stop "$second"
stop "$first"
[ "$failures" -eq 0 ]
