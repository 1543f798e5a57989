#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format makes of it
# with the committed .clang-format, so that formatting never drifts by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tools tests fuzz bench -name '*.cpp' -o -name '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "clang-format: the files above are not formatted; run: clang-format -i <file>" >&2
  exit 1
fi
echo "format: ${#files[@]} files formatted"
