#!/usr/bin/env bash
# kill -9 at many points of a save in place: the saved file has a second link, so it cannot be
# replaced by rename. Each save is a batch run without a display. After every kill the file is
# the original, the new contents, or a damaged one beside a complete backup; the next start on a
# display offers the backup, and Yes restores the file byte for byte (in both links, same inode).
set -euo pipefail

for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing" >&2; exit 77; }
done
source "$(dirname "$0")/../x11/lib.sh"

mib=128
kills=14
dir=$work/files
recovery=$XDG_STATE_HOME/quoxa/recovery
mkdir -p "$dir"
head -c $((mib << 20)) /dev/urandom >"$work/original"
printf 'Q' | cat - "$work/original" >"$work/new"
# Inserting one byte at the start moves every byte: half a save differs from both versions.
printf 'ADR 0\nINSERT 51\n' >"$work/insert.qsc"
cp "$work/original" "$dir/f.bin"
ln "$dir/f.bin" "$dir/g.bin"
inode=$(stat -c %i "$dir/f.bin")

ms() { date +%s%3N; }

# A batch run on f.bin without a display, in the background; its pid in $batch.
start_batch() {
  (cd "$dir" && exec env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$program" f.bin \
    /S="$work/insert.qsc" 2>>"$work/batch.log") &
  batch=$!
}

shopt -s nullglob
backups() { echo "$dir"/.f.bin.quoxa-backup-*; }

# A backup that was not among the names given: the running save has begun.
new_backup() {  # names before the run
  local name
  for name in $(backups); do [[ " $1 " == *" $name "* ]] || return 0; done
  return 1
}

# Starts a batch run and waits (at most 60 s) until its save has begun its backup; a backup an
# earlier killed run left does not count.
start_save() {
  local before deadline=$((SECONDS + 60))
  before=$(backups)
  start_batch
  until new_backup "$before"; do
    kill -0 "$batch" 2>/dev/null || fail "the batch run ended before it saved: $(cat "$work/batch.log")"
    [ "$SECONDS" -lt "$deadline" ] || fail "no backup appeared"
    sleep 0.005
  done
}

# One uncut run: the result, and how long the save takes from the start of its backup to its end
# (the backup goes once the new contents are on the disk).
start_save
began=$(ms)
while [ -n "$(backups)" ]; do sleep 0.005; done
save_ms=$(($(ms) - began))
wait "$batch" || fail "the uncut run failed: $(cat "$work/batch.log")"
cmp -s "$dir/f.bin" "$work/new" || fail "the uncut run did not save the new contents"
[ -z "$(backups)" ] || fail "the uncut run left its backup"
log "a save takes ${save_ms} ms from its backup on"

# The record of a backup that is there (a record whose copy is gone is stale: the program drops it).
pending_record() {
  local record
  for record in "$recovery"/record-*; do
    [ -e "$(sed -n 's/^copy=//p' "$record")" ] && { echo "$record"; return 0; }
  done
  return 1
}

trap 'kill -KILL "${batch:-}" 2>/dev/null || true; x11_cleanup' EXIT
outcomes=""
# The timings spread over the save; should none of them hit the write itself (a loaded machine),
# more follow in its middle.
more_kills() { ((i < kills)) || { ((i < 3 * kills)) && [[ "$outcomes" != *damaged* ]]; }; }
for ((i = 0; ; i++)); do
  more_kills || break
  cp "$work/original" "$dir/f.bin"
  start_save
  if ((i < kills)); then delay=$((save_ms * i / kills)); else delay=$((save_ms / 4 + RANDOM % (save_ms / 2 + 1))); fi
  sleep "$(awk -v ms="$delay" 'BEGIN { printf "%.3f", ms / 1000 }')"
  # A run that ended before the kill must have saved.
  if ! kill -KILL "$batch" 2>/dev/null; then
    wait "$batch" || fail "kill $i: the run failed: $(cat "$work/batch.log")"
  fi
  wait "$batch" 2>/dev/null || true
  [ "$(stat -c %i "$dir/g.bin")" = "$inode" ] || fail "kill $i: the file changed its inode"
  cmp -s "$dir/f.bin" "$dir/g.bin" || fail "kill $i: the links differ"
  record=$(pending_record || true)
  if cmp -s "$dir/f.bin" "$work/original"; then
    outcome=original
  elif cmp -s "$dir/f.bin" "$work/new"; then
    outcome=new
  else
    outcome=damaged
    [ -n "$record" ] || fail "kill $i: a damaged file without a recorded backup"
  fi
  if [ -n "$record" ]; then
    copy=$(sed -n 's/^copy=//p' "$record")
    cmp -s "$copy" "$work/original" || fail "kill $i: the backup is not the original"
    [ -n "${DISPLAY:-}" ] || x11_start
    quoxa_launch "$dir/f.bin"
    wait_active Confirmation
    keys alt+y
    wait_active '^QUOXA - f\.bin$'
    quoxa_quit
    cmp -s "$dir/f.bin" "$work/original" || fail "kill $i: the restored file is not the original"
    [ "$(stat -c %i "$dir/f.bin")" = "$inode" ] || fail "kill $i: restoring changed the inode"
    ! pending_record >/dev/null || fail "kill $i: the backup is still offered after it was restored"
    [ ! -e "$copy" ] || fail "kill $i: the restored backup is left"
    outcome="$outcome,restored"
  fi
  log "kill $i, $delay ms into the save: $outcome"
  outcomes="$outcomes $outcome"
done
case "$outcomes" in
  *damaged,restored*) ;;
  *) fail "no kill came in the middle of the write: $outcomes" ;;
esac

# What the killed saves left behind goes with the next save of the file.
cp "$work/original" "$dir/f.bin"
start_batch
wait "$batch" || fail "the last run failed: $(cat "$work/batch.log")"
cmp -s "$dir/f.bin" "$work/new" || fail "the last run did not save the new contents"
[ "$(ls -A "$dir" | tr '\n' ' ')" = "f.bin g.bin " ] || fail "left in the folder: $(ls -A "$dir")"
[ -z "$(echo "$recovery"/record-*)" ] || fail "records are left: $(ls "$recovery")"
pass
