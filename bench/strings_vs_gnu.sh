#!/usr/bin/env bash
# Times the Strings scan of a 256 MiB file, whole process (quoxa_strings_text), against GNU
# strings writing the same list to a file, for ASCII and UTF-16LE, checks that both lists are
# the same, and prints the ratios.
#   bench/strings_vs_gnu.sh [BUILD_DIR] [MIB]
set -euo pipefail
build="${1:-build}"
mib="${2:-256}"
tool="$build/bench/quoxa_strings_text"
[ -x "$tool" ] || { echo "build $tool first (cmake --build $build --target quoxa_strings_text)" >&2; exit 2; }
command -v strings >/dev/null || { echo "GNU strings (binutils) is missing" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Real libraries, repeated to the size: text, code and UTF-16 in the proportions of binaries.
python3 - "$work/input.bin" "$mib" <<'PY'
import glob, sys
parts = b"".join(open(p, "rb").read() for p in sorted(glob.glob("/usr/lib/x86_64-linux-gnu/lib*.so.*"))[:40])
size = int(sys.argv[2]) << 20
with open(sys.argv[1], "wb") as f:
    written = 0
    while written < size:
        piece = parts[: size - written]
        f.write(piece)
        written += len(piece)
PY
cat "$work/input.bin" > /dev/null
seconds() {  # best of three runs of a command
  local best=""
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@"
    end=$(date +%s.%N)
    best=$(python3 -c "t=$end-$start; b='$best'; print(t if b=='' else min(t, float(b)))")
  done
  echo "$best"
}
for enc in s l; do
  ours=$(seconds "$tool" "$work/input.bin" "$work/quoxa.txt" 4 "$enc")
  theirs=$(seconds sh -c "strings -a -t d -n 4 -e $enc '$work/input.bin' > '$work/gnu.txt'")
  sed 's/^ *//' "$work/gnu.txt" | cmp -s - "$work/quoxa.txt" || { echo "the lists differ ($enc)" >&2; exit 1; }
  python3 -c "o,t=$ours,$theirs; print(f'-e $enc: quoxa {o:.3f} s, GNU strings {t:.3f} s, ratio {o/t:.2f}')"
done
