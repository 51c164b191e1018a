#!/usr/bin/env bash
# Printing as a user times it, on a real X11 desktop (Xvfb and openbox, driven by xdotool):
# - the text output of a 64 MiB file, from the Return in "Save output to file" until the
#   finished file is in place, beside xxd writing the same file's dump to a file;
# - the preview of the same file's first 2,050 pages (and of the whole file), from the
#   Return in the Print dialog until the window "Preview" is active.
# Prints each time, best of three.
#   bench/print_x11.sh path/to/quoxa
# QUOXA_X11_DISPLAYS picks the displays to try, as for the real-X11 tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:?usage: $0 path/to/quoxa}")
QUOXA_X11_WAIT=${QUOXA_X11_WAIT:-900}
source "$root/tests/x11/lib.sh" "$program"

# The file to dump: text-like bytes with control codes and high bytes.
python3 - "$work/input.bin" <<'PY'
import sys
chunk = bytes((i * 7 + (i >> 3)) % 256 for i in range(4096))
with open(sys.argv[1], "wb") as f:
    for _ in range(64 * 1024 * 1024 // len(chunk)):
        f.write(chunk)
PY
# 2,050 pages of 61 rows of 16 bytes.
head -c $((2050 * 61 * 16)) "$work/input.bin" >"$work/pages.bin"

now() { date +%s.%N; }
elapsed() { python3 -c "print(f'{$2 - $1:.2f}')"; }
best() { printf '%s\n' "$@" | sort -g | head -n 1; }

x11_start

# Return in "Save output to file" until the output file is in place (the safe writer puts
# it there when it is complete).
text_output() {
  local out=$work/dump.txt start
  rm -f "$out"
  write_settings <<<"[Printing]
OutputToFile=1
BytesPerRow=16"
  quoxa_start "$work/input.bin"
  keys ctrl+p
  wait_active Print
  # Alt+A clicks "All pages" as a mouse would, a moment after the key.
  keys alt+a
  sleep 0.3
  keys Return
  wait_active 'Save output to file'
  type_text "$out"
  settle
  start=$(now)
  xdotool key Return
  wait_until "the text output" test -e "$out"
  elapsed "$start" "$(now)"
  wait_main
  quoxa_quit
}

# Return in the Print dialog until the preview is the active window.
preview() {  # file
  local start
  write_settings <<<"[Printing]
OutputToFile=0
BytesPerRow=16"
  quoxa_start "$1"
  keys ctrl+p
  wait_active Print
  keys alt+a
  sleep 0.3
  settle
  start=$(now)
  xdotool key Return
  wait_active Preview
  elapsed "$start" "$(now)"
  keys Escape
  wait_main
  quoxa_quit
}

xxd_times=() text_times=() preview_times=() whole_times=()
for _ in 1 2 3; do
  start=$(now)
  xxd "$work/input.bin" >"$work/xxd.txt"
  xxd_times+=("$(elapsed "$start" "$(now)")")
  text_times+=("$(text_output)")
  preview_times+=("$(preview "$work/pages.bin")")
done
# The whole file's preview took minutes when every page was drawn first: PRINT_X11_WHOLE=0 skips it.
[ "${PRINT_X11_WHOLE:-1}" = 0 ] || whole_times+=("$(preview "$work/input.bin")")

echo "text output of 64 MiB, Return to finished file: $(best "${text_times[@]}") s (runs: ${text_times[*]})"
echo "xxd of the same file to a file:                 $(best "${xxd_times[@]}") s (runs: ${xxd_times[*]})"
echo "ratio quoxa/xxd: $(python3 -c "print(f'{$(best "${text_times[@]}") / $(best "${xxd_times[@]}"):.2f}')")"
echo "preview of 2,050 pages, Return to window:        $(best "${preview_times[@]}") s (runs: ${preview_times[*]})"
[ "${#whole_times[@]}" = 0 ] || echo "preview of 64 MiB, Return to window:             ${whole_times[0]} s"
