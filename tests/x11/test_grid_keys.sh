#!/usr/bin/env bash
# Typing in both grids in both modes, Del and Backspace at the start, in the middle
# and at the end, as X11 delivers the keys (Delete carries the text U+007F).
source "$(dirname "$0")/lib.sh"
x11_start

# text mode, overwrite, document, keys, bytes saved
cases=(
  "1 1 4142434445 Delete                  42434445"
  "1 0 4142434445 Delete                  42434445"
  "1 1 4142434445 Right,Right,Delete      41424445"
  "1 0 4142434445 End,Delete              41424344"
  "1 1 41         Delete                  -"
  "0 1 4142434445 Right,Delete            41434445"
  "0 0 4142434445 End,Delete              41424344"
  "1 1 4142434445 BackSpace               4142434445"
  "1 0 4142434445 Right,Right,BackSpace   41434445"
  "0 1 4142434445 End,BackSpace           41424345"
  "1 1 4142434445 x,y                     7879434445"
  "1 0 4142434445 Right,x                 417842434445"
  "0 1 4142434445 6,1,6,2                 6162434445"
  "0 0 4142434445 End,6,1                 414243446145"
)

for row in "${cases[@]}"; do
  read -r text overwrite doc_hex key_list expected <<<"$row"
  [ "$expected" = "-" ] && expected=""
  write_settings <<INI
[Options]
ModusText=$text
Overwrite=$overwrite
INI
  doc=$(make_doc doc.bin "$doc_hex")
  quoxa_start "$doc"
  IFS=, read -r -a pressed <<<"$key_list"
  keys "${pressed[@]}" ctrl+s
  expect_bytes "$doc" "$expected"
  quoxa_quit
done
pass
