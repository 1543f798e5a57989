#!/usr/bin/env bash
# Builds Nimbrel and runs every test three ways: a plain build with CTest (an
# install into a scratch folder among them) and its Debian package, the
# same tests under AddressSanitizer and UndefinedBehaviorSanitizer, and every
# fuzz target for a bounded time (NIMBREL_FUZZ_SECONDS, 30 by default).
# Installs what it needs on a fresh Debian 12 machine first.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
install_deps

jobs=$(nproc)
fuzz_seconds=${NIMBREL_FUZZ_SECONDS:-30}

echo "== format"
scripts/check-format.sh

echo "== release build and tests"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== Debian package"
scripts/check-package.sh build/release

echo "== sanitizer build and tests"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNIMBREL_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== fuzzing, ${fuzz_seconds}s per target"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DNIMBREL_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/corpus/${name#fuzz_}"
  echo "-- $name"
  if [ -d "$seeds" ]; then
    "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$seeds" 2>&1 | tail -n 12
  else
    "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
  fi
  test "${PIPESTATUS[0]}" -eq 0
done
echo "== all tests passed"
