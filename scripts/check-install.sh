#!/usr/bin/env bash
# Installs a build into a scratch DESTDIR and checks the installed tree as a
# desktop would see it: the desktop entry and the metainfo validate, every
# icon size is there, every man page renders, the installed nimbrel-render
# renders the installed sample, and the installed viewer tells its version
# without a display. Usage: scripts/check-install.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
id=io.github.nimbrel.Nimbrel
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
share=$root/usr/share

fail() {
  echo "check-install: $*" >&2
  exit 1
}

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

entry=$share/applications/$id.desktop
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
# The entry names the bus name that the running viewer owns, which is its own
# file name; it is not D-Bus activated, so no service file may be needed.
grep -x "X-DBUS-ServiceName=$id" "$entry" >/dev/null || fail "the desktop entry does not name the D-Bus name $id"
grep -x "Exec=nimbrel %f" "$entry" >/dev/null || fail "the desktop entry does not start nimbrel with the file"
if grep "^DBusActivatable=true" "$entry" >/dev/null; then
  [ -f "$share/dbus-1/services/$id.service" ] || fail "DBusActivatable without a D-Bus service file"
fi
appstreamcli validate --no-net --no-color "$share/metainfo/$id.metainfo.xml" >"$scratch/appstream" \
  || { cat "$scratch/appstream"; fail "the metainfo does not validate"; }

for size in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$id.png
  file -b "$icon" | grep "^PNG image data, $size x $size," >/dev/null || fail "no ${size} px icon: $icon"
done
grep -q "<svg" "$share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"

for program in "$root"/usr/bin/*; do
  page=$share/man/man1/$(basename "$program").1.gz
  [ -f "$page" ] || fail "no man page for $(basename "$program")"
done
for page in "$share"/man/man1/*.1.gz; do
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$page" >"$scratch/page" 2>"$scratch/man-warnings"
  [ -s "$scratch/man-warnings" ] && { cat "$scratch/man-warnings"; fail "$page renders with warnings"; }
  sed 's/.\x08//g' "$scratch/page" | grep "^NAME" >/dev/null || fail "$page renders no NAME section"
done

for doc in README.md LICENSE copyright changelog.gz; do
  [ -s "$share/doc/nimbrel/$doc" ] || fail "no $doc in share/doc/nimbrel"
done
zcat "$share/doc/nimbrel/changelog.gz" | head -n 1 | grep "^nimbrel ($version) " >/dev/null \
  || fail "the changelog does not start with version $version"

sample=$share/nimbrel/examples/sample/sample.txt
"$root/usr/bin/nimbrel-render" --drop "$sample" --press Button6 --frames 4 --out "$scratch/strip.png" \
  2>"$scratch/render-errors" || { cat "$scratch/render-errors"; fail "the installed nimbrel-render fails on the installed sample"; }
[ -s "$scratch/render-errors" ] && { cat "$scratch/render-errors"; fail "the installed sample reports errors"; }
file -b "$scratch/strip.png" | grep "^PNG image data, 484 x 271," >/dev/null || fail "the strip of 4 frames is not 484 x 271"
if [ -x "$root/usr/bin/nimbrel-check" ]; then
  "$root/usr/bin/nimbrel-check" "$sample" >/dev/null || fail "the installed sample is not clean for nimbrel-check"
fi
if [ -x "$root/usr/bin/nimbrel-lsp" ]; then
  [ "$("$root/usr/bin/nimbrel-lsp" --version)" = "nimbrel-lsp $version" ] || fail "the installed nimbrel-lsp --version is wrong"
fi

answer=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/usr/bin/nimbrel" --version) \
  || fail "the installed nimbrel --version fails without a display"
[ "$answer" = "nimbrel $version" ] || fail "the installed nimbrel --version prints '$answer', not 'nimbrel $version'"

echo "install: $(find "$root" -type f | wc -l) files in a DESTDIR install, all checks passed (version $version)"
