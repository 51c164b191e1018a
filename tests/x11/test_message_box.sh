#!/usr/bin/env bash
# A message with a long word without blanks (a long path) breaks within the box's
# width: the box stays on the screen. Closing it leaves the main window active.
source "$(dirname "$0")/lib.sh"
x11_start

long=$work/$(printf 'a%.0s' {1..120})/$(printf 'b%.0s' {1..200}).bin
quoxa_launch "$long"
wait_active Error
read -r x y w h < <(window_geometry Error)
log "message box at $x,$y size ${w}x$h"
[ "$x" -ge 0 ] && [ $((x + w)) -le "$screen_w" ] && [ "$y" -ge 0 ] && [ $((y + h)) -le "$screen_h" ] ||
  fail "the message box ${w}x$h at $x,$y leaves the screen"
[ "$w" -le $((screen_w * 3 / 4)) ] || fail "the message box is ${w} pixels wide"
keys Return
wait_active '^QUOXA$'
keys ctrl+o
wait_active 'Open file'
keys Escape
wait_active '^QUOXA$'
quoxa_quit
pass
