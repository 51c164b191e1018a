#!/usr/bin/env bash
# quoxa --diff: the lines of both modes on files with three changes and an inserted stretch,
# the cmp exit statuses, messages on standard error, and no display or settings file used.
set -euo pipefail

program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
quoxa_diff() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QUOXA_INI="$work/settings/quoxa.ini" \
    "$program" --diff "$@"
}
cd "$work"
# a: random bytes (seeded, so that no chance match moves an edge); b: a with bytes changed at 0x10 (1 byte) and 0x2000 (3 bytes), 100 bytes inserted at 0x8000,
# and one byte changed at 0x30000 of a (0x30064 of b).
python3 - <<'PY'
import random
a = random.Random(7).randbytes(300000)
open("a", "wb").write(a)
b = bytearray(a)
for at, n in ((0x10, 1), (0x2000, 3), (0x30000, 1)):
    for k in range(n):
        b[at + k] ^= 0xFF
b[0x8000:0x8000] = bytes(range(100))
open("b", "wb").write(b)
late = bytearray(a)
late[0x12345] ^= 1
open("late", "wb").write(late)
PY
cp a same
head -c 1000 a >short

# status | stdout | stderr | arguments
cases=(
  "1|10 10 1 changed
2000 2000 3 changed
8000 8000 100 inserted
30000 30064 1 changed||a b"
  "1|10 10 1 changed
2000 2000 3 changed
8000 8000 100 deleted
30064 30000 1 changed||b a"
  "0|||a same"
  "1|12345 12345 1 changed||a late"
  "1|12345 12345 1 changed||--same-offsets late a"
  "0|||--same-offsets a same"
  "1|3e8 3e8 299000 deleted||a short"
  "1|0 0 1000 inserted||/dev/null short"
  "2||quoxa: missing: No such file or directory|a missing"
  "2||quoxa: .: Is a directory|. a"
  "2||Usage: quoxa --diff [--same-offsets] FILE1 FILE2|a"
  "2||Usage: quoxa --diff [--same-offsets] FILE1 FILE2|--same-offsets a b c"
)
for row in "${cases[@]}"; do
  IFS='|' read -r -d '' status expected_out expected_err arguments <<<"$row" || true
  expected_err=${expected_err%$'\n'}
  read -r -a argv <<<"$arguments"
  set +e
  quoxa_diff "${argv[@]}" >out 2>err
  got=$?
  set -e
  [ "$got" = "$status" ] || fail "$arguments: status $got, not $status"
  [ "$(cat out)" = "$expected_out" ] || fail "$arguments: stdout $(cat out)"
  [ "$(cat err)" = "$expected_err" ] || fail "$arguments: stderr $(cat err)"
done

# Byte for byte, every byte past the insert differs: the lines agree with cmp -l's count.
quoxa_diff --same-offsets a b >plain && fail "--same-offsets a b: equal"
total=$(awk '$4 == "changed" { n += $3 } END { print n }' plain)
[ "$total" = "$(cmp -l a b 2>/dev/null | wc -l)" ] || fail "--same-offsets: $total bytes, cmp -l $(cmp -l a b | wc -l)"
[ "$(tail -n 1 plain)" = "493e0 493e0 100 inserted" ] || fail "--same-offsets tail: $(tail -n 1 plain)"
quoxa_diff - b <a >stdin_out || [ $? = 1 ] || fail "standard input"
cmp -s stdin_out <(quoxa_diff a b || true) || fail "standard input lines"
[ ! -e "$work/settings" ] || fail "the settings file was written"
echo "diff mode: all cases passed"
