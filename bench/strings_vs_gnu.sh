#!/usr/bin/env bash
# Times `quoxa --strings -t d -n 4 [-e l]` on a 256 MiB file, whole process, against GNU
# `strings -a` with the same options in the same run, for ASCII and UTF-16LE, and checks that
# both print the same. The Strings list's scan (quoxa_strings_text, the whole file read into
# the document first) is timed beside them.
#   bench/strings_vs_gnu.sh [BUILD_DIR] [MIB]
set -euo pipefail
build="${1:-build}"
mib="${2:-256}"
tool="$build/bench/quoxa_strings_text"
program="$build/quoxa"
[ -x "$tool" ] && [ -x "$program" ] ||
  { echo "build them first (cmake --build $build --target quoxa quoxa_strings_text)" >&2; exit 2; }
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
source "$(dirname "$0")/timing.sh"
for enc in s l; do
  wide=""
  [ "$enc" = l ] && wide="-e l"
  mode=$(seconds sh -c "'$program' --strings -t d -n 4 $wide '$work/input.bin' > '$work/mode.txt'")
  theirs=$(seconds sh -c "strings -a -t d -n 4 -e $enc '$work/input.bin' > '$work/gnu.txt'")
  list=$(seconds "$tool" "$work/input.bin" "$work/quoxa.txt" 4 "$enc")
  cmp -s "$work/gnu.txt" "$work/mode.txt" || { echo "quoxa --strings differs ($enc)" >&2; exit 1; }
  sed 's/^ *//' "$work/gnu.txt" | cmp -s - "$work/quoxa.txt" || { echo "the lists differ ($enc)" >&2; exit 1; }
  python3 -c "m,t,l=$mode,$theirs,$list; print(f'-e $enc: quoxa --strings {m:.3f} s, GNU strings {t:.3f} s, ratio {m/t:.2f}; Strings list scan {l:.3f} s, ratio {l/t:.2f}')"
done
