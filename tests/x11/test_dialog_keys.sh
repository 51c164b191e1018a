#!/usr/bin/env bash
# Enter, Esc, Tab and the access keys in the dialogs as a desktop user expects them:
# the focused push button takes Enter (OK takes it otherwise), Tab follows the layout,
# a string radio's access key puts the focus in its edit, Delete deletes in a hex edit.
# x11-parts: 2
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
  # Checksums: Enter computes, also from the expected value; Tab reaches Close, which takes it.
  "FindHex=1|keys ctrl+shift+h; wait_active Checksums; keys Tab Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  "FindHex=1|keys ctrl+shift+h; wait_active Checksums; keys alt+e; type_text 00; keys Return; wait_active Checksums; keys Tab Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  # Export as: the focused Cancel takes Enter; a format's access key, then Enter is OK.
  "FindHex=1|keys alt+f x; wait_active 'Export as'; keys Tab Tab Tab Tab Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  "FindHex=1|keys alt+f x; wait_active 'Export as'; keys alt+c Return; wait_active 'Export to file'; keys Escape; wait_main; keys z ctrl+s|7a42414241424142"
  # Import: Enter on a bad fill byte shows the error and keeps the dialog; the focused Cancel takes Enter.
  "FindHex=1|keys alt+f m; wait_active Import; keys Tab ctrl+a x Return; wait_active Error; keys Return; wait_active Import; keys Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  # The statistics windows: the focused Refresh takes Enter and the window stays; Tab reaches Close.
  "FindHex=1|keys alt+t s; wait_active Statistics; keys Tab Tab Tab Return; wait_active Statistics; keys Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  "FindHex=1|keys alt+v e; wait_active 'Entropy map'; keys Tab Return; wait_active 'Entropy map'; keys Tab Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  # The data inspector: Esc drops a value being typed, a second Esc goes back to the grid; Tab
  # reaches the byte order and the Hex box.
  "FindHex=1|keys ctrl+i Down Down Return; type_text 99; keys Escape Escape z ctrl+s|7a42414241424142"
  "FindHex=1|keys ctrl+i Tab Tab space; quoxa_quit; expect_ini DataInspector Hex 1|-"
  # Strings: Enter in the filter goes to the string shown; on Close it only closes; a length
  # field's Enter scans again and stays.
  "FindHex=1|keys Right Right alt+s s; wait_active Strings; keys alt+f; type_text BAB; keys Return; wait_main; keys z ctrl+s|7a42414241424142"
  "FindHex=1|keys Right Right alt+s s; wait_active Strings; keys Tab Tab Tab Tab Tab Return; wait_main; keys z ctrl+s|41427a4241424142"
  "FindHex=1|keys Right Right alt+s s; wait_active Strings; keys alt+m ctrl+a; type_text 9; keys Return; wait_active Strings; keys Escape; wait_main; keys z ctrl+s|41427a4241424142"
)

take_part cases
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
