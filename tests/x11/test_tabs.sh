#!/usr/bin/env bash
# Several documents in one window: two files from the command line, Ctrl+Tab and
# Ctrl+PgDn/PgUp between them, edits and undo in each kept apart, each saved; the save
# question of a modified tab answered Cancel, No and Yes with Ctrl+F4; a second start of the
# program hands its file over as a tab, and --new-window opens a window of its own.
source "$(dirname "$0")/lib.sh"
x11_start

write_settings <<INI
[Options]
ModusText=1
Overwrite=1
INI
a=$(make_doc a.bin 41414141)
b=$(make_doc b.bin 42424242)
quoxa_launch "$a" "$b"
wait_active '^QUOXA - a\.bin$'
keys ctrl+Tab
wait_active '^QUOXA - b\.bin$'
keys x y
keys ctrl+Tab
wait_active '^QUOXA - a\.bin$'
keys p q ctrl+z ctrl+s
expect_bytes "$a" 70414141
keys ctrl+shift+Tab
wait_active '^QUOXA - b\.bin$'
# The undo in a.bin took nothing from b.bin.
keys ctrl+s
expect_bytes "$b" 78794242
keys ctrl+z ctrl+s
expect_bytes "$b" 78424242
keys ctrl+Next
wait_active '^QUOXA - a\.bin$'
keys ctrl+Prior
wait_active '^QUOXA - b\.bin$'

# The save question of a modified tab: Cancel keeps it, No closes it unsaved.
keys End z ctrl+F4
wait_active Confirmation
keys Escape
wait_active '^QUOXA - b\.bin$'
keys ctrl+F4
wait_active Confirmation
keys alt+n
wait_active '^QUOXA - a\.bin$'
expect_bytes "$b" 78424242
# The same key still works on the tab left; Yes saves it, and the window stays empty.
keys z ctrl+F4
wait_active Confirmation
keys alt+y
wait_active '^QUOXA$'
expect_bytes "$a" 707a4141

# A second start hands its file to the running window and ends.
c=$(make_doc c.bin 43434343)
timeout 20 "$program" "$c" >>"$work/stderr" 2>&1 || fail "the second start ended with status $?"
wait_active '^QUOXA - c\.bin$'
keys ctrl+o
wait_active 'Open file'
keys Escape
wait_active '^QUOXA - c\.bin$'
keys z ctrl+s
expect_bytes "$c" 7a434343
# Its own window: another program, the first one keeps running.
first=$quoxa_pid
quoxa_launch --new-window "$b"
wait_active '^QUOXA - b\.bin$'
keys z ctrl+s
expect_bytes "$b" 7a424242
quoxa_quit
quoxa_pid=$first
quoxa_quit
pass
