#!/usr/bin/env bash
# quoxa --strings against GNU strings -a on real binaries from /usr/lib, offsets included, in
# both encodings and at several lengths, through a pipe and with several files; the exit
# statuses and messages; and neither a display nor a settings file is needed or written.
set -euo pipefail

program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
command -v strings >/dev/null || { echo "GNU strings (binutils) is missing" >&2; exit 77; }

quoxa_strings() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QUOXA_INI="$work/settings/quoxa.ini" \
    "$program" --strings "$@"
}

libs=()
for lib in libc.so.6 libstdc++.so.6 libpcre2-8.so.0 libQt6Core.so.6; do
  [ -e "/usr/lib/x86_64-linux-gnu/$lib" ] && libs+=("/usr/lib/x86_64-linux-gnu/$lib")
done
[ ${#libs[@]} -ge 2 ] || fail "too few libraries in /usr/lib/x86_64-linux-gnu"

for lib in "${libs[@]}"; do
  for opts in "-t d -n 4" "-t d -n 1" "-t d -n 9" "-t d -e l -n 4" "-t d -e l -n 2" "-n 6" "-e l"; do
    # shellcheck disable=SC2086
    cmp -s <(quoxa_strings $opts "$lib") <(strings -a $opts "$lib") || fail "$lib $opts differs"
  done
done
# Pieces read from a pipe end anywhere; several files follow one another.
cmp -s <(quoxa_strings -e l -t d - <"${libs[0]}") <(strings -a -e l -t d <"${libs[0]}") || fail "standard input"
cmp -s <(quoxa_strings -n 5 "${libs[@]}") <(strings -a -n 5 "${libs[@]}") || fail "several files"

printf 'abcd\0efg\0hijklm' >small
usage="Usage: quoxa --strings [-n N] [-e l] [-t d] FILE..."
# status | stdout | stderr | arguments
cases=(
  "0|abcd
hijklm||small"
  "0|      9 hijklm||-n5 -td small"
  "1|abcd
hijklm|quoxa: missing: No such file or directory
quoxa: .: Is a directory|small missing ."
  "2||$usage|-n 0 small"
  "2||$usage|-n x small"
  "2||$usage|-e b small"
  "2||$usage|-t x small"
  "2||$usage|-q small"
  "2||$usage|-n"
  "2||$usage|"
)
for row in "${cases[@]}"; do
  IFS='|' read -r -d '' status out err args <<<"$row" || true
  args=${args%$'\n'}
  status_got=0
  # shellcheck disable=SC2086
  quoxa_strings $args >stdout 2>stderr || status_got=$?
  [ "$status_got" = "$status" ] || fail "$args: exit status $status_got, expected $status"
  [ "$(cat stdout)" = "$out" ] || fail "$args: printed $(cat -A stdout)"
  [ "$(cat stderr)" = "$err" ] || fail "$args: said $(cat -A stderr)"
done

status_got=0
quoxa_strings small >/dev/full 2>stderr || status_got=$?
[ "$status_got" = 1 ] && grep -q '^quoxa: write error' stderr || fail "/dev/full: status $status_got, $(cat stderr)"

[ ! -e "$work/settings" ] || fail "the settings were written"
echo "ok"
