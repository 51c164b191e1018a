#!/usr/bin/env bash
# The conversion table dialog under a real window manager: a "Convert to" cell typed, rows
# dragged onto other rows (with the grid scrolling while the pointer rests at its bottom),
# Convert through the save question, the very next shortcut saving the converted bytes, and
# the dialog reopening where it was.
source "$(dirname "$0")/lib.sh"
x11_start

title='Character conversion table'

# Convert with the modified table left unsaved, close the count, and save with the very next
# shortcut.
convert_and_save() {
  keys alt+c
  wait_active Confirmation
  keys alt+n
  wait_active Information
  keys Return
  wait_main
  keys ctrl+s
}

doc=$(make_doc doc.bin 0001)
quoxa_start "$doc"
keys alt+s h
wait_active "$title"
placed=$(settled_geometry "$title")
# The grid starts on row 00: its "Convert to" cell is three to the right.
keys Right Right Right
type_text 7a
keys Return
convert_and_save
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
# Row 01 dragged onto row 02's "Convert to" cell: 01 becomes 02. The grid's rows start 40
# pixels down the dialog and are 21 high; "Char" is at x 35, "Convert to" at x 200.
keys alt+s h
wait_active "$title"
# Its place and size are kept from one use to the next, not grown by the window frame.
now=$(settled_geometry "$title")
[ "$now" = "$placed" ] || fail "the dialog moved from $placed to $now"
drag_in "$title" 35 61 200 82
convert_and_save
expect_bytes "$doc" 7a02

# Row 02 held at the grid's bottom edge scrolls it on; dropped on a row below the first
# screenful, 02 becomes that row's byte.
keys alt+s h
wait_active "$title"
drag_in "$title" 35 82 200 286 1.5
convert_and_save
settle
converted=$(file_hex "$doc")
[ "${converted:0:2}" = 7a ] || fail "the first byte changed: '$converted'"
[ $((16#${converted:2:2})) -gt $((0x0c)) ] || fail "no scrolling while dragging: 02 became ${converted:2:2}"

# Delete on a selected "Convert to" cell (its editor closed by Return) empties it: the table
# saved then has no line for 00.
keys alt+s h
wait_active "$title"
keys Right Right Right Return Delete alt+s
wait_active 'Save conversion table'
type_text "$work/cleared.qct"
keys Return
wait_active "$title - cleared.qct"
keys Escape
wait_main
saved=$(tr -d '\r' <"$work/cleared.qct")
case "$saved" in
  *00\;*) fail "Delete left the entry of 00: '$saved'" ;;
  01\;02*) ;;
  *) fail "unexpected table saved: '$saved'" ;;
esac
quoxa_quit
pass
