#!/usr/bin/env bash
# The Address and Bookmarks menus as a user drives them: Go to in its three modes, the jump
# width with F5 and Shift+F5, a refused address that keeps the dialog open, pasted numbers that
# are no address, the difference box, and five bookmarks saved, removed, loaded back and chosen.
source "$(dirname "$0")/lib.sh"
x11_start
write_settings <<INI
[Options]
ModusText=1
Overwrite=1
INI
zeros=00000000000000000000000000000000

# Go to: absolute 5 (position 6), relative down 3 from 7, relative up 10 from 11.
doc=$(make_doc doc.bin "$zeros")
quoxa_start "$doc"
keys ctrl+g; wait_active 'Go to address'; type_text 5; keys Return; wait_main; keys z
keys ctrl+g; wait_active 'Go to address'; keys alt+o shift+Tab; type_text 3; keys Return; wait_main; keys z
keys ctrl+g; wait_active 'Go to address'; keys alt+u shift+Tab; type_text 10; keys Return; wait_main; keys z ctrl+s
expect_bytes "$doc" 7a000000007a0000007a000000000000
quoxa_quit
expect_ini Options GotoMode 2

# Hexadecimal, a refused address (the dialog stays), jumps, the difference box.
doc=$(make_doc doc.bin "$zeros")
quoxa_start "$doc"
# An access key clicks its radio button a tenth of a second later; the number is typed after.
keys ctrl+g; wait_active 'Go to address'; keys alt+a alt+h; sleep 0.3; type_text 10; keys Return
wait_active Error; keys Return; wait_active 'Go to address'
keys ctrl+a; type_text c; keys Return; wait_main; keys z
keys alt+a w; wait_active 'Enter jump width'; type_text 16; keys Return
wait_active Error; keys Return; wait_active 'Enter jump width'; keys ctrl+a; type_text 3; keys Return; wait_main
keys shift+F5 z F5 z
keys alt+a r Return alt+a f; wait_active Information; keys Return; wait_main; keys z ctrl+s
expect_bytes "$doc" 000000000000000000007a007a007a7a
quoxa_quit

# A pasted "-5", "1.5" or "2.6" is checked as it stands: refused, the dialog stays open.
clip_is() { [ "$(timeout 5 xclip -selection clipboard -o 2>/dev/null)" = "$1" ]; }
doc=$(make_doc doc.bin "$zeros")
quoxa_start "$doc"
for pasted in -5 1.5 2.6; do
  printf %s "$pasted" | xclip -selection clipboard
  wait_until "xclip to own the clipboard" clip_is "$pasted"
  keys ctrl+g; wait_active 'Go to address'; keys ctrl+a ctrl+v Return
  wait_active Error; keys Return; wait_active 'Go to address'; keys Escape; wait_main
done
keys alt+a w; wait_active 'Enter jump width'; keys ctrl+a ctrl+v Return
wait_active Error; keys Return; wait_active 'Enter jump width'; keys Escape; wait_main
keys z ctrl+s
expect_bytes "$doc" 7a000000000000000000000000000000
quoxa_quit

# Five bookmarks in the text grid: saved, all removed, loaded back, the third chosen.
doc=$(make_doc doc.bin "$zeros")
quoxa_start "$doc"
for name in one two three four five; do
  keys Right Right alt+b a; wait_active 'Add new bookmark for current address'; type_text "$name"; keys Return; wait_main
done
keys alt+b s; wait_active 'Save bookmarks'; type_text "$work/marks"; keys Return; wait_main
expect_bytes "$work/marks.qbm" "$(printf '3 one\r\n5 two\r\n7 three\r\n9 four\r\n11 five\r\n' | xxd -p | tr -d '\n')"
keys alt+b e alt+b l; wait_active 'Load bookmarks'; keys alt+n; type_text "$work/marks.qbm"; keys Return; wait_main
keys alt+b 3 z ctrl+s
expect_bytes "$doc" 0000000000007a000000000000000000
quoxa_quit
pass
