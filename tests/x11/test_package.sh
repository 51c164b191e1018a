#!/usr/bin/env bash
# The program unpacked from the Debian package this build makes (no second compile) opens
# the file given on its command line in a window and saves an edit to it.
source "$(dirname "$0")/lib.sh"

build=$(dirname "$program")
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/package/quoxa_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no package"
dpkg -x "${debs[0]}" "$work/root"
program=$work/root/usr/bin/quoxa

x11_start
write_settings <<<"[Options]
ModusText=0"
doc=$(make_doc doc.bin 41424344)
quoxa_start "$doc"
keys Delete ctrl+s
expect_bytes "$doc" 424344
quoxa_quit
pass
