#!/usr/bin/env bash
# Files past 4 GiB in unattended runs: a script addresses, overwrites, verifies, replaces,
# finds and converts bytes beyond 2^32, the file is saved, and it differs from the original
# exactly there (cmp -l). The peak memory of the run, and of opening a 1 GiB file, stays
# within 1.1 times the file's size. Skipped, with the reason, without the memory or disk.
set -euo pipefail

program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUOXA_INI=$work/quoxa.ini

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

size=$(((4 << 30) + (64 << 10)))
free_memory=$(awk '/^MemAvailable:/ { print $2 * 1024 }' /proc/meminfo)
free_disk=$(($(df -Pk "$work" | awk 'NR == 2 { print $4 }') * 1024))
if [ "${free_memory:-0}" -lt $((size + (1 << 30))) ]; then
  echo "SKIPPED: $(((size + (1 << 30)) >> 20)) MiB of free memory needed, $((${free_memory:-0} >> 20)) MiB available"
  exit 77
fi
if [ "$free_disk" -lt $((size + (1 << 30))) ]; then
  echo "SKIPPED: $(((size + (1 << 30)) >> 20)) MiB of free disk needed in $work, $((free_disk >> 20)) MiB free"
  exit 77
fi
command -v /usr/bin/time >/dev/null || fail "GNU time is missing (Debian package time)"

# Peak resident memory of a run in bytes; the run must succeed.
peak_memory() {  # command...
  /usr/bin/time -o "$work/time.out" -f '%M' "$@" >/dev/null 2>"$work/run.err" || fail "$* failed: $(cat "$work/run.err")"
  local kib
  kib=$(tail -n 1 "$work/time.out")
  [[ "$kib" =~ ^[0-9]+$ ]] || fail "no peak memory from: $(cat "$work/time.out")"
  echo $((kib * 1024))
}

# Within 1.1 times the file's size, reported either way.
check_memory() {  # what peak size
  local permille=$(($2 * 1000 / $3))
  echo "$1: peak resident memory $(($2 >> 20)) MiB for $(($3 >> 20)) MiB, $((permille / 1000)).$(printf '%03d' $((permille % 1000)))x"
  [ "$permille" -le 1100 ] || fail "$1 took more than 1.1 times the file's size"
}

doc=$work/big.bin
truncate -s "$size" "$doc"
mark() { printf '%s' "$2" | dd of="$doc" bs=1 seek="$1" conv=notrunc status=none; }
mark $((1 << 32)) MID32
mark $((size - 3)) END
cp --sparse=always "$doc" "$work/original.bin"
printf '45;65\r\n' >"$work/e.qct"
printf '%s\r\n' 'ADR $100000010' 'OVERWRITE 41 42' 'ADR $FFFFFFFF' 'VERIFY 00 4D 49 44 33 32' 'ADR+ 1' \
  'REPLACEALL 4D 49 44 BY 6D 69 64' 'FIND 45 4E 44' "CHARCON $work/e.qct" >"$work/run.qsc"

peak=$(peak_memory "$program" "$doc" "/S=$work/run.qsc")
check_memory "script on $size bytes" "$peak" "$size"
[ "$(stat -c %s "$doc")" = "$size" ] || fail "the saved file has $(stat -c %s "$doc") bytes"
expected="$(printf '%s\n' "$((1 + (1 << 32))) 115 155" "$((2 + (1 << 32))) 111 151" "$((3 + (1 << 32))) 104 144" \
  "$((17 + (1 << 32))) 0 101" "$((18 + (1 << 32))) 0 102" "$((size - 2)) 105 145")"
actual="$(cmp -l "$work/original.bin" "$doc" | awk '{ print $1, $2, $3 }' || true)"
[ "$actual" = "$expected" ] || fail "differences were
$actual
expected
$expected"
rm -f "$doc" "$work/original.bin"

gib=$((1 << 30))
truncate -s "$gib" "$work/one.bin"
printf 'REM only open it\r\n' >"$work/rem.qsc"
peak=$(peak_memory "$program" "$work/one.bin" "/S=$work/rem.qsc")
check_memory "opening 1 GiB" "$peak" "$gib"
echo "ok"
