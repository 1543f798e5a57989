#!/usr/bin/env bash
# Builds the viewer and starts it on the bundled sample character. Installs
# what it needs on a fresh Debian 12 machine first. Extra arguments replace
# the sample: ./run.sh path/to/character.txt
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
install_deps

cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIMBREL_BENCH=OFF >/dev/null
cmake --build build/run -j "$(nproc)" --target nimbrel
if [ $# -eq 0 ]; then
  set -- examples/sample/sample.txt
fi
exec build/run/src/app/nimbrel "$@"
