#!/usr/bin/env bash
# A sparse file of 4 GiB + 16 MiB (past 32 bits by more than a chunk, at four fifths of the
# work 5 GiB took) with markers at 0, 2^31, 2^32 and the end, edited as a user would: the
# last byte from Ctrl+PgDn, a byte at 0x100000010 through Go to, the marker found
# beyond 4 GiB, Replace all of the marker at 2^31, then Ctrl+S. The saved file differs
# from the original exactly at those bytes (cmp -l). Skipped, with the reason, where the
# machine has not the memory or the disk for it.
source "$(dirname "$0")/lib.sh"

size=$(((4 << 30) + (16 << 20)))
need_memory=$((size + (1 << 30)))
free_memory=$(awk '/^MemAvailable:/ { print $2 * 1024 }' /proc/meminfo)
# The sparse original, the saved copy beside it, and room to spare.
need_disk=$((size + (1 << 30)))
free_disk=$(($(df -Pk "$work" | awk 'NR == 2 { print $4 }') * 1024))
if [ "${free_memory:-0}" -lt "$need_memory" ]; then
  echo "[$case_name] SKIPPED: $((need_memory >> 20)) MiB of free memory needed, $((${free_memory:-0} >> 20)) MiB available"
  exit 77
fi
if [ "$free_disk" -lt "$need_disk" ]; then
  echo "[$case_name] SKIPPED: $((need_disk >> 20)) MiB of free disk needed in $work, $((free_disk >> 20)) MiB free"
  exit 77
fi

# Loading, finding and saving over 4 GiB take longer than a dialog does.
wait_limit=$((wait_limit > 180 ? wait_limit : 180))
x11_start
write_settings <<INI
[Options]
ModusText=0
Overwrite=1
FindHex=1
ReplaceHex=1
FindDown=1
Scope=1
INI

doc=$work/big.bin
truncate -s "$size" "$doc"
mark() { printf '%s' "$2" | dd of="$doc" bs=1 seek="$1" conv=notrunc status=none; }
mark 0 START
mark $((1 << 31)) MID31
mark $((1 << 32)) MID32
mark $((size - 5)) LAST!
cp --sparse=always "$doc" "$work/original.bin"

quoxa_start "$doc"
# The last byte of the document: the end key of the document, then a byte typed over it.
keys ctrl+Next
type_text 3f
# Go to 0x100000010 in hexadecimal, past 32 bits.
keys ctrl+g
wait_active 'Go to address'
keys alt+h
sleep 0.3
type_text 100000010
keys Return
wait_main
type_text ab
# Find the end marker beyond 4 GiB from the cursor, and overwrite its first byte.
keys ctrl+f
wait_active Find
type_text 4c415354
keys Return
wait_main
type_text 6c
# Replace all of the marker at 2^31 from the beginning.
keys ctrl+Prior
keys ctrl+r
wait_active Replace
type_text 4d49443331
keys alt+x
type_text 6d69643331
keys alt+a
wait_active Information
keys Return
wait_main
keys ctrl+s
settle
quoxa_quit

[ "$(stat -c %s "$doc")" = "$size" ] || fail "the saved file has $(stat -c %s "$doc") bytes, not $size"
# cmp -l: 1-based offset, then the old and the new byte in octal.
expected="$(printf '%s\n' \
  "$((1 + (1 << 31))) 115 155" "$((2 + (1 << 31))) 111 151" "$((3 + (1 << 31))) 104 144" \
  "$((1 + (1 << 32) + 16)) 0 253" "$((size - 4)) 114 154" "$size 41 77")"
actual="$(cmp -l "$work/original.bin" "$doc" | awk '{ print $1, $2, $3 }' || true)"
[ "$actual" = "$expected" ] || fail "differences were
$actual
expected
$expected"
pass
