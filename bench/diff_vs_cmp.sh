#!/usr/bin/env bash
# Times quoxa --diff on two equal files (1 GiB unless given), whole process, beside cmp on the
# same files in the same run, best of three each, and prints the ratio.
#   bench/diff_vs_cmp.sh [QUOXA] [MIB]
set -euo pipefail
program="${1:-build/quoxa}"
mib="${2:-1024}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
head -c "$((mib << 20))" /dev/urandom >"$work/a"
cp "$work/a" "$work/b"
cat "$work/a" "$work/b" >/dev/null
source "$(dirname "$0")/timing.sh"
for mode in "" --same-offsets; do
  ours=$(seconds env -u DISPLAY QT_QPA_PLATFORM=offscreen "$program" --diff $mode "$work/a" "$work/b")
  theirs=$(seconds cmp "$work/a" "$work/b")
  python3 -c "o,t=$ours,$theirs; print(f'--diff ${mode:-(realigned)}: quoxa {o:.3f} s, cmp {t:.3f} s, ratio {o/t:.2f}')"
done
