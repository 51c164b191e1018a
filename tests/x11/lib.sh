# Helpers for the real-X11 cases: each case is a bash script tests/x11/test_*.sh (ctest
# finds it by that name) that sources this file, gets the program's path as $1, and
# drives the program under Xvfb and openbox with xdotool. Every wait is bounded; on a
# failure the case ends with the windows, a screenshot and the program's stderr, and
# everything it started is stopped.
#
# A case:
#   source "$(dirname "$0")/lib.sh"
#   x11_start                      # Xvfb and openbox on a free display
#   write_settings <<<"[Options]
#   ModusText=0"                   # the settings file the program reads (QUOXA_INI)
#   doc=$(make_doc doc.bin 41424344)
#   quoxa_start "$doc"             # waits until "QUOXA - doc.bin" is the active window
#   keys Delete ctrl+s
#   expect_bytes "$doc" 424344
#   quoxa_quit                     # File > Exit, waits for the end
#   expect_ini Options ModusText 0
#   pass
#
# keys and type_text first wait until the program is idle: a key that starts a command
# with a progress box (F3, F4, Ctrl+S on a big file) ends its call, so that the keys
# after it do not reach the modal box.
#
# A new dialog gets rows in test_dialog_shortcuts.sh (open it by its shortcut or Alt
# menu keys, wait_active its title, close it with Esc and with Return, wait_main, then
# prove that the very next shortcut works by the bytes it saves), rows in
# test_dialog_keys.sh for what Enter, Esc and Tab do inside it, and a row in
# tests/gui/tst_TabOrder.cpp for its tab order.
#
# A case whose table of rows takes minutes says "# x11-parts: N" in its header and calls
# take_part on its table before the loop: ctest runs it as N tests side by side, each with
# every N-th row (each row starts the program afresh, so no row depends on another).
#
# Environment: QUOXA_X11_DISPLAYS "first-last" display numbers to try (default
# 90-189); QUOXA_X11_WAIT seconds any one wait may take (default 30);
# QUOXA_X11_ARTIFACTS a folder that keeps screenshots of failed cases;
# QUOXA_X11_PART "i/n": the rows take_part keeps (default 1/1, all of them).

set -euo pipefail

program=${1:?usage: $0 path/to/quoxa}
case_name=$(basename "$0" .sh)
work=$(mktemp -d "${TMPDIR:-/tmp}/quoxa-x11.XXXXXX")
export QUOXA_INI=$work/quoxa.ini
export XDG_CONFIG_HOME=$work/config
export XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/runtime
export XDG_STATE_HOME=$work/state
export XDG_CACHE_HOME=$work/cache
export HOME=$work/home
export QT_QPA_PLATFORM=xcb
export QT_ACCESSIBILITY=0
export NO_AT_BRIDGE=1
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Seconds any single wait may take.
wait_limit=${QUOXA_X11_WAIT:-30}
xvfb_pid=""
wm_pid=""
quoxa_pid=""
screen_w=1280
screen_h=1024

x11_cleanup() {
  local pid
  for pid in "$quoxa_pid" "$wm_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  for pid in "$quoxa_pid" "$wm_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap x11_cleanup EXIT

log() { echo "[$case_name] $*" >&2; }

fail() {
  log "FAIL: $*"
  if [ -n "$quoxa_pid" ]; then
    log "the program (pid $quoxa_pid) is $(quoxa_running && echo running || echo gone)"
  fi
  if [ -n "${DISPLAY:-}" ] && [ -n "$xvfb_pid" ]; then
    log "active window: $(xdotool getactivewindow getwindowname 2>/dev/null || echo none)"
    log "windows of the program:"
    list_windows >&2 || true
    if [ -n "${QUOXA_X11_ARTIFACTS:-}" ]; then
      mkdir -p "$QUOXA_X11_ARTIFACTS"
      import -window root "$QUOXA_X11_ARTIFACTS/$case_name.png" 2>/dev/null &&
        log "screenshot: $QUOXA_X11_ARTIFACTS/$case_name.png"
    fi
  fi
  local file
  [ -z "$wm_pid" ] || log "the window manager is $(kill -0 "$wm_pid" 2>/dev/null && echo running || echo gone)"
  for file in xvfb.log openbox.log probe.log; do
    if [ -s "$work/$file" ]; then
      log "$file:"
      tail -n 20 "$work/$file" >&2
    fi
  done
  if [ -s "$work/stderr" ]; then
    log "program stderr:"
    cat "$work/stderr" >&2
  fi
  exit 1
}

pass() { echo "[$case_name] ok"; }

# A command that fails outside a condition ends the case (set -e): say which, with the
# windows and the screenshot, rather than ending without a word.
set -E
# (Not in a $(...): a failure there is the caller's to judge.)
trap 'status=$?; if [ "$BASH_SUBSHELL" = 0 ]; then trap - ERR
  fail "\"$BASH_COMMAND\" failed with status $status (${BASH_SOURCE[0]##*/} line $LINENO)"; fi' ERR

# Runs a condition command until it succeeds, at most wait_limit seconds.
wait_until() {  # description command...
  local what=$1
  shift
  local deadline=$((SECONDS + wait_limit))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
    sleep 0.1
  done
}

# Keeps the rows of this part in the named array: with QUOXA_X11_PART=i/n every n-th row
# from the i-th.
take_part() {  # array name
  local -n part_rows=$1
  local part=${QUOXA_X11_PART:-1/1} i kept=()
  local k=${part%/*} n=${part#*/}
  for i in "${!part_rows[@]}"; do
    [ $((i % n)) != $((k - 1)) ] || kept+=("${part_rows[$i]}")
  done
  part_rows=("${kept[@]}")
}

# ---- the X server and the window manager

display_free() {  # number
  [ ! -e "/tmp/.X$1-lock" ] && [ ! -e "/tmp/.X11-unix/X$1" ]
}

# Claims display n for this case: an flock on a file of its own, held until the case and
# everything it started end, so that cases run side by side never start servers on the
# same number (the loser of such a race would end only after a wait, and its display
# may be taken by a third case meanwhile).
display_lock_fd=""
claim_display() {  # number
  local fd
  exec {fd}>>"/tmp/.quoxa-x11-$1.lock" || return 1
  if flock -n "$fd"; then
    display_lock_fd=$fd
    return 0
  fi
  exec {fd}>&-
  return 1
}

release_display() {
  [ -n "$display_lock_fd" ] || return 0
  exec {display_lock_fd}>&-
  display_lock_fd=""
}

# The server on display n is ours: its lock file names our Xvfb, and it answers.
server_ours() {  # number
  [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock")" = "$xvfb_pid" ] && xdpyinfo -display ":$1" >/dev/null 2>&1
}

# The window manager has framed the probe window: it manages new windows now (before
# that, a window mapped during its start-up may stay unmanaged and unseen).
probe_framed() {
  local id
  id=$(xdotool search --name '^quoxa-wm-probe$' 2>/dev/null | head -n 1) &&
    xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='
}

x11_start() {
  local range=${QUOXA_X11_DISPLAYS:-90-189}
  local first=${range%-*} last=${range#*-} n deadline
  for ((n = first; n <= last; n++)); do
    display_free "$n" || continue
    claim_display "$n" || continue
    display_free "$n" || { release_display; continue; }
    Xvfb ":$n" -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp -noreset -r >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    deadline=$((SECONDS + wait_limit))
    # Another case may have started a server on the same number at the same time: only
    # one of them gets the lock file, the other ends.
    while kill -0 "$xvfb_pid" 2>/dev/null && ! server_ours "$n" && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && server_ours "$n"; then
      export DISPLAY=":$n"
      break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
    release_display
  done
  [ -n "$xvfb_pid" ] || fail "no free X display in $range"
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  # A probe window proves that the window manager manages new windows; one mapped while
  # it was still starting is never framed, so the probe is made again until one is.
  local probe="" tries=0
  deadline=$((SECONDS + wait_limit))
  until [ -n "$probe" ] && probe_framed; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for the window manager"
    if [ -z "$probe" ] || [ $((++tries % 20)) = 0 ]; then
      [ -z "$probe" ] || { kill "$probe"; wait "$probe"; } 2>/dev/null || true
      xmessage -title quoxa-wm-probe probe >"$work/probe.log" 2>&1 &
      probe=$!
    fi
    sleep 0.1
  done
  kill "$probe" 2>/dev/null || true
  wait "$probe" 2>/dev/null || true
  wait_until "the probe window to go" no_probe
}

no_probe() { ! xdotool search --name '^quoxa-wm-probe$' >/dev/null 2>&1; }

# ---- the program

# Writes a document file in the work folder from hex digits; prints its path.
make_doc() {  # name hex
  local path=$work/$1
  printf '%s' "$2" | xxd -r -p >"$path"
  echo "$path"
}

# The settings file the program reads, from standard input.
write_settings() { cat >"$QUOXA_INI"; }

# Starts the program with arguments.
quoxa_launch() {
  "$program" "$@" >>"$work/stderr" 2>&1 &
  quoxa_pid=$!
}

# Starts the program with arguments and waits until its main window is active.
quoxa_start() {
  quoxa_launch "$@"
  local title="QUOXA"
  [ $# -gt 0 ] && title="QUOXA - $(basename "$1")"
  wait_active "^${title//./\\.}\$"
}

quoxa_running() { [ -n "$quoxa_pid" ] && kill -0 "$quoxa_pid" 2>/dev/null; }

# Ends the program by File > Exit and waits for it to end (closing through the window
# manager with Alt+F4 has its own rows in test_dialog_keys.sh).
quoxa_quit() {
  activate "^QUOXA( - .*)?\$"
  open_menu alt+f
  keys e
  quoxa_wait_exit
}

quoxa_wait_exit() {  # [expected status, 0 without]
  local expected=${1:-0}
  local deadline=$((SECONDS + wait_limit))
  while quoxa_running; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end"
    sleep 0.1
  done
  local status=0
  wait "$quoxa_pid" || status=$?
  quoxa_pid=""
  [ "$status" = "$expected" ] || fail "the program ended with status $status"
}

# ---- windows

# Visible windows of the program: id and title, one a line.
list_windows() {
  local id
  [ -n "$quoxa_pid" ] || return 0
  for id in $(xdotool search --all --onlyvisible --pid "$quoxa_pid" --name '.' 2>/dev/null); do
    echo "$id $(xdotool getwindowname "$id" 2>/dev/null)"
  done
}

# Id of the program's visible window whose whole title matches the regex.
window_id() {  # regex
  list_windows | awk -v re="$1" '{ id = $1; sub(/^[^ ]* /, ""); if ($0 ~ re) { print id; exit } }' | grep .
}

active_title() { xdotool getactivewindow getwindowname 2>/dev/null; }

title_active() { active_title | grep -Eqx -- "$1"; }

# Waits until the active window's title matches the regex (whole title).
wait_active() { wait_until "active window '$1'" title_active "$1"; }

# The main window with a document is active again.
wait_main() { wait_active '^QUOXA - .*$'; }

wait_window() { wait_until "window '$1'" window_id "$1"; }

no_window() { ! window_id "$1"; }

wait_gone() { wait_until "window '$1' to close" no_window "$1"; }

# Makes the window with this title the active one, as a click on it would.
activate() {  # regex
  local id
  title_active "$1" && return 0
  wait_window "$1"
  id=$(window_id "$1") || fail "no window '$1'"
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
  wait_active "$1"
}

# Geometry of a window as "x y width height" (frame excluded).
window_geometry() {  # regex
  local id
  id=$(window_id "$1") || fail "no window '$1'"
  xwininfo -id "$id" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}

# The geometry once the window manager has framed and placed the window: it has said its
# frame (_NET_FRAME_EXTENTS), and the place is the same in two looks a third of a second
# apart (a starved window manager may take longer than that to frame it).
window_framed() {  # regex
  local id
  id=$(window_id "$1") && xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='
}
geometry_unchanged() {
  local before
  window_framed "$1" || return 1
  before=$(window_geometry "$1")
  sleep 0.3
  [ "$(window_geometry "$1")" = "$before" ]
}
settled_geometry() {  # regex
  wait_until "window '$1' to keep its place" geometry_unchanged "$1"
  window_geometry "$1"
}

# ---- input

# (xdotool search fails when it finds none: then the count is 0, not the end of the case.)
shown_windows() { { xdotool search --onlyvisible --pid "$quoxa_pid" 2>/dev/null || true; } | wc -l; }
more_windows() { [ "$(shown_windows)" -gt "$1" ]; }

# Opens a menu of the menu bar (alt+f) and waits until its popup shows, so the next key
# goes to the menu and not to the grid: a key sent while the window is still taking the
# focus back from a dialog can be lost, so it is sent again when no menu came.
open_menu() {  # alt+letter
  local before try
  before=$(shown_windows)
  for try in 1 2 3; do
    keys "$1"
    local deadline=$((SECONDS + 5))
    while [ "$SECONDS" -lt "$deadline" ]; do
      more_windows "$before" && return 0
      sleep 0.1
    done
    log "no menu after $1 (try $try)"
  done
  fail "the menu of $1 did not open"
}

# Every thread of the program sleeps, three times in a row: it waits in its event loop,
# the keys sent before are handled and no progress box is running. A thread waiting for the
# disk (D: a save's fsync behind another case's gigabytes) is busy too: its progress box
# would drop the keys. (Read with builtins: a process per thread and look cost more than
# the looks.)
quoxa_idle() {
  local i stat line
  for ((i = 0; i < 3; i++)); do
    for stat in /proc/"$quoxa_pid"/task/*/stat; do
      read -r line 2>/dev/null <"$stat" || continue
      line=${line##*) }
      case ${line%% *} in R | D) return 1 ;; esac
    done
    sleep 0.03
  done
}

# Waits until the program is idle, so that no key goes to a progress box that drops it.
settle() {
  if quoxa_running; then wait_until "the program to be idle" quoxa_idle; fi
}

# Key presses as xdotool names them ("Delete", "ctrl+s", "shift+F3", "alt+t"). A key that
# starts a search or another command with a progress box ends its call: the next call
# waits until the program is idle again.
keys() {
  settle
  xdotool key --delay 40 "$@"
}

# Types text character by character.
type_text() {
  settle
  xdotool type --delay 40 -- "$1"
}

# Clicks at a point relative to the window with this title.
click_in() {  # regex x y
  local id
  id=$(window_id "$1") || fail "no window '$1'"
  xdotool mousemove --window "$id" "$2" "$3" click 1
}

# Drags with the left button from one point to another of the window with this title, in
# small steps, resting over the target so that the drop is offered there before the release.
drag_in() {  # regex x1 y1 x2 y2 [seconds held on the way, at the target]
  local id i steps=8
  id=$(window_id "$1") || fail "no window '$1'"
  settle
  xdotool mousemove --window "$id" "$2" "$3"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  for ((i = 1; i <= steps; i++)); do
    xdotool mousemove --window "$id" $(($2 + ($4 - $2) * i / steps)) $(($3 + ($5 - $3) * i / steps))
    sleep 0.1
  done
  sleep "${6:-0.4}"
  xdotool mousemove --window "$id" $(($4 + 1)) $(($5 + 1))
  sleep 0.4
  xdotool mouseup 1
}

# ---- checks

file_hex() { xxd -p "$1" | tr -d '\n'; }

bytes_are() { [ "$(file_hex "$1")" = "$2" ]; }

# Waits until the file holds exactly these bytes (hex digits, lower case).
expect_bytes() {  # file hex
  local deadline=$((SECONDS + wait_limit))
  until bytes_are "$1" "$2"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$(basename "$1") holds '$(file_hex "$1")', expected '$2'"
    sleep 0.1
  done
}

# A key of the settings file.
ini_value() {  # section key
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { inside = (tolower($0) == tolower(section)); next }
    inside { n = index($0, "="); if (n > 0 && tolower(substr($0, 1, n - 1)) == tolower(key)) { print substr($0, n + 1); exit } }
  ' "$QUOXA_INI"
}

expect_ini() {  # section key value
  local got
  got=$(ini_value "$1" "$2")
  [ "$got" = "$3" ] || fail "[$1] $2 is '$got', expected '$3'"
}
