#!/usr/bin/env bash
# The conversion table dialog under a real window manager: a "Convert to" cell typed, Convert
# through the save question, and the very next shortcut saving the converted bytes.
source "$(dirname "$0")/lib.sh"
x11_start

title='Character conversion table'
doc=$(make_doc doc.bin 0001)
quoxa_start "$doc"
keys alt+s h
wait_active "$title"
sleep 0.5
# The grid starts on row 00: its "Convert to" cell is three to the right.
keys Right Right Right
type_text 7a
keys Return
keys alt+c
wait_active Confirmation
keys alt+n
wait_active Information
keys Return
wait_main
keys ctrl+s
expect_bytes "$doc" 7a01

# Esc leaves the table as it was taken and the next shortcut works.
keys alt+s h
wait_active "$title"
keys Escape
wait_main
keys alt+s h
wait_active "$title"
keys alt+c
wait_active Information
keys Return
wait_main
keys ctrl+s
expect_bytes "$doc" 7a01
quoxa_quit
pass
