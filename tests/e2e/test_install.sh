#!/usr/bin/env bash
# The installed program: cmake --install puts the executable, the help, a desktop
# entry and the hicolor icons in place; the entry is valid and its Exec line starts
# the program on a file; --help and --version answer without a window.
set -euo pipefail

program=$1
build=$(dirname "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" > "$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"

for file in bin/quoxa share/man/man1/quoxa.1 share/doc/quoxa/help/t1.html share/applications/quoxa.desktop \
            share/metainfo/io.github.quoxa.QUOXA.metainfo.xml \
            share/icons/hicolor/scalable/apps/quoxa.svg; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/quoxa" ] || fail "the installed program is not executable"

# Each PNG has the size of its folder (width and height from the PNG header).
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/quoxa.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  width=$(( (w1 << 24) | (w2 << 16) | (w3 << 8) | w4 ))
  height=$(( (h1 << 24) | (h2 << 16) | (h3 << 8) | h4 ))
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
done

entry=$prefix/share/applications/quoxa.desktop
command -v desktop-file-validate > /dev/null || fail "desktop-file-validate is missing (scripts/setup-deps.sh installs it)"
report=$(desktop-file-validate "$entry" 2>&1) || fail "the desktop entry is not valid: $report"
[ -z "$report" ] || fail "desktop-file-validate has remarks: $report"
for line in "Icon=quoxa" "MimeType=application/octet-stream;" "Type=Application"; do
  grep -qxF "$line" "$entry" || fail "the desktop entry lacks $line"
done
grep -q '^Categories=.' "$entry" || fail "the desktop entry has no Categories"

# Without any display: a window would fail to open, so a clean answer proves there is none.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
help=$("${no_display[@]}" "$prefix/bin/quoxa" --help) || fail "--help ended with status $?"
[ "$(head -n1 <<< "$help")" = "Usage: quoxa [--new-window] [FILE...]" ] || fail "--help printed: $help"
grep -q -- "--version" <<< "$help" || fail "--help does not mention --version"
version=$("${no_display[@]}" "$prefix/bin/quoxa" --version) || fail "--version ended with status $?"
[[ "$version" =~ ^QUOXA\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed: $version"

# The entry's Exec line, as a file manager runs it with a file for %f.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
document="$work/some file.bin"
printf 'hello' > "$document"
read -r -a words <<< "${exec_line//%f/}"
export QUOXA_INI=$work/quoxa.ini
PATH=$prefix/bin:$PATH "${words[@]}" "$document" 2> "$work/stderr" &
pid=$!
sleep 3
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
# Ended by the signal: 128 + SIGTERM.
[ "$status" -eq 143 ] || fail "the program started from the desktop entry ended with status $status, not 143 ($(cat "$work/stderr"))"
grep -qxF "0=$document" "$QUOXA_INI" || fail "the file passed by the desktop entry was not opened: $(cat "$QUOXA_INI")"
echo "installed program: all checks passed"
