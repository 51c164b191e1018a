#!/usr/bin/env bash
# The clipboard's real path, timed as a user meets it: the program under Xvfb and openbox,
# driven by xdotool keys, each time taken from the moment the program starts on the key to
# the end of its work (bench/tools/busy_time.py).
#   Copy of a whole document of COPY_MIB (time, RSS before, peak RSS during the copy)
#   Paste of a whole document of PASTE_MIB before its last byte, then Exit: the work from the
#   "No" to the save question until the clipboard question waits for its answer, and from
#   that answer until the process has ended
#   Exit right after opening a document of OPEN_MIB, nothing copied
# beside memcpy of the same number of bytes into fresh and into touched memory (Python's
# ctypes.memmove, glibc's memmove), medians of RUNS runs. Each time is given as wall seconds
# and the CPU seconds the program used meanwhile (on a busy machine the wall time also holds
# the waits for a processor).
#   bench/clipboard_e2e.sh path/to/quoxa [PASTE_MIB [COPY_MIB [OPEN_MIB [RUNS]]]]
# Needs free memory for about three times COPY_MIB. QUOXA_X11_DISPLAYS picks the displays.
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
set -- "$program" "${@:2}"
paste_mib=${2:-300}
copy_mib=${3:-1126}
open_mib=${4:-1536}
runs=${5:-3}
source "$here/../tests/x11/lib.sh" "$program"
wait_limit=300
busy() { python3 "$here/tools/busy_time.py" "$@"; }
# "wall cpu" pairs: the median of each column.
medians() { printf '%s\n' "$@" | awk '{ print $1 }' | sort -g | awk '{ v[NR] = $1 } END { printf "%s", v[int((NR + 1) / 2)] }'
  printf ' s (CPU '
  printf '%s\n' "$@" | awk '{ print $2 }' | sort -g | awk '{ v[NR] = $1 } END { printf "%s", v[int((NR + 1) / 2)] }'
  printf ' s)'; }
sum_pairs() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, " "); split(b, y, " "); printf "%.3f %.3f", x[1] + y[1], x[2] + y[2] }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
kib() { awk -v k="$1" '$1 == k":" { print $2 }' "/proc/$quoxa_pid/status"; }

make_file() {  # path MiB: text-like bytes, in the page cache
  python3 - "$1" "$2" <<'PY'
import sys
chunk = bytes((i * 7 + (i >> 3)) % 256 for i in range(1 << 20))
with open(sys.argv[1], "wb") as f:
    for _ in range(int(sys.argv[2])):
        f.write(chunk)
PY
  cat "$1" >/dev/null
}

memcpy_reference() {  # MiB -> "fresh touched", each "wall s (CPU s)", best of three
  [ "$1" -gt 0 ] || { echo "- -"; return; }
  python3 - "$1" <<'PY'
import ctypes, mmap, sys, time
n = int(sys.argv[1]) << 20
src = mmap.mmap(-1, n)
src.write(b"a" * (1 << 20) * (n >> 20))
s = ctypes.addressof(ctypes.c_char.from_buffer(src))
fresh, touched = [], []
def timed(d):
    w, c = time.perf_counter(), time.process_time()
    ctypes.memmove(d, s, n)
    return (time.perf_counter() - w, time.process_time() - c)
for _ in range(3):
    dst = mmap.mmap(-1, n)
    d = ctypes.addressof(ctypes.c_char.from_buffer(dst))
    fresh.append(timed(d))
    touched.append(timed(d))
    del d
    dst.close()
f, t = min(fresh), min(touched)
print(f"{f[0]:.3f}s(CPU{f[1]:.3f}s) {t[0]:.3f}s(CPU{t[1]:.3f}s)")
PY
}

# The program with a document, the whole document marked, the cursor on its last byte.
start_marked() {  # file
  quoxa_start "$1"
  settle
  keys ctrl+Prior ctrl+b ctrl+Next ctrl+b
  settle
}

x11_start
write_settings <<<"[Options]
ModusText=0"

paste_doc=$work/paste.bin
make_file "$paste_doc" "$paste_mib"
paste_times=() question_times=() exit_times=() closing_times=()
for ((run = 1; run <= runs; run++)); do
  start_marked "$paste_doc"
  keys ctrl+c
  settle
  keys ctrl+u
  settle
  paste_times+=("$(busy "$quoxa_pid" idle xdotool key ctrl+v)")
  keys alt+f e
  wait_active Confirmation
  settle
  question_times+=("$(busy "$quoxa_pid" idle xdotool key alt+n)")
  wait_active Confirmation
  settle
  exit_times+=("$(busy "$quoxa_pid" exit xdotool key alt+n)")
  closing_times+=("$(sum_pairs "${question_times[-1]}" "${exit_times[-1]}")")
  quoxa_wait_exit
done
rm -f "$paste_doc"
read -r paste_fresh paste_touched < <(memcpy_reference "$paste_mib")

copy_doc=$work/copy.bin
make_file "$copy_doc" "$copy_mib"
copy_times=() rss_before=() rss_peak=()
for ((run = 1; run <= runs && copy_mib > 0; run++)); do
  start_marked "$copy_doc"
  rss_before+=("$(kib VmRSS)")
  echo 5 >"/proc/$quoxa_pid/clear_refs"
  copy_times+=("$(busy "$quoxa_pid" idle xdotool key ctrl+c)")
  rss_peak+=("$(kib VmHWM)")
  keys alt+f e
  wait_active Confirmation
  keys alt+n
  quoxa_wait_exit
done
rm -f "$copy_doc"
read -r copy_fresh copy_touched < <(memcpy_reference "$copy_mib")

open_doc=$work/open.bin
make_file "$open_doc" "$open_mib"
open_exit_times=()
for ((run = 1; run <= runs && open_mib > 0; run++)); do
  quoxa_start "$open_doc"
  settle
  open_exit_times+=("$(busy "$quoxa_pid" exit xdotool key alt+f e)")
  quoxa_wait_exit
done
rm -f "$open_doc"

echo "medians of $runs runs; wall and CPU seconds of each run: paste $(printf '%s, ' "${paste_times[@]}")copy $(printf '%s, ' "${copy_times[@]}")"
echo "Paste of $paste_mib MiB before the last byte: $(medians "${paste_times[@]}")"
echo "  memcpy of $paste_mib MiB: into fresh memory $paste_fresh, into touched memory $paste_touched"
echo "Exit after it: to the clipboard question $(medians "${question_times[@]}"), after the answer $(medians "${exit_times[@]}"), both $(medians "${closing_times[@]}")"
if [ "$copy_mib" -gt 0 ]; then
  echo "Copy of $copy_mib MiB: $(medians "${copy_times[@]}")"
  echo "  memcpy of $copy_mib MiB: into fresh memory $copy_fresh, into touched memory $copy_touched"
  echo "  RSS before $(($(median "${rss_before[@]}") / 1024)) MiB, peak during the copy $(($(median "${rss_peak[@]}") / 1024)) MiB"
fi
[ "$open_mib" -gt 0 ] && echo "Exit right after opening $open_mib MiB: $(medians "${open_exit_times[@]}")"
pass
