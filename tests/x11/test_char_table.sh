#!/usr/bin/env bash
# The conversion table dialog under a real window manager: a row dragged onto another row's
# "Convert to" cell, a cell typed, Convert through the save question, and the very next
# shortcut saving the converted bytes.
source "$(dirname "$0")/lib.sh"
x11_start

drag() {  # window x1 y1 x2 y2
  local id step
  id=$(window_id "$1") || fail "no window '$1'"
  xdotool mousemove --window "$id" "$2" "$3"
  sleep 0.2
  xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove --window "$id" $(($2 + ($4 - $2) * step / 8)) $(($3 + ($5 - $3) * step / 8))
    sleep 0.05
  done
  sleep 0.2
  xdotool mouseup 1
  sleep 0.2
}

title='Character conversion table'
doc=$(make_doc doc.bin 0001)
quoxa_start "$doc"
keys alt+s h
wait_active "$title"
sleep 0.5
# Row 01's "Char" cell onto row 00's "Convert to" cell: byte 01 becomes 00.
drag "$title" 34 40 200 19
click_in "$title" 200 19
type_text 7a
keys Return Return
wait_active Confirmation
keys alt+n
wait_active Information
keys Return
wait_main
keys ctrl+s
expect_bytes "$doc" 7a00

# Esc leaves the table as it was taken and the next shortcut works.
keys alt+s h
wait_active "$title"
keys Escape
wait_main
keys alt+s h
wait_active "$title"
keys Tab Tab Return
wait_active Information
keys Return
wait_main
keys ctrl+s
expect_bytes "$doc" 7a7a
quoxa_quit
pass
