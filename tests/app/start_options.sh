#!/usr/bin/env bash
# --help and --version of the viewer and of nimbrel-render answer on stdout
# with status 0 before any window is made, an unknown option is a usage error,
# and everything else still reaches the window. There is no display here, so
# a program that made its window fails: the last cases show that it does.
set -uo pipefail
viewer=$1 render=$2 version=$3
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

matches() { printf '%s' "$2" | grep -Eqz -- "$1"; }

# check NAME STATUS STDOUT-PATTERN STDERR-PATTERN -- PROGRAM ARGUMENTS...
# STATUS "window" means: neither 0 nor 2, the program went on to its window.
# The patterns are extended regular expressions over the whole output; an
# empty pattern wants the output empty.
check() {
  local name=$1 want=$2 out_pattern=$3 err_pattern=$4
  shift 5
  timeout 30 "$@" >"$scratch/out" 2>"$scratch/err"
  local status=$?
  local out err ok=1
  out=$(cat "$scratch/out") err=$(cat "$scratch/err")
  case $want in
    window) if [ "$status" -eq 0 ] || [ "$status" -eq 2 ] || [ "$status" -eq 124 ]; then ok=0; fi ;;
    *) [ "$status" -eq "$want" ] || ok=0 ;;
  esac
  if [ -z "$out_pattern" ]; then [ -z "$out" ] || ok=0; else matches "$out_pattern" "$out" || ok=0; fi
  if [ -n "$err_pattern" ] && ! matches "$err_pattern" "$err"; then ok=0; fi
  if [ "$want" != window ] && [ -z "$err_pattern" ] && [ -n "$err" ]; then ok=0; fi
  if [ "$ok" -eq 1 ]; then
    echo "ok   $name"
  else
    echo "FAIL $name: status $status (want $want)"
    echo "  stdout: $out"
    echo "  stderr: $err"
    failures=$((failures + 1))
  fi
}

v=${version//./\\.}
check "viewer --version" 0 "^nimbrel $v$" "" -- "$viewer" --version
check "viewer --help" 0 "^使い方: nimbrel .*--help.*--version" "" -- "$viewer" --help
check "viewer --help after a file" 0 "^使い方: nimbrel " "" -- "$viewer" some.txt --help
check "viewer unknown option" 2 "" "--verbose" -- "$viewer" --verbose
check "viewer option prefix" 2 "" "--versions" -- "$viewer" --versions
check "viewer file after --" window "" "" -- "$viewer" -- --version
check "viewer file" window "" "" -- "$viewer" some.txt
check "viewer single dash" window "" "" -- "$viewer" -h
check "viewer --play without a number" 2 "" "--play の後に値がありません" -- "$viewer" --play
check "viewer --play not a number" 2 "" "--play の後にはアニメーション番号を書いてください \\('6x'\\)" -- "$viewer" --play 6x f.txt
check "viewer --play and --pattern" 2 "" "一緒には使えません" -- "$viewer" --play 6 --pattern 0102 f.txt
check "viewer --pattern without text" 2 "" "--pattern の後に値がありません" -- "$viewer" f.txt --pattern
check "viewer --play N FILE" window "" "" -- "$viewer" --play 6 some.txt
check "viewer --new-window FILE" window "" "" -- "$viewer" --new-window some.txt
check "render --version" 0 "^nimbrel-render $v$" "" -- "$render" --version
check "render --version after actions" 0 "^nimbrel-render $v$" "" -- "$render" --frames 1 --version
check "render --help" 0 "--version +print the version" "" -- "$render" --help
check "render unknown option" 2 "" "unknown action '--verbose'" -- "$render" --verbose

[ "$failures" -eq 0 ]
