#!/usr/bin/env bash
# The Tools menu's number, bit and patch dialogs: Enter, Esc, Tab and the access keys do what a
# desktop user expects, and the very next shortcut works after each of them. A radio button's
# or check box's access key clicks with a short animation, hence the pauses after them.
source "$(dirname "$0")/lib.sh"
x11_start

settle() { sleep 0.3; }

menu_shown() {
  local id
  for id in $(xdotool search --all --onlyvisible --pid "$quoxa_pid" 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DROPDOWN_MENU && return 0
  done
  return 1
}

# The X keyboard focus is on the main window (it may follow the activation a moment later).
main_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(window_id '^QUOXA - .*$')" ]; }

# Opens a menu by its access key and, once it is shown, chooses an item by its access key
# (a key pressed before the menu is up would go to the grid).
menu() { keys "alt+$1"; wait_until "the menu" menu_shown; keys "$2"; }

# document | steps (text mode, overwrite, cursor on the first byte) | bytes saved, - for none
cases=(
  # Decode number: Enter, Esc, and Tab from the text box to OK.
  "41424142|menu t d; wait_active 'Decode number'; keys Return; wait_main; keys z ctrl+s|7a424142"
  "41424142|menu t d; wait_active 'Decode number'; keys Escape; wait_main; keys z ctrl+s|7a424142"
  "41424142|menu t d; wait_active 'Decode number'; keys Tab Return; wait_main; keys z ctrl+s|7a424142"
  # Encode integer: Enter writes (the cursor moves behind the bytes), Esc keeps the choices.
  "41424142|menu t e; wait_active 'Encode integer'; type_text 300; keys alt+s; settle; keys alt+o; settle; keys Return; wait_main; keys z ctrl+s|2c7a4142"
  "41424142|menu t e; wait_active 'Encode integer'; keys alt+w; settle; keys alt+h; settle; keys Escape; wait_main; quoxa_quit; expect_ini Options EncodeAs 2; expect_ini Options EncodeWhere 2|-"
  # Here shows the bytes and stays open; Esc then closes without writing.
  "41424142|menu t e; wait_active 'Encode integer'; type_text 1; keys alt+w; settle; keys alt+h; settle; keys Return; sleep 0.5; wait_active 'Encode integer'; keys Escape; wait_main; keys z ctrl+s|7a424142"
  # An error box, then the number edit has the focus again.
  "41424142|menu t e; wait_active 'Encode integer'; type_text abc; keys alt+l; settle; keys alt+o; settle; keys Return; wait_active Error; keys Return; wait_active 'Encode integer'; keys ctrl+a; type_text 66; keys Return; wait_main; keys ctrl+s|42000000"
  # Tab from the checked output radio goes to OK (the Here field is disabled), Enter presses it.
  "41424142|menu t e; wait_active 'Encode integer'; type_text 122; keys alt+b; settle; keys alt+o; settle; keys Tab Return; wait_main; keys z ctrl+s|7a7a4142"
  # Bit manipulation: an access key, Enter sets; Esc does not.
  "41424142|menu t b; wait_active 'Bit manipulation'; keys alt+7; settle; keys Return; wait_main; keys ctrl+s|c1424142"
  "41424142|menu t b; wait_active 'Bit manipulation'; keys alt+7; settle; keys Escape; wait_main; keys z ctrl+s|7a424142"
  # Tab runs over the eight bits to the buttons: Toggle all, then Set.
  "41424142|menu t b; wait_active 'Bit manipulation'; keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Return Tab Tab Return; wait_main; keys ctrl+s|be424142"
  # The patch: its message box, then the next shortcut.
  "41424142|menu t p; wait_active Information; keys Return; wait_main; keys z ctrl+s|7a424142"
  "4d5af7d0f7d2b937|menu t p; wait_active Information; keys Return; wait_main; keys z ctrl+s|7a5af7d0f7d2b97e"
)

for row in "${cases[@]}"; do
  IFS='|' read -r bytes steps expected <<<"$row"
  log "$steps"
  write_settings <<INI
[Options]
ModusText=1
Overwrite=1
INI
  doc=$(make_doc doc.bin "$bytes")
  quoxa_start "$doc"
  wait_until "the keyboard focus" main_focused
  eval "$steps"
  [ "$expected" = "-" ] || expect_bytes "$doc" "$expected"
  if quoxa_running; then quoxa_quit; fi
done
pass
