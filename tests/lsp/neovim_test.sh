#!/usr/bin/env bash
# Neovim headless, its own LSP client, against nimbrel-lsp on a Shift-JIS
# copy of the sample with two faults: a misspelt keyword and a list entry
# that no pattern line defines.
# usage: neovim_test.sh NIMBREL_LSP SOURCE_DIR
set -euo pipefail
if ! command -v nvim >/dev/null; then
  echo "SKIPPED: nvim is not installed (scripts/deps.sh installs neovim)"
  exit 77
fi
server=$1 source=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$source/examples/sample/sample.bmp" "$dir/"
# A Japanese name makes the copy Shift-JIS; the faults go below the lists.
{
  sed 's/^#CHARNAME .*/#CHARNAME ニンブレル/' "$source/examples/sample/sample.txt"
  printf '#PATTERN 05 0202\n#PATERN 03 02FE\n'
} | iconv -f UTF-8 -t CP932 > "$dir/sample.txt"
NIMBREL_LSP=$server NIMBREL_FILE=$dir/sample.txt \
  timeout 60 nvim --headless --clean -n -c "luafile $(dirname "$0")/neovim_client.lua" 2>&1
