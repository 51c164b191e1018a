#!/usr/bin/env bash
# Times the export of a 64 MiB image as Intel HEX and its import back, each as a whole process:
# quoxa --export and --import beside srec_cat doing the same work in the same run (16 data bytes
# per record both, the file written to the disk), and prints the ratios.
#   bench/firmware_vs_srec_cat.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
program="$build/quoxa"
[ -x "$program" ] || { echo "build $program first (cmake --build $build --target quoxa)" >&2; exit 2; }
command -v srec_cat >/dev/null || { echo "srec_cat is missing (scripts/setup-deps.sh installs srecord)" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
head -c $((64 << 20)) /dev/urandom >"$work/input.bin"
export QUOXA_INI="$work/quoxa.ini"
source "$(dirname "$0")/timing.sh"
base=0x08000000
ours_out=$(seconds "$program" --export ihex --base=$base "$work/input.bin" "$work/ours.hex")
theirs_out=$(seconds srec_cat "$work/input.bin" -Binary -offset $base -o "$work/theirs.hex" -Intel \
  -Output_Block_Size=16)
ours_in=$(seconds "$program" --import ihex "$work/theirs.hex" "$work/ours.bin")
theirs_in=$(seconds srec_cat "$work/ours.hex" -Intel -offset -$base -o "$work/theirs.bin" -Binary)
cmp -s "$work/input.bin" "$work/ours.bin" || { echo "quoxa imported other bytes" >&2; exit 1; }
cmp -s "$work/input.bin" "$work/theirs.bin" || { echo "srec_cat read other bytes from quoxa's file" >&2; exit 1; }
python3 - "$ours_out" "$theirs_out" "$ours_in" "$theirs_in" "$work/ours.hex" <<'PY'
import os, sys
ours_out, theirs_out, ours_in, theirs_in = map(float, sys.argv[1:5])
size = os.path.getsize(sys.argv[5]) / 1e6
print(f"export 64 MiB as Intel HEX ({size:.0f} MB): quoxa {ours_out:.3f} s, srec_cat {theirs_out:.3f} s, "
      f"ratio {ours_out / theirs_out:.2f}")
print(f"import it back:                       quoxa {ours_in:.3f} s, srec_cat {theirs_in:.3f} s, "
      f"ratio {ours_in / theirs_in:.2f}")
PY
