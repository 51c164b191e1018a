#!/usr/bin/env bash
# The stored layout wins over the window manager's first resize: the window comes
# up with the stored columns and rows and writes them back at close, and where it was.
source "$(dirname "$0")/lib.sh"
x11_start

# A first run writes the display section the layout belongs to.
quoxa_start
quoxa_quit
display="[display]
resx=$(ini_value display resx)
resy=$(ini_value display resy)
ppi=$(ini_value display ppi)"

# extra options (comma-separated) | columns | rows
cases=(
  "FontSize=12|16|10"
  "TextGridLeft=1|16|10"
  "HideAddressRange=1|16|10"
  "FontSize=14,HideAddressRange=1|12|14"
)
for row in "${cases[@]}"; do
  IFS='|' read -r extra cols rows <<<"$row"
  log "$extra, $cols x $rows"
  write_settings <<INI
$display

[Options]
Cols=$cols
Rows=$rows
${extra//,/$'\n'}
INI
  quoxa_start
  quoxa_quit
  expect_ini Options Cols "$cols"
  expect_ini Options Rows "$rows"
  for option in ${extra//,/ }; do expect_ini Options "${option%=*}" "${option#*=}"; done
done

# The user's resize still changes the layout: a larger window holds more cells.
quoxa_start
xdotool windowsize "$(window_id '^QUOXA$')" 1000 800
grows() { [ "$(ini_value Options Cols)" -gt 12 ] && [ "$(ini_value Options Rows)" -gt 14 ]; }
sleep 1
quoxa_quit
grows || fail "after the resize the layout is $(ini_value Options Cols) x $(ini_value Options Rows)"

# The window comes back where it was closed, start after start: the stored corner is the
# frame's, and the window must not climb by its title bar each time.
quoxa_start
placed=$(settled_geometry '^QUOXA$')
quoxa_quit
for run in 1 2; do
  quoxa_start
  now=$(settled_geometry '^QUOXA$')
  [ "$now" = "$placed" ] || fail "start $run: the window moved from $placed to $now"
  quoxa_quit
done
pass
