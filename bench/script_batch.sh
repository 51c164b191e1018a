#!/usr/bin/env bash
# A batch run as a whole process on a 256 MiB file: start, read, REPLACEALL of about 100,000
# occurrences, save, exit; beside Python's bytes.replace of the same file into a new file, in
# the same run. Prints both times and their ratio.
# Usage: bench/script_batch.sh path/to/quoxa [folder for the files]
set -euo pipefail
program=$(realpath "$1")
work=${2:-$(dirname "$program")/bench-files}
mkdir -p "$work"
doc=$work/batch.bin
py=$(command -v python3)

# The file: text with a marker every 2684 bytes, made again before each run.
make_file() {
  "$py" - "$doc" <<'PY'
import sys
size = 256 * 1024 * 1024
line = b"The quick brown fox jumps over the lazy dog 0123456789.\n"
data = bytearray((line * (size // len(line) + 1))[:size])
step = size // 100000
for i in range(100000):
    data[i * step + 7:i * step + 13] = b"QSCRPT"
open(sys.argv[1], "wb").write(data)
PY
  sync
}

printf 'REPLACEALL 51 53 43 52 50 54 BY 71 73 63 72 70 74 2D 78\r\n' >"$work/replace.qsc"

seconds() { date +%s.%N; }

make_file
start=$(seconds)
QUOXA_INI=$work/bench.ini env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$doc" /S="$work/replace.qsc"
quoxa_time=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')
count=$(grep -c -a -o "qscrpt-x" "$doc" || true)
[ "$count" -ge 100000 ] || { echo "the batch run replaced $count occurrences" >&2; exit 1; }

make_file
start=$(seconds)
"$py" -c '
import sys
data = open(sys.argv[1], "rb").read()
open(sys.argv[1] + ".out", "wb").write(data.replace(b"QSCRPT", b"qscrpt-x"))
' "$doc"
python_time=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')
rm -f "$doc" "$doc.out"

echo "batch REPLACEALL, whole process: ${quoxa_time} s"
echo "python bytes.replace to a new file: ${python_time} s"
echo "ratio (python / batch): $(awk -v p="$python_time" -v q="$quoxa_time" 'BEGIN { printf "%.2f", p / q }')"
