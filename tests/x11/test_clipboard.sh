#!/usr/bin/env bash
# The clipboard with other programs (xclip): the private format and the hex string read back
# outside, text and a hex string from outside pasted as bytes, a refused hex string, and the
# question at exit about a large clipboard of our own. Every step is saved and compared.
source "$(dirname "$0")/lib.sh"
x11_start

clip_out() { timeout 5 xclip -selection clipboard -o "$@" 2>/dev/null; }
clip_hex() { clip_out -t application/x-qzbinary | xxd -p | tr -d '\n'; }
clip_is_hex() { [ "$(clip_hex)" = "$1" ]; }
clip_is_text() { [ "$(clip_out)" = "$1" ]; }
# Another program takes the clipboard; the program notices the change before the next key.
clip_in() {  # text
  printf '%b' "$1" | xclip -selection clipboard
  wait_until "xclip to own the clipboard" clip_is_text "$(printf '%b' "$1")"
  sleep 0.3
}
paste_hex_from_menu() { keys alt+e b Up Return; }

doc=$(make_doc doc.bin 41424344)
quoxa_start "$doc"
keys ctrl+b Right ctrl+b ctrl+c
wait_until "the block in the private format" clip_is_hex 020000004142
keys Right Right ctrl+v ctrl+s
expect_bytes "$doc" 414243414244
keys ctrl+h
wait_until "the block as a hex string" clip_is_text "41 42"
keys ctrl+x ctrl+s
expect_bytes "$doc" 43414244
wait_until "the cut block" clip_is_hex 020000004142

clip_in 'h\xc3\xa9'
keys Home ctrl+v ctrl+s
expect_bytes "$doc" 68e943414244
clip_in '0a ff'
paste_hex_from_menu
wait_main
keys ctrl+s
expect_bytes "$doc" 0aff68e943414244
clip_in '0A  FF'
paste_hex_from_menu
wait_active Error
keys Return
wait_main
# The next shortcut works: the refused text pastes as its characters.
keys ctrl+v ctrl+s
expect_bytes "$doc" 0aff30412020464668e943414244
quoxa_quit

# Our own hex string of 323 bytes (968 characters) is offered to be emptied at exit.
big=$(make_doc big.bin "$(head -c 400 /dev/zero | tr '\0' '\132' | xxd -p | tr -d '\n')")
quoxa_start "$big"
keys ctrl+b ctrl+End ctrl+b ctrl+h
wait_until "the page as a hex string" clip_is_text "$(head -c 323 "$big" | xxd -p -c 1 | tr 'a-f' 'A-F' | paste -sd ' ')"
keys alt+F4
wait_active Confirmation
keys alt+y
quoxa_wait_exit
clip_out >/dev/null && fail "the clipboard still holds data"
pass
