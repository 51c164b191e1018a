#!/usr/bin/env bash
# Settings survive a restart of the real program: what a run reads from its
# settings file it writes back at close, a file opened from the command line joins
# the recently used files, and a settings file that cannot be written costs
# nothing but one message.
set -euo pipefail

program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUOXA_INI=$work/quoxa.ini
export XDG_DATA_HOME=$work/data

fail() {
  echo "FAIL: $*" >&2
  echo "--- settings file:" >&2
  cat "$QUOXA_INI" >&2 || true
  exit 1
}

# Starts the program, lets it reach its first activation, then asks it to end.
run() {
  "$program" "$@" 2>"$work/stderr" &
  local pid=$!
  sleep 3
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  # Ended by the signal, as a closed session ends it: 128 + SIGTERM.
  [ "$status" -eq 143 ] || fail "the program ended with status $status, not 143"
}

value() {  # section key
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { inside = ($0 == section); next }
    inside { n = index($0, "="); if (n > 0 && substr($0, 1, n - 1) == key) { print substr($0, n + 1); exit } }
  ' "$QUOXA_INI"
}

expect() {  # section key wanted
  local got
  got=$(value "$1" "$2")
  [ "$got" = "$3" ] || fail "[$1] $2 is '$got', expected '$3'"
}

# First run without a settings file: the defaults are written.
run
expect Options Cols 17
expect Options Rows 19
expect Options ModusText 1
expect Options Overwrite 1
expect Options JokerHex 2E
expect Options BaseAdress 0
resx=$(value display resx)
resy=$(value display resy)
ppi=$(value display ppi)
[ -n "$resx" ] && [ -n "$resy" ] && [ -n "$ppi" ] || fail "no display section"

# Second run: changed values on the same display are read and written back.
cat >"$QUOXA_INI" <<INI
[display]
resx=$resx
resy=$resy
ppi=$ppi

[TFormMain]
Top=20
Left=30

[Options]
Cols=12
Rows=11
FontSize=10
HideAddressRange=1
ModusText=0
Overwrite=0
JokerHex=41
BaseAdress=1
CaseSensitive=0
NewEOF=1
GotoMode=2

[MRU Files]
0=/somewhere/older.bin
INI
printf 'QUOXA' >"$work/doc.bin"
run "$work/doc.bin"
expect Options Cols 12
expect Options Rows 11
expect Options FontSize 10
expect Options HideAddressRange 1
expect Options ModusText 0
expect Options Overwrite 0
expect Options JokerHex 41
expect Options BaseAdress 1
expect Options CaseSensitive 0
expect Options NewEOF 1
expect Options GotoMode 2
expect Options CurrentDir "$work"
expect "MRU Files" 0 "$work/doc.bin"
expect "MRU Files" 1 /somewhere/older.bin

# A settings file that cannot be written: one message, the program still ends.
mkdir "$work/blocked"
printf 'not a folder' >"$work/blocked/file"
export QUOXA_INI=$work/blocked/file/quoxa.ini
run
count=$(grep -cxF "Error: Error writing $QUOXA_INI" "$work/stderr" || true)
[ "$count" = 1 ] || fail "expected one 'Error writing $QUOXA_INI', got $count: $(cat "$work/stderr")"
echo "settings restart: ok"
