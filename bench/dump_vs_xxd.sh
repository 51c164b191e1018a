#!/usr/bin/env bash
# Times the text output of a hex dump of a 64 MiB file, the core's file path (quoxa_dump_text)
# against xxd writing the same file's dump to a file, and prints the ratio. The whole path the
# user waits for (the Print dialog, the progress box, the writer) is BM_DumpTextFromPrintDialog
# in quoxa_bench and bench/print_x11.sh.
#   bench/dump_vs_xxd.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
tool="$build/bench/quoxa_dump_text"
[ -x "$tool" ] || { echo "build $tool first (cmake --build $build --target quoxa_dump_text)" >&2; exit 2; }
command -v xxd >/dev/null || { echo "xxd is missing" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Text-like bytes with some control codes and high bytes, 64 MiB.
python3 - "$work/input.bin" <<'PY'
import sys
chunk = bytes((i * 7 + (i >> 3)) % 256 for i in range(4096))
with open(sys.argv[1], "wb") as f:
    for _ in range(64 * 1024 * 1024 // len(chunk)):
        f.write(chunk)
PY
cat "$work/input.bin" > /dev/null  # into the page cache
source "$(dirname "$0")/timing.sh"
ours=$(seconds "$tool" "$work/input.bin" "$work/quoxa.txt")
theirs=$(seconds sh -c "xxd '$work/input.bin' > '$work/xxd.txt'")
python3 - "$ours" "$theirs" "$work/quoxa.txt" "$work/xxd.txt" <<'PY'
import os, sys
ours, theirs = float(sys.argv[1]), float(sys.argv[2])
print(f"quoxa text output: {ours:.3f} s ({os.path.getsize(sys.argv[3]) / 1e6:.0f} MB)")
print(f"xxd to a file:     {theirs:.3f} s ({os.path.getsize(sys.argv[4]) / 1e6:.0f} MB)")
print(f"ratio quoxa/xxd:   {ours / theirs:.2f}")
PY
