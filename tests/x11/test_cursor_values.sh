#!/usr/bin/env bash
# The data inspector as a user works with it: Ctrl+I, down to the uint32 row, Enter, a number,
# Enter, Ctrl+S writes it little-endian at the cursor; Ctrl+Z takes it back; a refused edit
# shows its box and the next shortcut works; the dock's state is in the settings file.
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
# Ctrl+I again hides the dock and gives the focus back to the grid. Keys typed before the
# window has given up the dock's width can land on the first byte: wait for it.
read -r _ _ wide _ < <(window_geometry 'QUOXA - doc.bin')
keys ctrl+i
narrower() { local w; read -r _ _ w _ < <(window_geometry 'QUOXA - doc.bin'); [ "$w" -lt "$wide" ]; }
wait_until "the window to give up the dock's width" narrower
keys c d ctrl+s
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
pass
