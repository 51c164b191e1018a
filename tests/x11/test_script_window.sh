#!/usr/bin/env bash
# The script window on a real desktop: opened from the QUOXAscript menu, a script typed (Enter
# makes a new line), Syntax Check and Execute by Tab and Space, their boxes closed with Enter,
# Esc with the save question, Ctrl+F9 running the script at once; afterwards the main window
# is active, its cursor stands where the script left it, and the very next keys work.
source "$(dirname "$0")/lib.sh"
x11_start

script_window='QUOXAscript interpreter'

# bytes saved | steps (the document is 41 42 43 44, text mode, overwrite)
cases=(
  "417a7a44|keys alt+q e; wait_active '$script_window'; type_text 'ADR 1'; keys Return; type_text 'OVERWRITE 7A'; keys Tab space; wait_active '^QUOXA\$'; keys Return; wait_active '$script_window'; keys Tab space; wait_active Information; keys Return; wait_active '$script_window'; keys Escape; wait_active Confirmation; keys alt+n; wait_main; keys z ctrl+s"
  "414243797a|keys alt+q e; wait_active '$script_window'; type_text 'ADR 3'; keys Return; type_text 'INSERT 79'; keys Escape; wait_active Confirmation; keys alt+n; wait_main; keys ctrl+F9; wait_main; keys z ctrl+s"
  "4142437a|keys alt+q e; wait_active '$script_window'; type_text 'ADR 9'; keys Tab Tab space; wait_active Error; keys Return; wait_active '$script_window'; keys Escape; wait_active Confirmation; keys alt+n; wait_main; keys z ctrl+s"
  "41427a44|keys alt+q e; wait_active '$script_window'; keys alt+i a; type_text 2; keys Escape; wait_active Confirmation; keys Escape; wait_active '$script_window'; keys alt+s x; wait_active Confirmation; keys alt+n; wait_main; keys ctrl+F9; wait_main; keys z ctrl+s"
)

for row in "${cases[@]}"; do
  expected=${row%%|*}
  steps=${row#*|}
  log "$steps"
  write_settings <<INI
[Options]
ModusText=1
Overwrite=1
INI
  doc=$(make_doc doc.bin 41424344)
  quoxa_start "$doc"
  eval "$steps"
  expect_bytes "$doc" "$expected"
  quoxa_quit
done

# A batch run whose error a user saw stays open; closed, the program ends with status 1, and
# the error is on standard error for whoever started the run.
doc=$(make_doc doc.bin 41424344)
printf 'OVERWRITE 31\r\nDEL 0\r\n' >"$work/run.qsc"
quoxa_launch "$doc" "/S=$work/run.qsc"
wait_active Error
keys Return
wait_active "$script_window - run.qsc"
keys Escape
wait_main
keys alt+f e
quoxa_wait_exit 1
expect_bytes "$doc" 41424344
grep -qF 'Invalid byte count: 0' "$work/stderr" || fail "no error on stderr: $(cat -A "$work/stderr")"
pass
