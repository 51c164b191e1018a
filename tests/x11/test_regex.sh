#!/usr/bin/env bash
# A regular expression Replace all from the keyboard: Alt+G ticks the option, the groups of
# the pattern go into the replacement, the bytes on disk are the replaced ones, and one
# Ctrl+Z gives the file back.
source "$(dirname "$0")/lib.sh"
x11_start
write_settings <<INI
[Options]
ModusText=1
Overwrite=1
FindHex=0
ReplaceHex=0
INI
hex() { printf '%s' "$1" | xxd -p | tr -d '\n'; }
doc=$(make_doc regex.bin "$(hex 'QX1 QX9 QXa QX')")
quoxa_start "$doc"
keys ctrl+r
wait_active Replace
type_text 'QX([0-9])'
keys alt+g alt+e
type_text '$1$1'
keys alt+a
wait_active Information
keys Return
wait_main
keys ctrl+s
expect_bytes "$doc" "$(hex '11 99 QXa QX')"
keys ctrl+z ctrl+s
expect_bytes "$doc" "$(hex 'QX1 QX9 QXa QX')"
quoxa_quit
expect_ini Options RegularExpression 1
pass
