#!/usr/bin/env bash
# Starts the viewer on a definition file on the current X display, waits for
# its window, checks that the window has its icon and no error box opened,
# and takes a screenshot. Usage: scripts/screenshot-viewer.sh VIEWER FILE OUT.png
set -euo pipefail
viewer=$1 file=$2 out=$3
"$viewer" "$file" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=""
for _ in $(seq 50); do
  window=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Nimbrel$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "screenshot-viewer: no window" >&2; exit 1; }
sleep 1.5
xprop -id "$window" _NET_WM_ICON | grep -q "Icon (16 x 16)" || { echo "screenshot-viewer: the window has no 16 px icon" >&2; exit 1; }
windows=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
import -window root "$out"
[ "$windows" -le 1 ] || { echo "screenshot-viewer: $windows windows are open (an error box?)" >&2; exit 1; }
