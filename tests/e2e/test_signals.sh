#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP sent to unattended runs of the real program in the middle of
# long Replace alls, conversions and 100,000 DEL lines on 128 MiB, after an edit: the run
# ends at once with status 128 plus the signal, the file stays as it was, and standard error
# says why. A window without a display ends the same way. With a signal ignored by whoever
# started the program (nohup), the run goes on to its normal end.
set -euo pipefail
# Background runs keep SIGINT as it is, rather than ignored as in a shell without job control.
set -m

program=$1
work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export QUOXA_INI=$work/quoxa.ini
work=$(realpath "$work")

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

size=$((128 << 20))
original=$work/original.bin
(
  set +o pipefail
  yes ABCDEFGH | head -n $((size / 8)) | tr -d '\n' >"$original"
)
doc=$work/doc.bin
printf '41;61\r\n' >"$work/a.qct"
printf '61;41\r\n' >"$work/b.qct"

# Script lines, CR LF ended: a first edit, then the given lines n times.
script() {  # n line...
  local n=$1 i
  shift
  printf 'OVERWRITE 00\r\n'
  for ((i = 0; i < n; i++)); do printf '%s\r\n' "$@"; done
}

# Resident memory of the run in KiB; the file is loaded once it passes the file's size.
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0; }

running() { kill -0 "$pid" 2>/dev/null; }

# Starts the program (with SIGHUP ignored as nohup does, when the signals begin with an
# ignored HUP), sends the signals once the file is loaded and the run is at work, and checks
# that an ignored one changed nothing, then the exit status, the file and standard error.
case_() {  # name "signals" status stderr program-arguments...
  local name=$1 status=$3 stderr=$4 got=0 deadline sig
  local -a signals
  read -r -a signals <<<"$2"
  shift 4
  cp "$original" "$doc"
  if [ "${signals[0]}" = ignored-HUP ]; then
    (
      trap '' HUP
      exec "$program" "$doc" "$@" 2>"$work/stderr"
    ) &
  else
    "$program" "$doc" "$@" 2>"$work/stderr" &
  fi
  pid=$!
  deadline=$((SECONDS + 60))
  until [ "$(rss_kib)" -ge $((size >> 10)) ]; do
    running || fail "$name: the program ended before the signal"
    [ "$SECONDS" -lt "$deadline" ] || fail "$name: the file was not loaded"
    sleep 0.1
  done
  sleep 1
  for sig in "${signals[@]}"; do
    kill -s "${sig#ignored-}" "$pid"
    [ "$sig" = "${sig#ignored-}" ] && break
    sleep 1
    running || fail "$name: the ignored SIG${sig#ignored-} ended the program"
  done
  deadline=$((SECONDS + 60))
  while running; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$name: the program did not end"
    sleep 0.1
  done
  wait "$pid" || got=$?
  pid=""
  [ "$got" = "$status" ] || fail "$name: exit status $got, expected $status"
  cmp -s "$original" "$doc" || fail "$name: the file changed"
  # A run stopped before its first change (still checking its lines) has no changes to name.
  if [ -n "$stderr" ] && [ "$(cat "$work/stderr")" = "Error: User abort!" ]; then return; fi
  [ "$(cat "$work/stderr")" = "$stderr" ] || fail "$name: standard error was: $(cat -A "$work/stderr")"
  [ -z "$stderr" ] || ((++noted))
}
noted=0

unsaved() {  # signal name
  printf 'Error: User abort!\nQUOXA: Ended by %s: the changes to %s were not saved.' "$1" "$doc"
}

script 20 'REPLACEALL 41 BY 5A 5A' 'REPLACEALL 5A 5A BY 41' >"$work/replace.qsc"
script 200 "CHARCON $work/a.qct" "CHARCON $work/b.qct" >"$work/convert.qsc"
script 100000 'DEL 1' >"$work/del.qsc"

for mode in offscreen "no display"; do
  if [ "$mode" = offscreen ]; then
    export QT_QPA_PLATFORM=offscreen
  else
    unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY
  fi
  case_ "replace all ($mode)" TERM 143 "$(unsaved SIGTERM)" "/S=$work/replace.qsc"
  case_ "conversion ($mode)" INT 130 "$(unsaved SIGINT)" "/S=$work/convert.qsc"
  case_ "DEL lines ($mode)" HUP 129 "$(unsaved SIGHUP)" "/S=$work/del.qsc"
done
# A window with nobody to answer: nothing was changed, so nothing is said; it closed as its
# close button closes it, writing the settings.
rm -f "$QUOXA_INI"
QT_QPA_PLATFORM=offscreen case_ "window" TERM 143 ""
[ -s "$QUOXA_INI" ] || fail "the window did not close in order: no settings were written"

# nohup: an ignored SIGHUP does not stop the run; the SIGTERM after it does.
case_ "ignored SIGHUP" "ignored-HUP TERM" 143 "$(unsaved SIGTERM)" "/S=$work/del.qsc"
[ "$noted" -gt 0 ] || fail "no run was stopped after its first change"
echo "ok ($noted of 7 runs stopped after their first change)"
