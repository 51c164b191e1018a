#!/usr/bin/env bash
# SIGTERM, SIGHUP and SIGINT sent to the real program in the middle of a long Replace all,
# Count and character conversion on 256 MiB, with and without an edit before: the command
# is cancelled as its Cancel button cancels it, nothing crashes, the save question comes
# only after the command, and the file is either untouched or exactly the document that the
# question's Yes wrote. Cancel keeps the program working, and a later Exit ends it with 0.
# A batch run on a display ends without a question and without saving.
source "$(dirname "$0")/lib.sh"
# The program keeps SIGINT as it is, rather than ignored as in a shell without job control.
set -m

size=$((256 << 20))
free_kib=$(awk '/^MemAvailable:/ { print $2 }' /proc/meminfo)
# The conversions at the end work on 1 GiB.
if [ "${free_kib:-0}" -lt $((4 << 20)) ]; then
  echo "[$case_name] SKIPPED: 4096 MiB of free memory needed, $((${free_kib:-0} >> 10)) MiB available"
  exit 77
fi
# Loading, counting and saving 256 MiB take longer than a dialog does.
wait_limit=$((wait_limit > 120 ? wait_limit : 120))
x11_start

# n blocks "ABCDEFGH" (or another block of the same length) in a row; yes ends by SIGPIPE.
blocks() (
  set +o pipefail
  yes "$1" | head -n "$2" | tr -d '\n'
)

original=$work/original.bin
blocks ABCDEFGH $((size / 8)) >"$original"
doc=$work/big.bin

# A fresh copy of the file, fresh settings (no history in the dialogs), the program on it;
# "edit" overwrites the first byte with 00 first.
start_on_copy() {  # edit|plain
  cp "$original" "$doc"
  write_settings <<INI
[Options]
ModusText=0
Overwrite=1
FindHex=1
ReplaceHex=1
Scope=0
INI
  quoxa_start "$doc"
  [ "$1" = plain ] || type_text 00
}

replace_all() {
  keys ctrl+r
  wait_active Replace
  type_text 41
  keys alt+x
  type_text 5a5a
  keys alt+a
  box='Replacing\.\.\.'
}

count() {
  keys alt+s c
  wait_active Count
  type_text 41
  keys Return
  box='Searching\.\.\.'
}

# The table converts A to a; it is not saved.
convert() {
  local title='Character conversion table' downs=()
  keys alt+s h
  wait_active "$title"
  sleep 0.5
  for ((i = 0; i < 0x41; i++)); do downs+=(Down); done
  keys Right Right Right "${downs[@]}"
  type_text 61
  keys Return alt+c
  wait_active Confirmation
  keys alt+n
  box='Replacing\.\.\.'
}

# The progress box of a conversion may show for less than a second, shorter than a look
# through every window takes on a busy machine: one process a look, and no pause between.
box_shown() { xdotool search --onlyvisible --pid "$quoxa_pid" --name "^$box\$" >/dev/null 2>&1; }

wait_box() {
  local deadline=$((SECONDS + wait_limit))
  until box_shown; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for window '$box'"
  done
}

# Starts the command (which names its progress box in $box) and sends the signal once the
# box shows and the command runs.
box=""
signal_during() {  # signal command
  $2
  wait_box
  # A conversion is done within a second on an idle machine: it gets the signal at once.
  [ "$2" = convert ] || sleep 1
  quoxa_running || fail "the program ended before the signal"
  kill -s "$1" "$quoxa_pid"
}

question_or_end() { ! quoxa_running || title_active Confirmation; }

# Waits for the program's end and checks its exit status.
expect_status() {  # status
  local deadline=$((SECONDS + wait_limit)) status=0
  while quoxa_running; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end"
    sleep 0.1
  done
  wait "$quoxa_pid" || status=$?
  quoxa_pid=""
  [ "$status" = "$1" ] || fail "the program ended with status $status, expected $1"
}

untouched() { cmp -s "$original" "$doc" || fail "the file changed"; }

# The document a cancelled command leaves: the edited first block, k blocks done, and the
# rest as it was; k is counted from the saved file.
saved_whole() {  # done-block k
  local total=$((size / 8))
  [ "$2" -ge 0 ] && [ "$2" -lt "$total" ] || fail "the saved file has $2 blocks done"
  cmp -s "$doc" <(printf '\0BCDEFGH'; blocks "$1" "$2"; blocks ABCDEFGH $((total - 1 - $2))) ||
    fail "the saved file is not the whole document ($(stat -c %s "$doc") bytes, $2 blocks done)"
}

# Replace all without an edit: the question comes only when the command had replaced some
# before it stopped; No leaves the file.
start_on_copy plain
signal_during TERM replace_all
wait_until "the question or the end" question_or_end
if quoxa_running; then xdotool key alt+n; fi
expect_status 143
untouched

# After an edit, Yes writes the whole document that the cancelled Replace all left.
start_on_copy edit
signal_during HUP replace_all
wait_active Confirmation
xdotool key alt+y
expect_status 129
saved_whole ZZBCDEFGH $(($(stat -c %s "$doc") - size))

# Count changes nothing: no question.
start_on_copy plain
signal_during INT count
expect_status 130
untouched

# Cancel keeps the program and the document; the signal is forgotten, so a later Exit ends
# it normally.
start_on_copy edit
signal_during TERM count
wait_active Confirmation
xdotool key Escape
wait_main
quoxa_running || fail "the program ended after Cancel"
activate '^QUOXA - big\.bin$'
keys alt+f e
wait_active Confirmation
xdotool key alt+n
expect_status 0
untouched

# A conversion of 256 MiB can end before the signal comes: these cases convert 1 GiB.
size=$((1 << 30))
blocks ABCDEFGH $((size / 8)) >"$original"

# A conversion cancelled halfway leaves its first part converted: Yes saves exactly that.
start_on_copy edit
signal_during TERM convert
wait_active Confirmation
xdotool key alt+y
expect_status 143
saved_whole aBCDEFGH "$(tr -cd a <"$doc" | wc -c)"

start_on_copy plain
signal_during HUP convert
wait_until "the question or the end" question_or_end
if quoxa_running; then xdotool key alt+n; fi
expect_status 129
untouched

# A batch run on a display is stopped as well: nobody is asked, nothing is saved.
cp "$original" "$doc"
{
  printf 'OVERWRITE 00\r\n'
  for ((i = 0; i < 20000; i++)); do printf 'DEL 1\r\n'; done
} >"$work/del.qsc"
: >"$work/stderr"
quoxa_launch "$doc" "/S=$work/del.qsc"
wait_window '^QUOXAscript interpreter - del\.qsc$'
sleep 1
kill -s TERM "$quoxa_pid"
expect_status 143
untouched
note="QUOXA: Ended by SIGTERM: the changes to $doc were not saved."
# Stopped while it still checked its lines, the run had changed nothing to name. A run's
# errors also go to standard error on a display: the stop is one.
case "$(grep -v '^Openbox\|^qt\.\|^Error: User abort!$' "$work/stderr" || true)" in
  "" | "$note") ;;
  *) fail "standard error was: $(cat "$work/stderr")" ;;
esac
pass
