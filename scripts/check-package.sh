#!/usr/bin/env bash
# Builds the Debian package of a release build with CPack and checks it: the
# dependencies are computed from the binaries, and lintian finds no error
# (its warnings are listed). With --install it also installs the package on
# this machine, starts the installed viewer on the installed sample under
# Xvfb, keeps a screenshot and removes the package again.
# Usage: scripts/check-package.sh [--install [SCREENSHOT.png]] [BUILD_DIR]
# The display number for --install: NIMBREL_XVFB_DISPLAY (a free one if unset).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install=0 screenshot=""
if [ "${1:-}" = --install ]; then
  install=1
  shift
  case ${1:-} in *.png) screenshot=$1; shift ;; esac
fi
build=${1:-build/release}

fail() {
  echo "check-package: $*" >&2
  exit 1
}

rm -f "$build"/nimbrel_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; fail "cpack fails"; }
deb=$(ls "$build"/nimbrel_*_"$(dpkg --print-architecture)".deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "package: $(basename "$deb")"
echo "Depends: $depends"
# Computed ones name the exact libraries the binaries link, with versions.
for library in libc6 libstdc++6 libqt6core6 libqt6widgets6; do
  grep -Eq "(^|, )${library//+/\\+} \(>= " <<<"$depends" || fail "$library is missing from the computed Depends"
done
# Qt's own dialogs speak Japanese only with qtbase_ja.qm, which no binary
# links, so no computed dependency brings it.
grep -Eq "(^|, )qt6-translations-l10n(,|$)" <<<"$depends" || fail "qt6-translations-l10n is missing from Depends"
zcat <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/nimbrel/changelog.gz) | head -n 1 \
  | grep "^nimbrel ($(dpkg-deb -f "$deb" Version)) " >/dev/null || fail "the changelog is not of the package's version"

# lintian refuses nothing as root, but says so on stderr.
lintian --no-tag-display-limit "$deb" 2>/dev/null >"$build/lintian.txt" || true
grep -E '^[EW]: ' "$build/lintian.txt" || true
grep -q '^E: ' "$build/lintian.txt" && fail "lintian reports errors"
echo "lintian: $(grep -c '^E: ' "$build/lintian.txt") errors, $(grep -c '^W: ' "$build/lintian.txt") warnings"

[ "$install" -eq 1 ] || exit 0
install_deps xvfb xauth xdotool x11-utils imagemagick
if dpkg-query -W -f='${Status}' nimbrel 2>/dev/null | grep "install ok installed" >/dev/null; then
  fail "nimbrel is installed already; remove it first"
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$(realpath "$deb")" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq nimbrel >/dev/null' EXIT
[ "$(command -v nimbrel)" = /usr/bin/nimbrel ] || fail "the package installs no /usr/bin/nimbrel"
screenshot=${screenshot:-$build/installed-viewer.png}
display=(-a)
if [ -n "${NIMBREL_XVFB_DISPLAY:-}" ]; then display=(-n "$NIMBREL_XVFB_DISPLAY"); fi
xvfb-run "${display[@]}" -s "-screen 0 400x440x24" scripts/screenshot-viewer.sh \
  /usr/bin/nimbrel /usr/share/nimbrel/examples/sample/sample.txt "$screenshot"
echo "installed viewer: screenshot in $screenshot"
