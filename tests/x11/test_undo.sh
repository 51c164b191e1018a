#!/usr/bin/env bash
# Undo and redo as a user gives them: type, delete, replace all, then Ctrl+Z back to the
# loaded bytes and Ctrl+Shift+Z / Ctrl+Y forward again, saving after every key.
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
pass
