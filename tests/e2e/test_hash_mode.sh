#!/usr/bin/env bash
# quoxa --hash against other programs (tests/support/checksum_tools.sh) on random files of 0, 1,
# 63, 64, 65 bytes and 10 MiB; the coreutils line format (sha256sum -c accepts it, odd names
# escaped alike); the exit statuses; and neither a display nor a settings file is needed or
# written.
set -euo pipefail

program=$1
tools=$(cd "$(dirname "$0")/../support" && pwd)/checksum_tools.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# No display, no platform, a settings file that must stay unwritten.
quoxa_hash() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QUOXA_INI="$work/settings/quoxa.ini" \
    "$program" --hash "$@"
}

algs=(md5 sha1 sha224 sha256 sha384 sha512 sha3-256 sha3-512 blake2b blake2s crc32 crc32c adler32 crc16-ccitt
  crc16-ccitt-false crc16-modbus crc8 xxh32 xxh64 xxh3 xxh128)

# "hex  file" lines of the other programs for one file, in the order of algs.
reference() {  # file
  "$tools" "$1" | while read -r _ hex; do echo "$hex  $1"; done
}

cd "$work"
all=$(IFS=,; echo "${algs[*]}")
for size in 0 1 63 64 65 10485760; do
  head -c "$size" /dev/urandom >"f$size"
  got=$(quoxa_hash "$all" "f$size") || fail "f$size: exit status $?"
  expected=$(reference "f$size") || fail "f$size: no reference values"
  [ "$got" = "$expected" ] || fail "f$size: $(diff <(echo "$expected") <(echo "$got") || true)"
done

# One algorithm: exactly what sha256sum prints, odd names and standard input included.
odd=$'we\\ird\nna\rme'
cp f65 "$odd"
quoxa_hash sha256 f1 "$odd" f64 >list || fail "sha256 list: exit status $?"
cmp -s list <(sha256sum f1 "$odd" f64) || fail "not sha256sum's lines: $(cat -A list)"
sha256sum --quiet -c list || fail "sha256sum -c refuses the list"
[ "$(quoxa_hash SHA256 - <f63)" = "$(sha256sum - <f63)" ] || fail "standard input"

# status | stdout | stderr | arguments
cases=(
  "1|$(md5sum f1)
$(md5sum f63)|quoxa: missing: No such file or directory
quoxa: .: Is a directory|md5 f1 missing . f63"
  "2||quoxa: unknown algorithm 'nope'
Known algorithms: ${all//,/, }|sha256,nope f1"
  "2||quoxa: unknown algorithm ''
Known algorithms: ${all//,/, }|md5, f1"
  "2||Usage: quoxa --hash ALG[,ALG...] FILE...|sha256"
  "2||Usage: quoxa --hash ALG[,ALG...] FILE...|"
)
for row in "${cases[@]}"; do
  IFS='|' read -r -d '' status out err args <<<"$row" || true
  args=${args%$'\n'}
  status_got=0
  # shellcheck disable=SC2086
  quoxa_hash $args >stdout 2>stderr || status_got=$?
  [ "$status_got" = "$status" ] || fail "$args: exit status $status_got, expected $status"
  [ "$(cat stdout)" = "$out" ] || fail "$args: printed $(cat -A stdout)"
  [ "$(cat stderr)" = "$err" ] || fail "$args: said $(cat -A stderr)"
done

# A digest the crypto library refuses (a FIPS policy without its provider): each file says so,
# the others' algorithms are still done.
printf 'openssl_conf = init\n[init]\nalg_section = evp\n[evp]\ndefault_properties = fips=yes\n' >fips.cnf
status_got=0
OPENSSL_CONF=$work/fips.cnf quoxa_hash md5 f1 >stdout 2>stderr || status_got=$?
[ "$status_got" = 1 ] || fail "refused md5: exit status $status_got"
[ "$(cat stderr)" = "quoxa: f1: MD5 is not available: the system's crypto library refuses it" ] ||
  fail "refused md5: said $(cat -A stderr)"
[ ! -s stdout ] || fail "refused md5: printed $(cat -A stdout)"
[ "$(OPENSSL_CONF=$work/fips.cnf quoxa_hash crc32 f1)" = "$(crc32 f1)  f1" ] || fail "crc32 under the policy"

# A full disk is a failure of the work.
status_got=0
quoxa_hash md5 f1 >/dev/full 2>stderr || status_got=$?
[ "$status_got" = 1 ] && grep -q '^quoxa: write error' stderr || fail "/dev/full: status $status_got, $(cat stderr)"

[ ! -e "$work/settings" ] || fail "the settings were written"
echo "ok"
