#!/usr/bin/env bash
# The data inspector as a user works with it: Ctrl+I, down to the uint32 row, Enter, a number,
# Enter, Ctrl+S writes it little-endian at the cursor; Ctrl+Z takes it back; a refused edit
# shows its box and the next shortcut works; the dock's state is in the settings file. A GUID
# typed in its row is saved; dragged below the grids, the dock is there again at the next start;
# floating, it takes and gives back the keys as docked.
source "$(dirname "$0")/lib.sh"
x11_start

write_settings <<INI
[Options]
ModusText=0
Overwrite=1
INI
doc=$(make_doc doc.bin 0000000000000000)
quoxa_start "$doc"
keys ctrl+i Down Down Down Down Down Down Return
type_text 305419896
keys Return ctrl+s
expect_bytes "$doc" 7856341200000000
keys ctrl+z ctrl+s
expect_bytes "$doc" 0000000000000000
# The focus stayed in the dock: Esc gives it back to the hex grid, where typing overwrites.
keys Escape a b ctrl+s
expect_bytes "$doc" ab00000000000000
# Ctrl+I again hides the dock and gives the focus back to the grid: keys typed at once,
# while the window gives up the dock's width, land where the cursor is.
keys ctrl+i c d ctrl+s
expect_bytes "$doc" abcd000000000000
# Four bytes do not fit before the end: refused with a box, nothing written.
keys End ctrl+i Down Down Down Down Down Return
wait_active Error
keys Return
wait_main
keys Escape e f ctrl+s
expect_bytes "$doc" abcd0000000000ef
quoxa_quit
expect_ini DataInspector Visible 1
expect_ini DataInspector Area 2

# Shown again at the next start, still on the right, byte order and Hex as they were.
write_settings <<INI
[Options]
ModusText=0
Overwrite=1
[DataInspector]
Visible=1
Area=2
ByteOrder=1
Hex=1
INI
quoxa_start "$doc"
keys ctrl+i ctrl+i Down Down Down Down Return
type_text '$0102'
keys Return ctrl+s
expect_bytes "$doc" 01020000000000ef
quoxa_quit
expect_ini DataInspector ByteOrder 1
expect_ini DataInspector Hex 1

# The GUID row, last of all, takes a typed GUID (big-endian here, as the settings say).
guid=$(make_doc guid.bin 0000000000000000000000000000000000)
quoxa_start "$guid"
keys ctrl+i ctrl+i
keys Down Down Down Down Down Down Down Down Down Down Down Down Down Down Down Down Down Down Down Down Down
keys Return
type_text '{12345678-DEF0-9ABC-1122-334455667788}'
keys Return ctrl+s
expect_bytes "$guid" 12345678def09abc112233445566778800

# Dragged by its title from the right side to the bottom of the window: the window gives up
# the width and takes the height; the next start puts it there again.
read -r _ _ w0 h0 < <(window_geometry 'QUOXA - guid.bin')
# The dock's title is below the menu and the tool bar, right of the grids.
title_y=59
drag_in 'QUOXA - guid.bin' $((w0 - 250)) "$title_y" 300 $((h0 - 49)) 0.8
below() {
  local w h
  read -r _ _ w h < <(window_geometry 'QUOXA - guid.bin')
  [ "$w" -lt "$w0" ] && [ "$h" -gt "$h0" ]
}
wait_until "the dock to go below the grids" below
settle
read -r _ _ w1 h1 < <(window_geometry 'QUOXA - guid.bin')
keys Escape a b ctrl+s
expect_bytes "$guid" ab345678def09abc112233445566778800
quoxa_quit
expect_ini DataInspector Area 8
quoxa_start "$guid"
same() {
  local w h
  read -r _ _ w h < <(window_geometry 'QUOXA - guid.bin')
  [ "$w" = "$w1" ] && [ "$h" = "$h1" ]
}
wait_until "the window with the dock below the grids" same
quoxa_quit

# Floating, the dock is a window of its own: Ctrl+I gives it the keys, Esc gives them back.
write_settings <<INI
[Options]
ModusText=0
Overwrite=1
[DataInspector]
Visible=1
Floating=1
Left=760
Top=120
Width=500
Height=560
INI
float=$(make_doc float.bin 0000000000000000)
quoxa_start "$float"
keys ctrl+i ctrl+i Down Down Down Down Down Down Return
type_text 305419896
keys Return ctrl+s
expect_bytes "$float" 7856341200000000
keys Escape a b ctrl+s
expect_bytes "$float" ab56341200000000
quoxa_quit
expect_ini DataInspector Floating 1
expect_ini DataInspector Width 500
pass
