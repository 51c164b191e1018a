#!/usr/bin/env bash
# After every modal dialog, message box and progress box the main window is active
# and its grid has the focus: the very next shortcut works. Each row runs its steps
# on a fresh start and expects the bytes that the last shortcut saves.
# x11-parts: 3
source "$(dirname "$0")/lib.sh"
x11_start

# bytes saved (- when the steps check themselves) | steps (the document is 41 42 41 42 41 42 41 42, text mode, overwrite)
cases=(
  "4142417a41424142|keys ctrl+f; wait_active Find; type_text 42; keys Return; wait_main; keys F3; keys z ctrl+s"
  "417a414241424142|keys ctrl+f; wait_active Find; type_text 42; keys Return; wait_main; keys F3; keys shift+F3; keys z ctrl+s"
  "7a42414241424142|keys ctrl+f; wait_active Find; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys ctrl+f; wait_active Find; keys Escape; wait_main; keys z alt+f s"
  "7a42414241424142|keys ctrl+f; wait_active Find; type_text 43; keys Return; wait_active Information; keys Return; wait_main; keys z ctrl+s"
  "414241424142417a|keys alt+s c; wait_active Count; type_text 42; keys Return; wait_active Information; keys Return; wait_main; keys z ctrl+s"
  "7a427a4241424142|keys ctrl+r; wait_active Replace; type_text 41; keys alt+x; type_text 7a; keys Return; wait_main; keys F4; keys ctrl+s"
  "6142414241424142|keys alt+t o; wait_active Options; keys Escape; wait_main; keys Tab 6 1 ctrl+s"
  "6142414241424142|keys alt+t o; wait_active Options; keys ctrl+Tab alt+t Return; wait_main; keys Tab 6 1 ctrl+s"
  "7a42414241424142|keys ctrl+o; wait_active 'Open file'; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys ctrl+shift+c; wait_active 'Compare with'; keys Escape; wait_main; keys z ctrl+s"
  "-|other=\$(make_doc other.bin 0102); keys ctrl+o; wait_active 'Open file'; keys alt+n; type_text other.bin; keys Return; wait_active 'QUOXA - other.bin'; keys z ctrl+s; expect_bytes \$other 7a02"
  "7a42414241424142|keys alt+h a; wait_active 'About QUOXA'; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys ctrl+p; wait_active Print; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys ctrl+p; wait_active Print; keys Return; wait_active Preview; keys Next Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys ctrl+p; wait_active Print; keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space Return; wait_active 'Save output to file'; type_text \$work/dump.txt; keys Return; wait_main; keys z ctrl+s; grep -q '^000000000:  41 42 41 42' \$work/dump.txt || fail 'no text output'"
  "4142417a41424142|keys ctrl+g; wait_active 'Go to address'; type_text 3; keys Return; wait_main; keys z ctrl+s"
  "7a42414241424142|keys ctrl+g; wait_active 'Go to address'; keys Escape; wait_main; keys z ctrl+s"
  "4142414241427a42|keys alt+a w; wait_active 'Enter jump width'; type_text 3; keys Return; wait_main; keys F5 F5 z ctrl+s"
  "7a42414241424142|keys alt+a w; wait_active 'Enter jump width'; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys ctrl+shift+h; wait_active Checksums; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys alt+t c; wait_active Checksums; keys Return; wait_active Checksums; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys alt+f x; wait_active 'Export as'; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys alt+f x; wait_active 'Export as'; keys Return; wait_active 'Export to file'; type_text \$work/out.hex; keys Return; wait_main; keys z ctrl+s; grep -qx ':00000001FF' \$work/out.hex || fail 'no export'"
  "7a42414241424142|keys alt+f m; wait_active Import; keys Escape; wait_main; keys z ctrl+s"
  "-|printf ':0200000041427B\\n:00000001FF\\n' >\$work/in.hex; keys alt+f m; wait_active Import; keys Return; wait_active 'Import file'; keys alt+n; type_text \$work/in.hex; keys Return; wait_active 'QUOXA - in.bin'; keys z ctrl+s; wait_active 'Save file as'; type_text \$work/in.bin; keys Return; wait_main; expect_bytes \$work/in.bin 7a42"
  "7a42414241424142|keys alt+t s; wait_active Statistics; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys alt+t s; wait_active Statistics; keys Return; wait_main; keys z ctrl+s"
  "7a42414241424142|keys alt+v e; wait_active 'Entropy map'; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys alt+v e; wait_active 'Entropy map'; keys Return; wait_main; keys z ctrl+s"
  "7a42414241424142|keys ctrl+i Escape; keys z ctrl+s"
  "7a42414241424142|keys ctrl+i ctrl+i; keys z ctrl+s"
  "4241414241424142|keys ctrl+i Down Down Down Down Return; type_text 16706; keys Return; keys ctrl+s"
  "414241424142417a|keys End ctrl+i Down Down Down Return; wait_active Error; keys Return; wait_main; keys Escape z ctrl+s"
  "41427a4241424142|keys Right Right alt+s s; wait_active Strings; keys Escape; wait_main; keys z ctrl+s"
  "7a42414241424142|keys Right Right alt+s s; wait_active Strings; keys Return; wait_main; keys z ctrl+s"
)

take_part cases
for row in "${cases[@]}"; do
  expected=${row%%|*}
  steps=${row#*|}
  log "$steps"
  write_settings <<INI
[Options]
ModusText=1
Overwrite=1
FindHex=1
ReplaceHex=1
CurrentDir=$work
INI
  doc=$(make_doc doc.bin 4142414241424142)
  quoxa_start "$doc"
  eval "$steps"
  [ "$expected" = "-" ] || expect_bytes "$doc" "$expected"
  quoxa_quit
done
pass
