#!/usr/bin/env bash
# A file the window opens read-only (mode 444, which binds the superuser too) is not saved by an
# unattended script run either: the run fails with the writer's message and the file stays.
set -euo pipefail

program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUOXA_INI=$work/quoxa.ini HOME=$work XDG_STATE_HOME=$work/state XDG_CACHE_HOME=$work/cache

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

printf 'ABC' >"$work/r.bin"
chmod 444 "$work/r.bin"
printf 'OVERWRITE 5A\n' >"$work/run.qsc"
status=0
(cd "$work" && timeout 60 env -u DISPLAY QT_QPA_PLATFORM=offscreen "$program" r.bin /S=run.qsc 2>"$work/stderr") ||
  status=$?
[ "$status" = 1 ] || fail "exit status $status, expected 1"
[ "$(cat "$work/r.bin")" = ABC ] || fail "the file was written: $(cat "$work/r.bin")"
cmp -s "$work/stderr" <(printf 'Error: Error writing\nr.bin\nError 5: File access denied\n') ||
  fail "standard error was: $(cat -A "$work/stderr")"
echo "read-only batch: ok"
