#!/usr/bin/env bash
# Saving over a file that another program replaced since it was opened asks first: No writes
# nothing and keeps the document modified, Yes overwrites; after either answer the next shortcut
# works, and once saved the file is the program's again (no question).
source "$(dirname "$0")/lib.sh"
x11_start

doc=$(make_doc rep.bin 41424344)
quoxa_start "$doc"
keys z
printf 'other' >"$work/other"
mv "$work/other" "$doc"
keys ctrl+s
wait_active Confirmation
keys alt+n
wait_main
expect_bytes "$doc" "$(printf other | xxd -p)"
keys ctrl+s
wait_active Confirmation
keys alt+y
wait_main
expect_bytes "$doc" 7a424344
keys y ctrl+s
expect_bytes "$doc" 7a794344
quoxa_quit
pass
