#!/usr/bin/env bash
# Help asked for from a modal dialog is on the screen, on top and usable while the
# dialog is open (its Close works), and stays open on its own when the dialog closes.
source "$(dirname "$0")/lib.sh"
x11_start

help_on_screen() {
  local x y w h
  read -r x y w h < <(window_geometry 'QUOXA Help')
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$screen_w" ] && [ $((y + h)) -le "$screen_h" ] ||
    fail "the help window ${w}x$h at $x,$y leaves the screen"
}

# The Find dialog's Help button is the seventh Tab stop from its hex edit.
open_help() {
  keys ctrl+f
  wait_active Find
  keys Tab Tab Tab Tab Tab Tab Tab space
  wait_active 'QUOXA Help'
  help_on_screen
}

doc=$(make_doc doc.bin 4142414241424142)
quoxa_start "$doc"
open_help
read -r _ _ w _ < <(window_geometry 'QUOXA Help')
click_in 'QUOXA Help' $((w - 40)) 20  # its Close button, at the top right
wait_gone 'QUOXA Help'
wait_active Find
keys Escape
wait_main
keys z ctrl+s
expect_bytes "$doc" 7a42414241424142

open_help
activate Find
keys Escape
wait_main
window_id 'QUOXA Help' >/dev/null || fail "the help closed with the dialog"
keys y ctrl+s
expect_bytes "$doc" 7a79414241424142
quoxa_quit
pass
