#!/usr/bin/env bash
# File > Compare with...: two files differing in three places and by one inserted stretch side
# by side; F6 and Shift+F6 go through the differences, Alt+Left copies the one at the cursor to
# the left file, which Ctrl+S saves; Esc gives the window back and the next shortcut works.
# Then the other side is an open tab chosen in a list, and a copy goes to the right.
source "$(dirname "$0")/lib.sh"
x11_start
write_settings <<INI
[Options]
ModusText=1
Overwrite=1
INI

# a: 4 KiB of seeded random bytes. b: a with 1 byte changed at 0x10, 2 at 0x200, 20 bytes
# inserted at 0x400 and 3 changed at 0x800 of a (0x814 of b). expected_*: a after the copies.
python3 - "$work" <<'PY'
import random, sys
work = sys.argv[1]
a = random.Random(26).randbytes(4096)
def changed(data, at, n):
    data = bytearray(data)
    for k in range(n):
        data[at + k] ^= 0x5A
    return bytes(data)
inserted = bytes(range(0xC0, 0xD4))
b = changed(changed(changed(a, 0x10, 1), 0x200, 2), 0x800, 3)
b = b[:0x400] + inserted + b[0x400:]
after_insert = a[:0x400] + inserted + a[0x400:]
after_last = changed(after_insert, 0x814, 3)
after_first = changed(after_last, 0x10, 1)
typed = after_first[:0x10] + b"z" + after_first[0x11:]
for name, data in (("a.bin", a), ("original", a), ("b.bin", b), ("expected_insert", after_insert),
                   ("expected_last", after_last), ("expected_first", after_first),
                   ("expected_typed", typed)):
    open(f"{work}/{name}", "wb").write(data)
PY
hex_of() { file_hex "$work/$1"; }

quoxa_start "$work/a.bin"
keys ctrl+shift+c
wait_active 'Compare with'
keys alt+n
type_text "$work/b.bin"
keys Return
wait_active '^QUOXA - a\.bin$'
settle
import -window root "$work/compare.png"
[ -n "${QUOXA_X11_ARTIFACTS:-}" ] && mkdir -p "$QUOXA_X11_ARTIFACTS" && cp "$work/compare.png" "$QUOXA_X11_ARTIFACTS/compare.png"
# Differences: 1 at 0x10, 2 at 0x200, 3 the inserted stretch, 4 at 0x800. F6 four times and
# Shift+F6 once stand on the inserted stretch.
keys F6 F6 F6 F6 shift+F6 alt+Left ctrl+s
expect_bytes "$work/a.bin" "$(hex_of expected_insert)"
# Undo takes the copy back in the left file, a copy again puts it there.
keys ctrl+z ctrl+s
expect_bytes "$work/a.bin" "$(hex_of original)"
keys alt+Left ctrl+s
expect_bytes "$work/a.bin" "$(hex_of expected_insert)"
# Now three differences are left; F6 goes from the copied place to the one at 0x800 (0x814).
keys F6 alt+Left ctrl+s
expect_bytes "$work/a.bin" "$(hex_of expected_last)"
# Shift+F6 twice: back past 0x200 to 0x10.
keys shift+F6 shift+F6 alt+Left ctrl+s
expect_bytes "$work/a.bin" "$(hex_of expected_first)"
# Esc closes the compare; the grid has the focus again, its cursor on the byte the compare
# cursor was on (0x10), and the next shortcut works.
keys Escape
wait_active '^QUOXA - a\.bin$'
keys z ctrl+s
expect_bytes "$work/a.bin" "$(hex_of expected_typed)"
quoxa_quit

# Starts the program on two files and opens the compare of the first with the other tab.
compare_tabs() {  # first second
  local title="^QUOXA - $(basename "$1" | sed 's/\./\\./g')\$"
  quoxa_launch "$1" "$2"
  wait_active "$title"
  keys ctrl+shift+c
  wait_active 'Compare with'
  keys Return
  wait_active "$title"
}

# The other open tab, chosen in the list; a byte missing on the right is copied there with
# Alt+Right, Tab puts the cursor on the right side, whose file Ctrl+S then saves.
c=$(make_doc c.bin 4142434445464748)
d=$(make_doc d.bin 41424344cc4647)
compare_tabs "$c" "$d"
keys F6 alt+Left ctrl+s
expect_bytes "$c" 41424344cc464748
keys F6 alt+Right Tab ctrl+s
expect_bytes "$d" 41424344cc464748
# The cursor stays on the copied byte, the right side's last: the grid's cursor is there too.
keys Escape
wait_active '^QUOXA - d\.bin$'
keys z ctrl+s
expect_bytes "$d" 41424344cc46477a
# Exit while a compare is shown: the documents' blocks go back before the view closes.
keys ctrl+shift+c
wait_active 'Compare with'
keys Return
wait_active '^QUOXA - d\.bin$'
quoxa_quit

# Typing in the view, hex mode: two digits on the right side change its byte at the cursor,
# which Ctrl+S saves; the view's shortcuts go on working after it.
write_settings <<INI
[Options]
ModusText=0
Overwrite=1
INI
e=$(make_doc e.bin 4142434445464748)
f=$(make_doc f.bin 4142434445464748)
compare_tabs "$e" "$f"
keys Tab Right
type_text 7a
wait_active '^QUOXA - f\.bin$'
keys ctrl+s
expect_bytes "$f" 417a434445464748
settle
import -window root "$work/compare-typed.png"
[ -n "${QUOXA_X11_ARTIFACTS:-}" ] && cp "$work/compare-typed.png" "$QUOXA_X11_ARTIFACTS/compare-typed.png"
# Back onto the typed byte, to the left side, and its copy goes there.
keys shift+F6 shift+Tab alt+Left ctrl+s
expect_bytes "$e" 417a434445464748
keys Escape
wait_active '^QUOXA - e\.bin$'
keys ctrl+Home Delete ctrl+s
expect_bytes "$e" 7a434445464748
quoxa_quit

# The window's commands act at the compare cursor: on the right side a block marked with
# Ctrl+B is copied, pasted two bytes on in insert mode, and Ctrl+S saves the right file; after
# Esc the grid's cursor is on the first pasted byte.
write_settings <<INI
[Options]
ModusText=0
Overwrite=0
INI
g=$(make_doc g.bin 4142434445464748)
h=$(make_doc h.bin 4142434445464748)
compare_tabs "$g" "$h"
keys Tab Right ctrl+b Right ctrl+b ctrl+c Right Right ctrl+v
wait_active '^QUOXA - h\.bin$'
keys ctrl+s
expect_bytes "$h" 41424344424345464748
expect_bytes "$g" 4142434445464748
settle
import -window root "$work/compare-paste.png"
[ -n "${QUOXA_X11_ARTIFACTS:-}" ] && cp "$work/compare-paste.png" "$QUOXA_X11_ARTIFACTS/"
keys Escape
wait_active '^QUOXA - h\.bin$'
type_text 7a
keys ctrl+s
expect_bytes "$h" 414243447a424345464748
quoxa_quit
pass
