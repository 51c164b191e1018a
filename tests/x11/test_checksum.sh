#!/usr/bin/env bash
# Checksums on a real desktop: a block marked by keys, the dialog by its shortcut, SHA-256
# computed with Enter and copied: another program (xclip) reads what sha256sum gives for those
# bytes; then the whole file, and the next shortcut after the dialog closes.
source "$(dirname "$0")/lib.sh"
x11_start

clip_out() { timeout 5 xclip -selection clipboard -o 2>/dev/null; }
clip_is() { [ "$(clip_out)" = "$1" ]; }

write_settings <<INI
[Options]
ModusText=1
Overwrite=1
[Checksums]
Algorithms=sha256
INI
doc=$(make_doc doc.bin "$(head -c 300 /dev/urandom | xxd -p | tr -d '\n')")
original=$(file_hex "$doc")
quoxa_start "$doc"
# Positions 3 to 12 (ten bytes) as the block.
keys Right Right ctrl+b Right Right Right Right Right Right Right Right Right ctrl+b
keys ctrl+shift+h
wait_active Checksums
keys Return
wait_active Checksums
keys alt+p
block_sum=$(tail -c +3 "$doc" | head -c 10 | sha256sum | cut -d' ' -f1)
wait_until "the block's SHA-256 on the clipboard" clip_is "$block_sum"
# The whole file, unsaved: the first byte typed over before the dialog opens.
keys Escape
wait_main
keys ctrl+Home z
keys ctrl+shift+h
wait_active Checksums
# The access key's click comes 100 ms late (Qt animates it): Enter waits for it.
keys alt+w
keys Return
wait_active Checksums
keys alt+p
file_sum=$( (printf z; tail -c +2 "$doc") | sha256sum | cut -d' ' -f1)
wait_until "the edited document's SHA-256 on the clipboard" clip_is "$file_sum"
keys Escape
wait_main
keys ctrl+s
expect_bytes "$doc" "7a${original:2}"
quoxa_quit
expect_ini Checksums Algorithms sha256
pass
