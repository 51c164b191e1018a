#!/usr/bin/env bash
# Memory of ten documents in tabs: the program with ten 10 MiB files from the command line
# beside the same program with no file, in the same run; prints both resident sizes and the
# ratio (RSS with the files - RSS empty) / the files' size, which should stay below 1.15.
# Usage: bench/tabs_memory.sh path/to/quoxa [folder for the files]
set -euo pipefail
program=$(realpath "$1")
work=${2:-$(dirname "$program")/bench-files}
mkdir -p "$work"
files=()
for i in $(seq 1 10); do
  f=$work/tab$i.bin
  [ -f "$f" ] && [ "$(stat -c %s "$f")" = 10485760 ] || head -c 10485760 /dev/urandom >"$f"
  files+=("$f")
done

# Resident size in KiB once it no longer grows: the program waits for input with all it loaded.
settled_rss() {
  local pid=$1 last=-1 now i
  for ((i = 0; i < 200; i++)); do
    sleep 0.2
    now=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
    [ "$now" = "$last" ] && [ "$now" -gt 0 ] && break
    last=$now
  done
  echo "$now"
}

run_rss() {
  QUOXA_INI=$work/tabs-bench.ini QT_QPA_PLATFORM=offscreen "$program" --new-window "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep 1
  settled_rss "$pid"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

empty=$(run_rss)
full=$(run_rss "${files[@]}")
bytes=$((10 * 10485760))
echo "empty program:        ${empty} KiB"
echo "ten 10 MiB tabs:      ${full} KiB"
awk -v e="$empty" -v f="$full" -v b="$bytes" \
  'BEGIN { r = (f - e) * 1024 / b; printf "ratio (RSS - empty) / files: %.3f (limit 1.15)\n", r; exit r > 1.15 }'
