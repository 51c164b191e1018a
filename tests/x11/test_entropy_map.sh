#!/usr/bin/env bash
# View > Entropy map of 1 MiB of zeros, 1 MiB of random bytes and 1 MiB of text: the saved CSV
# reads about 0, 8 and 4 to 5 bits per byte in the three parts, the saved PNG is the plot, and
# a click on the middle of the plot puts the cursor into the random part.
source "$(dirname "$0")/lib.sh"
x11_start

write_settings <<INI
[Options]
ModusText=1
Overwrite=1
CurrentDir=$work
INI
doc=$work/regions.bin
{
  head -c 1048576 /dev/zero
  head -c 1048576 /dev/urandom
  head -c 1048576 < <(yes 'The quick brown fox jumps over the lazy dog.')
} >"$doc"
cp "$doc" "$work/original.bin"
quoxa_start "$doc"

keys alt+v e
wait_active 'Entropy map'
keys alt+c
wait_active 'Save entropy map as CSV'
type_text "$work/map.csv"
keys Return
activate 'Entropy map'
wait_until "map.csv" test -s "$work/map.csv"
# Mean, lowest and highest entropy of each MiB.
read -r summary < <(awk -F, 'NR > 1 { part = int($2 / 1048576); n[part]++; sum[part] += $4
    if (!(part in lo) || $4 < lo[part]) lo[part] = $4; if (!(part in hi) || $4 > hi[part]) hi[part] = $4 }
  END { for (p = 0; p < 3; p++) printf "%d:%.3f:%.3f:%.3f ", n[p], sum[p] / n[p], lo[p], hi[p]; print "" }' "$work/map.csv")
log "windows:mean:lowest:highest per MiB: $summary"
awk -v s="$summary" 'BEGIN { split(s, part, " ")
  split(part[1], z, ":"); split(part[2], r, ":"); split(part[3], t, ":")
  exit !(z[1] == 256 && r[1] == 256 && t[1] == 256 && z[4] == 0 && r[3] > 7.9 && t[3] >= 4 && t[4] <= 5) }' ||
  fail "the map does not read 0, 8 and 4-5 bits per byte: $summary"

keys alt+p
wait_active 'Save entropy map as PNG'
type_text "$work/map.png"
keys Return
activate 'Entropy map'
wait_until "map.png" test -s "$work/map.png"
[ "$(head -c 8 "$work/map.png" | xxd -p)" = 89504e470d0a1a0a ] || fail "map.png is no PNG"
import -window root "$work/screen.png"
[ -z "${QUOXA_X11_ARTIFACTS:-}" ] || { mkdir -p "$QUOXA_X11_ARTIFACTS"; cp "$work/screen.png" "$work/map.png" "$QUOXA_X11_ARTIFACTS/"; }

# The middle of the plot is the middle of the file; the typed z lands where the cursor went.
read -r _ _ w h < <(window_geometry 'Entropy map')
click_in 'Entropy map' $((w / 2)) $((h / 2))
keys Escape
wait_main
keys z y ctrl+s
changed() { [ "$(cmp -l "$work/original.bin" "$doc" 2>/dev/null | wc -l)" -ge 1 ]; }
wait_until "the save" changed
at=$(cmp -l "$work/original.bin" "$doc" | awk "NR == 1 { print \$1 }" || true)
log "z written at position $at"
[ "$at" -gt 1048576 ] && [ "$at" -le 2097152 ] || fail "the click went to position $at, not into the random part"
quoxa_quit
pass
