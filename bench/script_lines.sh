#!/usr/bin/env bash
# Batch runs of many or long script lines as whole processes, each beside a reference in the
# same run:
#   - DEL 1 lines against as many INSERT 41 lines on a 1 MiB file (a deletion should cost what
#     an insertion costs);
#   - a script of one 10 MB line, and one of 1,000,000 short lines, both failing in line 1,
#     against a script of that failing line alone (the program's start and end).
# Prints the times and their ratios.
# Usage: bench/script_lines.sh path/to/quoxa [folder for the files] [number of DEL lines]
set -euo pipefail
program=$(realpath "$1")
work=${2:-$(dirname "$program")/bench-files}
lines=${3:-100000}
mkdir -p "$work"
py=$(command -v python3)

seconds() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# run SCRIPT EXPECTED-STATUS: the batch run on a fresh 1 MiB file; prints its time.
run() {
  head -c $((1 << 20)) /dev/urandom >"$work/lines.bin"
  local start status=0
  start=$(seconds)
  QUOXA_INI=$work/bench.ini env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$program" "$work/lines.bin" /S="$1" 2>/dev/null || status=$?
  local took
  took=$(since "$start")
  [ "$status" = "$2" ] || { echo "$1: exit status $status, expected $2" >&2; exit 1; }
  echo "$took"
}

# ---- DEL against INSERT
"$py" -c 'import sys; open(sys.argv[1], "w").write("DEL 1\r\n" * int(sys.argv[2]))' "$work/del.qsc" "$lines"
"$py" -c 'import sys; open(sys.argv[1], "w").write("INSERT 41\r\n" * int(sys.argv[2]))' "$work/insert.qsc" "$lines"
insert_time=$(run "$work/insert.qsc" 0)
del_time=$(run "$work/del.qsc" 0)
echo "$lines INSERT 41 lines on 1 MiB, whole process: ${insert_time} s"
echo "$lines DEL 1 lines on 1 MiB, whole process: ${del_time} s"
echo "ratio (DEL / INSERT): $(ratio "$del_time" "$insert_time")"

# ---- long and many lines, line 1 an error, against a script of that line alone
printf 'ADR x\r\n' >"$work/one.qsc"
"$py" -c 'import sys; open(sys.argv[1], "w").write("ADR x\r\nINSERT " + "41 " * 3333333 + "\r\n")' "$work/long.qsc"
"$py" -c 'import sys; open(sys.argv[1], "w").write("ADR x\r\n" + "REM a short line\r\n" * 1000000)' "$work/many.qsc"
one_time=$(run "$work/one.qsc" 1)
echo "one line, batch run failing in line 1: ${one_time} s"
for name in long many; do
  quoxa_time=$(run "$work/$name.qsc" 1)
  echo "$name.qsc ($(stat -c %s "$work/$name.qsc") bytes), batch run failing in line 1: ${quoxa_time} s"
  echo "ratio ($name / one line): $(ratio "$quoxa_time" "$one_time")"
done
rm -f "$work/lines.bin" "$work/del.qsc" "$work/insert.qsc" "$work/one.qsc" "$work/long.qsc" "$work/many.qsc" "$work/bench.ini"
