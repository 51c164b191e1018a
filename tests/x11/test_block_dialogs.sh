#!/usr/bin/env bash
# The block and string dialogs and the block keys on a real desktop: Block <n> chars, Insert
# string, Overwrite string and Write block open from their menu keys, Esc closes them, Enter is
# OK (or the button Tab moved to), and the very next shortcut works, proved by the bytes it saves.
source "$(dirname "$0")/lib.sh"
x11_start

# settings | steps (the document is 41 42 41 42 41 42 41 42, text mode, overwrite) | bytes saved
cases=(
  "|keys alt+e n; wait_active 'Block with <n> chars'; keys Escape; wait_main; keys z ctrl+s|7a42414241424142"
  "|keys alt+e n; wait_active 'Block with <n> chars'; type_text 3; keys Return; wait_main; keys ctrl+d ctrl+s|4241424142"
  "|keys alt+e n; wait_active 'Block with <n> chars'; type_text 3; keys Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  "|keys alt+e i; wait_active Insert; type_text QQ; keys Tab Tab Tab Tab Tab Tab Return; wait_main; keys z ctrl+s|7a42414241424142"
  "|keys alt+e i; wait_active Insert; keys Escape; wait_main; keys z ctrl+s|7a42414241424142"
  "|keys alt+e i; wait_active Insert; type_text QQ; keys Return; wait_main; keys z ctrl+s|5151515151517a42414241424142"
  "InsHex=1|keys alt+e i; wait_active Insert; type_text 7a7b; keys Return; wait_main; keys ctrl+s|7a7b7a7b7a7b4142414241424142"
  "|keys alt+e w; wait_active Overwrite; keys Escape; wait_main; keys z ctrl+s|7a42414241424142"
  "|keys alt+e w; wait_active Overwrite; type_text zz; keys Return; wait_main; keys z ctrl+s|7a7a7a4241424142"
  "|keys ctrl+b Right Right ctrl+b alt+f w; wait_active 'Save file as'; keys Escape; wait_main; keys z ctrl+s|41427a4241424142"
  "|keys ctrl+b Right Right ctrl+b alt+f w; wait_active 'Save file as'; type_text \"\$work/block.bin\"; keys Return; wait_main; keys z ctrl+s; expect_bytes \"\$work/block.bin\" 414241|41427a4241424142"
  "|keys ctrl+b Right Right ctrl+b End ctrl+m ctrl+s|4241424141424142"
  "|keys ctrl+b Right Right ctrl+b Home ctrl+w; wait_active Information; keys Return; wait_main; keys End ctrl+k ctrl+s|4142414241424141424142"
)

for row in "${cases[@]}"; do
  IFS='|' read -r options steps expected <<<"$row"
  log "$steps"
  write_settings <<INI
[Options]
ModusText=1
Overwrite=1
${options//,/$'\n'}
[QZHistoryInsN]
0="3"
INI
  doc=$(make_doc doc.bin 4142414241424142)
  quoxa_start "$doc"
  eval "$steps"
  expect_bytes "$doc" "$expected"
  quoxa_quit
done
pass
