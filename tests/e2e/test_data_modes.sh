#!/usr/bin/env bash
# quoxa --export and --import run as build scripts run them, without any display: random images
# go out and back through every format; srec_cat reads our Intel HEX and S-record files and we
# read its; the source and text formats match gcc, python3, xxd -p and base64; failures exit 1
# with their message and leave no OUT, usage errors exit 2; the settings file is never written.
set -euo pipefail

program=$1
for tool in srec_cat xxd base64 python3 cc; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/setup-deps.sh)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUOXA_INI=$work/quoxa.ini
cd "$work"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 120 "$program" "$@"; }

# expect STATUS STDERR(printf) ARGS...: the exit status and standard error of one run.
expect() {
  local status=$1 stderr=$2
  shift 2
  local got=0
  run "$@" >"$work/stdout" 2>"$work/stderr" || got=$?
  [ "$got" = "$status" ] || fail "$*: exit status $got, expected $status; stderr: $(cat "$work/stderr")"
  cmp -s "$work/stderr" <(printf "$stderr") || fail "$*: standard error was: $(cat -A "$work/stderr")"
}

for size in 0 1 15 16 17 65535 65537 1048576; do
  head -c "$size" /dev/urandom >img.bin
  for base in 0 0xFFF0 0x10000 0x08000000; do
    what="size $size base $base"
    for format in ihex srec; do
      [ $format = ihex ] && kind=-Intel || kind=-Motorola
      # Ours, read by srec_cat (which refuses a file without data).
      run --export $format --base=$base --record=32 img.bin ours.txt || fail "$what: export $format"
      if [ "$size" -gt 0 ]; then
        srec_cat ours.txt $kind -offset -$base -o back.bin -Binary 2>/dev/null || fail "$what: srec_cat refused our $format"
        cmp -s img.bin back.bin || fail "$what: srec_cat read other bytes from our $format"
      fi
      # srec_cat's, read by us; and ours read by us.
      srec_cat img.bin -Binary -offset $base -o theirs.txt $kind
      run --import $format theirs.txt back.bin || fail "$what: import of srec_cat's $format"
      cmp -s img.bin back.bin || fail "$what: other bytes from srec_cat's $format"
      run --import $format ours.txt back.bin || fail "$what: import of our $format"
      cmp -s img.bin back.bin || fail "$what: our $format did not read back"
    done
  done
  # Hex lines and Base64 are what xxd -p and base64 write, to a file and to standard output.
  run --export hex img.bin ours.txt && cmp -s ours.txt <(xxd -p img.bin) || fail "size $size: hex lines differ from xxd -p"
  run --export base64 img.bin | cmp -s - <(base64 img.bin) || fail "size $size: Base64 differs from base64"
  for format in hex base64; do
    run --export $format img.bin ours.txt && run --import $format ours.txt back.bin && cmp -s img.bin back.bin ||
      fail "size $size: $format did not read back"
  done
done

# The source formats compile and hold the bytes.
for size in 0 17 65537; do
  head -c "$size" /dev/urandom >img.bin
  run --export c --name=image --line=12 img.bin image.c || fail "c export of $size bytes"
  printf '#include <stdio.h>\n#include "image.c"\nint main(void) { fwrite(image, 1, image_len, stdout); return 0; }\n' >main.c
  cc -o main main.c && ./main >back.bin && cmp -s img.bin back.bin || fail "the C array of $size bytes"
  run --export python img.bin image.py || fail "python export of $size bytes"
  python3 -c 'import sys; exec(open("image.py").read()); sys.stdout.buffer.write(img_bin)' >back.bin
  cmp -s img.bin back.bin || fail "the Python bytes of $size bytes"
done

# Gaps take the fill byte; the image starts at the lowest address.
printf ':020010000102EB\n:020014000304E3\n:00000001FF\n' >gap.hex
run --import ihex --fill=0x00 gap.hex gap.bin && cmp -s gap.bin <(printf '\1\2\0\0\3\4') || fail "the gap was not filled"

# Failures: exit 1, the message, and no OUT (an existing OUT stays as it was).
printf ':020010000102EB\n:020014000304E4\n:00000001FF\n' >bad.hex
expect 1 'Error: line 2: checksum error: the record says E4, its bytes give E3\n' --import ihex bad.hex new.bin
[ ! -e new.bin ] || fail "a failed import left its OUT"
printf 'kept' >kept.bin
expect 1 'Error: line 2: checksum error: the record says E4, its bytes give E3\n' --import ihex bad.hex kept.bin
[ "$(cat kept.bin)" = kept ] || fail "a failed import changed its OUT"
printf 'AB' >two.bin
expect 1 'Error: The last byte would be at address 0x100000000:\nIntel HEX and S-record files end at 0xFFFFFFFF.\n' \
  --export ihex --base=0xFFFFFFFF two.bin out.hex
expect 1 'Error: Error reading\nmissing.bin\nError 2: File not found\n' --export srec missing.bin out.srec
[ ! -e out.hex ] && [ ! -e out.srec ] || fail "a failed export left its OUT"
printf '\n!' >bang.b64
expect 1 'Error: line 2: '"'"'!'"'"' is not a Base64 character\n' --import base64 bang.b64 out.bin
[ ! -e out.bin ] || fail "a failed import left its OUT"

# Usage errors: exit 2.
try='Try '"'"'quoxa --help'"'"' for more information.\n'
expect 2 "quoxa: unknown format 'elf'; use ihex, srec, c, python, base64 or hex\n$try" --export elf two.bin
expect 2 "quoxa: unknown format 'c'; use ihex, srec, base64 or hex\n$try" --import c two.bin out.bin
expect 2 "quoxa: usage: quoxa --import FORMAT [OPTION...] FILE OUT\n$try" --import ihex two.bin
expect 2 "quoxa: invalid option '--fill=1'\n$try" --export ihex --fill=1 two.bin
expect 2 "quoxa: invalid option '--record=20'\n$try" --export srec --record=20 two.bin
[ ! -e "$QUOXA_INI" ] || fail "a command-line mode wrote the settings file"

run --help | grep -q -- '--export FORMAT FILE \[OUT\]' || fail "--help does not tell --export"
run --help | grep -q -- '--import FORMAT FILE OUT' || fail "--help does not tell --import"
echo "ok"
