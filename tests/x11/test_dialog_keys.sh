#!/usr/bin/env bash
# Enter, Esc, Tab and the access keys in the dialogs as a desktop user expects them:
# the focused push button takes Enter (OK takes it otherwise), Tab follows the layout,
# a string radio's access key puts the focus in its edit, Delete deletes in a hex edit.
source "$(dirname "$0")/lib.sh"
x11_start

# settings | steps (document 41 42 41 42 41 42 41 42, text mode, overwrite) | bytes saved, - for none
cases=(
  "FindHex=1,ReplaceHex=1|keys ctrl+r; wait_active Replace; type_text 41; keys alt+x; type_text 7a; keys Tab Tab Tab Tab Tab Tab Tab Return; wait_active Information; keys Return; wait_main; keys ctrl+s|7a427a427a427a42"
  "FindHex=0|keys ctrl+f; wait_active Find; type_text AB; keys Tab Return Return; wait_main; quoxa_quit; expect_ini Options FindHex 1|-"
  "FindHex=0|keys ctrl+f; wait_active Find; keys alt+t; type_text B; keys Return; wait_main; keys z ctrl+s|417a414241424142"
  "FindHex=1|keys ctrl+f; wait_active Find; type_text 4342; keys Home Delete Delete Return; wait_main; keys z ctrl+s|417a414241424142"
  "FindHex=1|keys z alt+F4; wait_active Confirmation; keys Tab Return; quoxa_wait_exit|7a42414241424142"
  "FindHex=1|keys z alt+F4; wait_active Confirmation; keys Escape; wait_main; keys ctrl+s|7a42414241424142"
  "FindHex=1|keys ctrl+p; wait_active Print; keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Return; wait_main; keys z ctrl+s; quoxa_quit; expect_ini Printing Unit ''|7a42414241424142"
  "FindHex=1|keys ctrl+p; wait_active Print; keys Tab Tab Tab ctrl+a 0 Return; wait_active Error; keys Return; wait_active Print; type_text 8; keys Return; wait_active Preview; keys Escape; wait_main; quoxa_quit; expect_ini Printing BytesPerRow 8|-"
  "FindHex=1|keys ctrl+g; wait_active 'Go to address'; type_text 3; keys Tab Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  "FindHex=1|keys alt+a w; wait_active 'Enter jump width'; type_text 3; keys Tab Return; wait_main; keys F5 F5 z ctrl+s|4142414241427a42"
  # The conversion table: Tab leaves the grid; the focused Cancel and Convert take Enter.
  "FindHex=1|keys alt+s h; wait_active 'Character conversion table'; keys Tab Tab Tab Tab Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  "FindHex=1|keys alt+s h; wait_active 'Character conversion table'; keys Tab Tab Tab Tab Tab Return; wait_active Information; keys Return; wait_main; keys z ctrl+s|7a42414241424142"
  # Strings: Enter in the filter goes to the string shown; on Close it only closes; a length
  # field's Enter scans again and stays.
  "FindHex=1|keys Right Right alt+s s; wait_active Strings; keys alt+f; type_text BAB; keys Return; wait_main; keys z ctrl+s|7a42414241424142"
  "FindHex=1|keys Right Right alt+s s; wait_active Strings; keys Tab Tab Tab Tab Tab Return; wait_main; keys z ctrl+s|41427a4241424142"
  "FindHex=1|keys Right Right alt+s s; wait_active Strings; keys alt+m ctrl+a; type_text 9; keys Return; wait_active Strings; keys Escape; wait_main; keys z ctrl+s|41427a4241424142"
)

for row in "${cases[@]}"; do
  IFS='|' read -r options steps expected <<<"$row"
  log "$steps"
  write_settings <<INI
[Options]
ModusText=1
Overwrite=1
${options//,/$'\n'}
INI
  doc=$(make_doc doc.bin 4142414241424142)
  quoxa_start "$doc"
  eval "$steps"
  [ "$expected" = "-" ] || expect_bytes "$doc" "$expected"
  if quoxa_running; then quoxa_quit; fi
done
pass
