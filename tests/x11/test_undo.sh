#!/usr/bin/env bash
# Undo and redo as a user gives them: type, delete, replace all, then Ctrl+Z back to the
# loaded bytes and Ctrl+Shift+Z / Ctrl+Y forward again, saving after every key; then an undo
# inside the marked block and one with nothing to undo, each followed by a working key.
source "$(dirname "$0")/lib.sh"
x11_start

write_settings <<INI
[Options]
ModusText=1
Overwrite=0
ReplaceHex=1
FindHex=1
Scope=0
INI
s0=4142414241424142
s1=784142414241424142
s2=7841424142414241
s3=787a7a427a7a427a7a427a7a
doc=$(make_doc doc.bin "$s0")
quoxa_start "$doc"
keys x ctrl+s
expect_bytes "$doc" "$s1"
keys End Delete ctrl+s
expect_bytes "$doc" "$s2"
keys ctrl+r
wait_active Replace
type_text 41
keys alt+x
type_text 7a7a
keys alt+a
wait_active Information
keys Return
wait_main
keys ctrl+s
expect_bytes "$doc" "$s3"
for state in "$s2" "$s1" "$s0"; do
  keys ctrl+z ctrl+s
  expect_bytes "$doc" "$state"
done
keys ctrl+shift+z ctrl+s
expect_bytes "$doc" "$s1"
keys ctrl+y ctrl+s
expect_bytes "$doc" "$s2"
keys ctrl+shift+z ctrl+s
expect_bytes "$doc" "$s3"
quoxa_quit

# Undo of a byte typed inside the marked block keeps the block without a box, and Ctrl+Z with
# nothing left to undo only says so in the status bar: the keys after them still work.
write_settings <<INI
[Options]
ModusText=1
Overwrite=1
INI
doc=$(make_doc doc.bin 4142434445464748)
quoxa_start "$doc"
keys ctrl+b Right Right Right ctrl+b Home z ctrl+s
expect_bytes "$doc" 7a42434445464748
keys ctrl+z ctrl+s
expect_bytes "$doc" 4142434445464748
keys ctrl+z ctrl+d ctrl+s
expect_bytes "$doc" 45464748
quoxa_quit
pass
