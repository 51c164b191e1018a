#!/usr/bin/env bash
# The clipboard with other programs (xclip): the private format and the hex string read back
# outside, text and a hex string from outside pasted as bytes, a refused hex string, 8-bit
# text (text/plain, STRING, also in parts) pasted as the bytes it is, Unicode text with a
# character the code page lacks pasted only when the user agrees, another program's Unicode
# text taken as Unicode although it offers STRING too, and the question at exit about a large
# clipboard of our own. Every step is saved and compared.
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
clip_targets_are() { [ "$(clip_out -t TARGETS | tr '\n' ' ')" = "$1" ]; }
# Another program offers a file's bytes as one text target only.
clip_in_target() {  # target file
  xclip -selection clipboard -t "$1" -i "$2"
  wait_until "xclip to offer $1" clip_targets_are "TARGETS $1 "
  sleep 0.3
}

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

raw=$(make_doc raw.bin 5a)
quoxa_start "$raw"
printf 'Q\x80\x81\xfe\xffR' >"$work/8bit.txt"
clip_in_target text/plain "$work/8bit.txt"
keys ctrl+v ctrl+s
expect_bytes "$raw" 518081feff525a
# Up to the zero: the text's end.
printf '\xe9\x00A' >"$work/8bit.txt"
clip_in_target STRING "$work/8bit.txt"
keys ctrl+v ctrl+s
expect_bytes "$raw" e9518081feff525a
# 3 MiB, more than one request holds: the owner sends it in parts.
head -c 3145728 /dev/urandom | tr -d '\000' >"$work/8bit.txt"
{ cat "$work/8bit.txt"; printf '\xe9\x51\x80\x81\xfe\xff\x52\x5a'; } >"$work/expected.bin"
clip_in_target STRING "$work/8bit.txt"
keys ctrl+v ctrl+s
wait_until "the 8-bit text pasted whole" cmp -s "$raw" "$work/expected.bin"
keys ctrl+z ctrl+s
expect_bytes "$raw" e9518081feff525a
# Unicode text only: the character U+015D has no byte; No inserts nothing, Yes a '?'.
clip_in 'x\xc5\x9d'
keys ctrl+v
wait_active Confirmation
keys alt+n
wait_main
keys ctrl+v
wait_active Confirmation
keys alt+y
wait_main
keys ctrl+s
expect_bytes "$raw" 783fe9518081feff525a
quoxa_quit

# A program whose text is Unicode (another of ours, its Find box) offers STRING too, where the
# euro sign is '?': its text is taken as Unicode, the euro sign as its byte 80, nothing asked.
write_settings <<<"[Options]
FindHex=0"
# A window of its own: a second start would otherwise open its file as a tab of this one.
"$program" --new-window "$(make_doc owner.bin 00)" 2>/dev/null &
owner_pid=$!
wait_active '^QUOXA - owner\.bin$'
xdotool key ctrl+f
wait_active Find
clip_in 'x\xe2\x82\xac'
xdotool key ctrl+v ctrl+a ctrl+c
owner_string_is_lossy() { [ "$(clip_out -t STRING | xxd -p)" = 783f ]; }
wait_until "the Find box's text on the clipboard, its STRING with '?'" owner_string_is_lossy
euro=$(make_doc euro.bin 5a)
quoxa_start "$euro"
keys ctrl+v ctrl+s
expect_bytes "$euro" 78805a
quoxa_quit
kill "$owner_pid"
wait "$owner_pid" 2>/dev/null || true

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
