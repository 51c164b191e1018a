#!/usr/bin/env bash
# The X server goes away under a modified document: the program ends (the window system's library
# ends it), keeping the changes in the recovery folder; the file stays as it was. The next start
# offers the changes, Yes opens them modified, and Ctrl+S saves them.
source "$(dirname "$0")/lib.sh"
x11_start

recovery=$XDG_STATE_HOME/quoxa/recovery
doc=$(make_doc lost.bin 41424344)
quoxa_start "$doc"
keys z
settle
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
deadline=$((SECONDS + wait_limit))
while quoxa_running; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the program outlived its display"
  sleep 0.1
done
wait "$quoxa_pid" 2>/dev/null || true
quoxa_pid=""
kill "$wm_pid" 2>/dev/null || true
wait "$wm_pid" 2>/dev/null || true
wm_pid=""
expect_bytes "$doc" 41424344
records=("$recovery"/record-*)
[ -e "${records[0]}" ] || fail "no recovery record in $recovery: $(ls -A "$recovery" 2>&1)"
copy=$(sed -n 's/^copy=//p' "${records[0]}")
[ "$(file_hex "$copy")" = 7a424344 ] || fail "the kept copy holds '$(file_hex "$copy")'"

x11_start
quoxa_launch
wait_active Confirmation
keys alt+y
wait_active '^QUOXA - lost\.bin$'
keys ctrl+s
expect_bytes "$doc" 7a424344
[ ! -e "$copy" ] || fail "the opened copy is left"
[ ! -e "${records[0]}" ] || fail "the record of the opened copy is left"
quoxa_quit
pass
