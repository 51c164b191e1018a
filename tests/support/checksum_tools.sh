#!/usr/bin/env bash
# The checksums of FILE as other programs compute them, one "key hex" line per algorithm key of
# quoxa --hash, in its order: coreutils, b2sum, xxhsum, crc32 and Python's builtin hash modules
# and crcmod (not hashlib, which is OpenSSL again).
set -euo pipefail

f=${1:?usage: $0 FILE}
py=/usr/bin/python3
for tool in md5sum sha1sum sha224sum sha256sum sha384sum sha512sum b2sum xxhsum crc32 "$py"; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/setup-deps.sh installs it" >&2; exit 1; }
done

declare -A value
while read -r alg hex; do value[$alg]=$hex; done < <("$py" - "$f" <<'PY'
import sys, zlib, _sha3, _blake2
import crcmod.predefined as crc
data = open(sys.argv[1], 'rb').read()
print('sha3-256', _sha3.sha3_256(data).hexdigest())
print('sha3-512', _sha3.sha3_512(data).hexdigest())
print('blake2s', _blake2.blake2s(data).hexdigest())
print('adler32', '%08x' % zlib.adler32(data))
for alg, name, digits in [('crc32c', 'crc-32c', 8), ('crc16-ccitt', 'kermit', 4),
                          ('crc16-ccitt-false', 'crc-ccitt-false', 4), ('crc16-modbus', 'modbus', 4),
                          ('crc8', 'crc-8', 2)]:
    print(alg, '%0*x' % (digits, crc.mkCrcFun(name)(data)))
PY
)
for alg in md5 sha1 sha224 sha256 sha384 sha512; do value[$alg]=$("${alg}sum" "$f" | cut -d' ' -f1); done
value[blake2b]=$(b2sum "$f" | cut -d' ' -f1)
value[crc32]=$(crc32 "$f")
value[xxh32]=$(xxhsum -H0 "$f" 2>/dev/null | cut -d' ' -f1)
value[xxh64]=$(xxhsum -H1 "$f" 2>/dev/null | cut -d' ' -f1)
value[xxh128]=$(xxhsum -H2 "$f" 2>/dev/null | cut -d' ' -f1)
# xxhsum prints XXH3 in the tagged form ("XXH3 (f) = hex") or with an "XXH3_" prefix.
value[xxh3]=$(xxhsum -H3 "$f" 2>/dev/null | grep -oE '[0-9a-f]{16}' | head -n 1)
for alg in md5 sha1 sha224 sha256 sha384 sha512 sha3-256 sha3-512 blake2b blake2s crc32 crc32c adler32 \
  crc16-ccitt crc16-ccitt-false crc16-modbus crc8 xxh32 xxh64 xxh3 xxh128; do
  [ -n "${value[$alg]:-}" ] || { echo "no value of $alg" >&2; exit 1; }
  echo "$alg ${value[$alg]}"
done
