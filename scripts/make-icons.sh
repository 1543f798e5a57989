#!/usr/bin/env bash
# Renders the icon's PNG sizes from its one SVG drawing. The PNGs are kept in
# git, so that a build needs no SVG renderer; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_deps librsvg2-bin
source=data/icons/io.github.nimbrel.Nimbrel.svg
for size in 16 32 48 64 128 256; do
  mkdir -p "data/icons/${size}"
  rsvg-convert --width "$size" --height "$size" "$source" --output "data/icons/${size}/io.github.nimbrel.Nimbrel.png"
done
echo "icons: made from $source"
