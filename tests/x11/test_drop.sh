#!/usr/bin/env bash
# Files dragged from another program (a small drag source standing for a file manager) and
# dropped on the window open as tabs, an open one is only shown again; a file dropped on the
# grids with Ctrl held opens no tab (its bytes go in where it was dropped: tst_FormMain).
source "$(dirname "$0")/lib.sh"
x11_start
dropper=$(dirname "$program")/quoxa_drop_source
[ -x "$dropper" ] || fail "no $dropper: build the target quoxa_drop_source"

write_settings <<INI
[Options]
ModusText=1
Overwrite=1
INI
a=$(make_doc a.bin 41414141)
b=$(make_doc b.bin 4242)
d=$(make_doc d.bin 4444)
quoxa_start "$a"

source_window() { xdotool search --onlyvisible --name '^quoxa drop source$' 2>/dev/null | head -1 | grep .; }

# Drags the files from the drag source to the point (x, y) of the main window, in small steps,
# with the key held (ctrl) over the target when one is given.
drag_files() {  # x y key|- file...
  local x=$1 y=$2 key=$3 sid sx sy mx my mw mh tx ty i source_pid
  shift 3
  settle
  "$dropper" "$@" >>"$work/stderr" 2>&1 &
  source_pid=$!
  wait_until "the drag source" source_window
  sid=$(source_window)
  read -r sx sy < <(xwininfo -id "$sid" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    END { print x, y }')
  read -r mx my mw mh < <(window_geometry '^QUOXA - ')
  tx=$((mx + x)) ty=$((my + y))
  xdotool mousemove $((sx + 60)) $((sy + 60))
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  for ((i = 1; i <= 10; i++)); do
    xdotool mousemove $((sx + 60 + (tx - sx - 60) * i / 10)) $((sy + 60 + (ty - sy - 60) * i / 10))
    sleep 0.1
  done
  [ "$key" = - ] || xdotool keydown "$key"
  sleep 0.3
  xdotool mousemove $((tx + 1)) $((ty + 1))
  sleep 0.5
  xdotool mouseup 1
  [ "$key" = - ] || xdotool keyup "$key"
  local deadline=$((SECONDS + wait_limit))
  while kill -0 "$source_pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || { kill "$source_pid"; fail "the drag did not end"; }
    sleep 0.1
  done
  wait "$source_pid" 2>/dev/null || true
}

read -r _ _ width height < <(window_geometry '^QUOXA - a\.bin$')
# A file dropped opens in a tab of its own and is shown; a file open already is only shown.
drag_files $((width / 3)) $((height / 2)) - "$b"
wait_active '^QUOXA - b\.bin$'
read -r _ _ width height < <(window_geometry '^QUOXA - b\.bin$')
drag_files $((width / 3)) $((height / 2)) - "$a"
wait_active '^QUOXA - a\.bin$'
# With Ctrl on the grids the bytes go into the document shown: no tab opens for the file.
drag_files $((width / 3)) $((height / 2)) ctrl "$d"
settle
sleep 1
title_active '^QUOXA - a\.bin$' || fail "the file dropped with Ctrl opened as '$(active_title)'"
[ "$(list_windows | wc -l)" = 1 ] || fail "windows after the drops: $(list_windows)"
pass
