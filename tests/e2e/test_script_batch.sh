#!/usr/bin/env bash
# Unattended script runs of the real program: "quoxa FILE /S=SCRIPT ARGS..." changes the file
# and ends, on the offscreen platform, without any display at all, and on a display. The
# result bytes, the exit status and standard error are compared.
set -euo pipefail

program=$1
work=$(mktemp -d)
xvfb=
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
export QUOXA_INI=$work/quoxa.ini

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# case NAME DOC(printf) SCRIPT(printf) SWITCH EXPECTED(printf) STATUS STDERR(printf) [ARGS...]
# Runs the case with the environment given in $launch.
case_() {
  local name=$1 doc=$2 script=$3 switch=$4 expected=$5 status=$6 stderr=$7
  shift 7
  printf "$doc" >"$work/doc.bin"
  printf "$script" >"$work/run.qsc"
  local got=0
  (cd "$work" && timeout 60 $launch "$program" doc.bin "$switch" "$@" 2>"$work/stderr") || got=$?
  [ "$got" != 124 ] || fail "$name ($mode): the program did not end"
  [ "$got" = "$status" ] || fail "$name ($mode): exit status $got, expected $status"
  cmp -s "$work/doc.bin" <(printf "$expected") || fail "$name ($mode): file is $(xxd -p "$work/doc.bin")"
  cmp -s "$work/stderr" <(printf "$stderr") || fail "$name ($mode): standard error was: $(cat -A "$work/stderr")"
}

all_cases() {
  case_ "overwrite and insert" 'ABCDEF' 'ADR 1\r\nOVERWRITE 78 79\r\nADREOF\r\nINSERT 0D 0A\r\n' '/S=run.qsc' \
    'AxyDE\r\nF' 0 ''
  case_ "parameters" 'ABCDEF' 'ADR %%1\nOVERWRITE %%2\nREPLACEALL 46 BY %%3\n' '-srun.qsc' 'ABC0E12' 0 '' 3 30 '31 32'
  case_ "replace all" 'xAAxAx' 'REPLACEALL 41 BY 42 43\nMSG nobody sees this\n' '-S=run.qsc' 'xBCBCxBCx' 0 ''
  case_ "unchanged" 'ABC' 'VERIFY 41 ?? 43 OR 5A\n' '/srun.qsc' 'ABC' 0 ''
  case_ "error leaves the file" 'ABCDEF' 'OVERWRITE 31\nADR 9\n' '/S=run.qsc' 'ABCDEF' 1 \
    'Error: Error in line number 2:\nADR 9\r\n\r\nCan'"'"'t go to address: $9\n'
  case_ "check error" 'ABC' 'OVERWRITE 31\nDEL 0\n' '/S=run.qsc' 'ABC' 1 \
    'Error: Error in line number 2:\nDEL 0\r\n\r\nInvalid byte count: 0\r\n\r\nFile was NOT yet changed by interpreter\n'
  case_ "missing parameter" 'ABC' 'ADR %%1\n' '/S=run.qsc' 'ABC' 1 'Error: Missing run-time parameter for %%1\n'
  case_ "missing script" 'ABC' '' '/S=none.qsc' 'ABC' 1 'Error: Error reading QUOXAscript file\nnone.qsc\n'
  # Nothing to run: the run ends at once, the file untouched.
  case_ "empty script" 'ABC' '' '/S=run.qsc' 'ABC' 0 ''
  case_ "line feed alone" 'ABC' '\n' '/S=run.qsc' 'ABC' 0 ''
  case_ "CR LF alone" 'ABC' '\r\n' '/S=run.qsc' 'ABC' 0 ''
  # A NUL inside a line is shown, and the reason after it too.
  case_ "NUL in a line" 'ABC' 'OVERWRITE 41\00042\n' '/S=run.qsc' 'ABC' 1 \
    'Error: Error in line number 1:\nOVERWRITE 41\\x0042\r\n\r\nInvalid Hex String:\n41\\x0042\r\n\r\nFile was NOT yet changed by interpreter\n'
  # Only a blank separates a command from its parameter: a no-break space, in UTF-8 or as the
  # Windows-1252 byte A0, does not.
  local nbsp_error='Error: Error in line number 1:\nADR\302\2402\r\n\r\nInvalid command:\nADR\302\2402\r\n\r\nFile was NOT yet changed by interpreter\n'
  case_ "no-break space" 'ABC' 'ADR\302\2402\nOVERWRITE 31\n' '/S=run.qsc' 'ABC' 1 "$nbsp_error"
  case_ "no-break space byte" 'ABC' 'ADR\2402\nOVERWRITE 31\n' '/S=run.qsc' 'ABC' 1 "$nbsp_error"
  case_ "argument naming itself" 'ABC' 'ADR %%1\n' '/S=run.qsc' 'ABC' 1 \
    'Error: Substitution of run-time parameter %%1 does not end\n' '%1'
}

mode=offscreen
launch="env QT_QPA_PLATFORM=offscreen"
all_cases

# No display and no platform named: the program picks the offscreen platform itself.
mode="no display"
launch="env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY"
all_cases

# A line that had no effect because a question was answered No (as it is without a display):
# the run goes on and saves, and ends with status 1, the reason on standard error. The
# replacement grows the file to twice all the memory and swap the machine has, so that
# REPLACEALL asks however much of it is free at that moment.
doc_size=$((16 << 20))
total_kb=$(awk '/^(MemTotal|SwapTotal):/ { sum += $2 } END { print sum }' /proc/meminfo)
growth=$((total_kb * 2048 / doc_size + 4))
head -c "$doc_size" /dev/zero >"$work/doc.bin"
{
  printf 'REPLACEALL 00 BY'
  for ((i = 0; i <= growth; i++)); do printf ' 42'; done
  printf '\r\nOVERWRITE 31\r\n'
} >"$work/run.qsc"
got=0
(cd "$work" && timeout 120 env QT_QPA_PLATFORM=offscreen "$program" doc.bin /S=run.qsc 2>"$work/stderr") || got=$?
[ "$got" = 1 ] || fail "declined question: exit status $got"
[ "$(head -c 1 "$work/doc.bin")" = 1 ] || fail "declined question: the line after it did not run"
[ "$(stat -c %s "$work/doc.bin")" = "$doc_size" ] || fail "declined question: something was replaced"
grep -q '^Confirmation: Occurences to replace: 16.777.216;$' "$work/stderr" || fail "declined question: $(head -c 300 "$work/stderr")"
grep -q '^Error: Error in line number 1:$' "$work/stderr" || fail "declined question: no line error on stderr"
[ "$(tail -n 1 "$work/stderr")" = 'The line had no effect.' ] || fail "declined question: $(tail -n 2 "$work/stderr")"

# A missing document is no run: the script never starts.
rm -f "$work/doc.bin"
printf 'INSERT 41\n' >"$work/run.qsc"
got=0
(cd "$work" && timeout 60 env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$program" doc.bin /S=run.qsc \
  2>"$work/stderr") || got=$?
[ "$got" = 1 ] || fail "missing document: exit status $got"
[ ! -e "$work/doc.bin" ] || fail "missing document: a file was created"

# On a display a successful run ends as well; a failed one stays open with the file untouched.
if command -v Xvfb >/dev/null; then
  # QUOXA_TEST_DISPLAY picks the display number; else the server takes a free one.
  if [ -n "${QUOXA_TEST_DISPLAY:-}" ]; then
    Xvfb ":$QUOXA_TEST_DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    sleep 1
    echo "$QUOXA_TEST_DISPLAY" >"$work/display"
  else
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
  fi
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  mode=display
  launch="env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:$(head -1 "$work/display")"
  case_ "overwrite and insert" 'ABCDEF' 'ADR 1\nOVERWRITE 78 79\nMSG shown only to a user\nEXIT\n' '/S=run.qsc' \
    'AxyDEF' 0 ''
  # MSG waits for its OK on a display, except in batch mode: the run above must have ended.
  printf 'ABCDEF' >"$work/doc.bin"
  printf 'OVERWRITE 31\nADR 9\n' >"$work/run.qsc"
  (cd "$work" && exec $launch "$program" doc.bin /S=run.qsc 2>"$work/stderr") &
  pid=$!
  sleep 4
  kill -0 "$pid" 2>/dev/null || fail "display: the program ended after a failed run"
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
  cmp -s "$work/doc.bin" <(printf 'ABCDEF') || fail "display: a failed run changed the file"
fi
echo "script batch: ok"
