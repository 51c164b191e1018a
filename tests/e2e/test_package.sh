#!/usr/bin/env bash
# The Debian package made from this build (cpack on the built tree, no second compile):
# its files, its control fields with the dependencies dpkg-shlibdeps found for every
# library the program loads, a valid AppStream entry and desktop entry, no lintian
# errors, and its own copy of the program answering --version.
set -euo pipefail

program=$1
build=$(dirname "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-architecture objdump appstreamcli desktop-file-validate lintian; do
  command -v "$tool" > /dev/null || fail "$tool is missing (scripts/setup-deps.sh installs it)"
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single package: ${debs[*]}"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "quoxa_${version}_$arch.deb" ] || fail "the package is named $(basename "$deb")"
[ "$(field Package)" = quoxa ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
for name in Maintainer Section Priority Homepage Description; do
  [ -n "$(field "$name")" ] || fail "the control field $name is empty"
done

# Every file lies under /usr and belongs to root.
dpkg-deb -c "$deb" > "$work/contents"
awk '$2 != "root/root" || $6 !~ /^\.\/usr\// && $6 != "./"' "$work/contents" > "$work/stray"
[ ! -s "$work/stray" ] || fail "entries outside /usr or not owned by root: $(cat "$work/stray")"
awk '{print $6}' "$work/contents" > "$work/files"
expected=(usr/bin/quoxa usr/share/man/man1/quoxa.1.gz usr/share/doc/quoxa/help/t1.html
          usr/share/doc/quoxa/copyright usr/share/doc/quoxa/changelog.gz
          usr/share/applications/quoxa.desktop usr/share/metainfo/io.github.quoxa.QUOXA.metainfo.xml
          usr/share/icons/hicolor/scalable/apps/quoxa.svg)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/quoxa.png")
done
for file in "${expected[@]}"; do
  grep -qxF "./$file" "$work/files" || fail "the package lacks /$file"
done

root=$work/root
dpkg -x "$deb" "$root"

# Depends names the package of each library the program needs (the one of this
# architecture: libc6-i386 holds a libm.so.6 too), the Qt ones among them.
depends=$(field Depends)
tr ',|' '\n\n' <<< "$depends" | sed 's/^ *//; s/[ :].*//' > "$work/depends"
grep -q '^libqt6[a-z]*6$' "$work/depends" || fail "Depends names no Qt 6 library: $depends"
objdump -p "$root/usr/bin/quoxa" | awk '$1 == "NEEDED" {print $2}' > "$work/needed"
[ -s "$work/needed" ] || fail "the packaged program needs no shared library"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
while read -r soname; do
  owner=$(dpkg -S "*/$multiarch/$soname" 2> /dev/null | awk -F: '{print $1; exit}') || owner=""
  [ -n "$owner" ] || fail "no installed package holds $soname"
  grep -qxF "$owner" "$work/depends" || fail "Depends lacks $owner (for $soname): $depends"
done < "$work/needed"

appstream=$(appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.quoxa.QUOXA.metainfo.xml" 2>&1) ||
  fail "the AppStream entry is not valid: $appstream"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/io.github.quoxa.QUOXA.metainfo.xml" ||
  fail "the AppStream entry has no release $version"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' \
  "$root/usr/share/metainfo/io.github.quoxa.QUOXA.metainfo.xml")
[ -f "$root/usr/share/applications/$launchable" ] || fail "the AppStream entry launches '$launchable', not in the package"
entry=$(desktop-file-validate "$root/usr/share/applications/$launchable" 2>&1) ||
  fail "the desktop entry is not valid: $entry"

# lintian ends with 2 when it finds errors, with 1 when it cannot run.
status=0
lintian --fail-on error --tag-display-limit 0 "$deb" > "$work/lintian" 2>&1 || status=$?
[ "$status" != 1 ] || fail "lintian could not run: $(cat "$work/lintian")"
[ "$status" = 0 ] && ! grep -q '^E: ' "$work/lintian" || fail "lintian reports errors: $(cat "$work/lintian")"
grep -v '^running with root privileges' "$work/lintian" | sed 's/^/lintian: /' || true

# The unpacked copy finds its libraries on the system and names the package's version.
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/quoxa" --version) ||
  fail "the packaged program's --version ended with status $?"
[ "$answer" = "QUOXA $version" ] || fail "the packaged program printed '$answer' for version $version"
echo "Debian package $(basename "$deb"): all checks passed"
