#!/usr/bin/env bash
# From the editor to the running viewer: under a session bus and an X display
# of their own, a viewer runs on the sample; Neovim, headless, runs the code
# lens ▶ 再生 of nimbrel-lsp above the list line of animation 6; the lens's
# command starts `nimbrel --play 6 FILE`, which hands the request to the
# running viewer, and the viewer's state shows animation 6.
# usage: editor_lens.sh NIMBREL NIMBREL_LSP SAMPLE
set -uo pipefail
viewer=$1 server=$2 sample=$3
for tool in nvim xvfb-run dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${NIMBREL_IN_SESSION:-}" ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -m 700 "$scratch/run"
  export XDG_RUNTIME_DIR=$scratch/run NIMBREL_IN_SESSION=$scratch
  unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
  exec xvfb-run -a -s "-screen 0 640x480x24" dbus-run-session -- "$0" "$@"
fi
scratch=$NIMBREL_IN_SESSION
export QT_QPA_PLATFORM=xcb
state() {
  dbus-send --session --print-reply=literal --reply-timeout=5000 --dest=io.github.nimbrel.Nimbrel \
    /io/github/nimbrel/Nimbrel io.github.nimbrel.Nimbrel.State
}
owned() { state >/dev/null 2>&1; }

# The author's copy of the sample, saved where the editor has it.
cp "$(dirname "$sample")/sample.txt" "$(dirname "$sample")/sample.bmp" "$scratch/"
"$viewer" "$scratch/sample.txt" 2>"$scratch/viewer.err" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null' EXIT
for _ in $(seq 100); do owned && break; sleep 0.1; done
state | grep -q '"animation":1,' || { echo "FAIL: the viewer does not run: $(cat "$scratch/viewer.err")"; exit 1; }

NIMBREL_VIEWER=$viewer NIMBREL_LSP=$server NIMBREL_FILE=$scratch/sample.txt \
  timeout 60 nvim --headless --clean -n -c "luafile $(dirname "$0")/editor_lens.lua" 2>&1 || exit 1
# The lens starts the viewer detached: its request reaches the bus a moment later.
for _ in $(seq 50); do state | grep -q '"animation":6,' && break; sleep 0.1; done
if state | grep -q '"Label2":"喜び１".*"animation":6,'; then
  echo "ok   the code lens ▶ 再生 makes the running viewer play animation 6"
else
  echo "FAIL: the viewer's state after the lens: $(state)"
  exit 1
fi
