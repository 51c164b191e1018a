#pragma once
// Checksums and digests of byte streams: one table of the algorithms with their names, and a
// streaming hasher for each, backed by OpenSSL, zlib, ISA-L and xxHash (the CRC-16 and CRC-8
// variants, which none of them offers, by the small table-driven TableCrc).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quoxa {

enum class ChecksumKind {
  Md5, Sha1, Sha224, Sha256, Sha384, Sha512, Sha3_256, Sha3_512, Blake2b512, Blake2s256,
  Crc32, Crc32c, Adler32, Crc16Ccitt, Crc16CcittFalse, Crc16Modbus, Crc8,
  Xxh32, Xxh64, Xxh3_64, Xxh3_128,
};

struct ChecksumInfo {
  ChecksumKind kind;
  const char* name;  // shown in the dialog
  const char* key;   // typed on the command line and kept in the settings file
};

// Every algorithm, in the order the dialog and the command line list them.
std::span<const ChecksumInfo> ChecksumAlgorithms();
const ChecksumInfo& InfoOf(ChecksumKind kind);

// The algorithm with this key or name, ignoring case.
std::optional<ChecksumKind> FindChecksum(std::string_view name);

// The keys of every algorithm, separated by ", ".
std::string ChecksumKeyList();

class THasher {
 public:
  virtual ~THasher() = default;
  virtual void Update(const uint8_t* data, size_t size) = 0;
  // The value in lower-case hex: a digest's bytes in order, a checksum's number most
  // significant digit first (as the command-line tools print them). Called once, at the end.
  virtual std::string Finish() = 0;
};

// nullptr when the library refuses the algorithm (a crypto policy may forbid MD5, say).
std::unique_ptr<THasher> MakeHasher(ChecksumKind kind);

// The value of bytes in one piece.
std::string ChecksumOf(ChecksumKind kind, std::string_view bytes);

// An expected value as it is compared: blanks dropped, lower case, without a leading "0x".
std::string NormalizedChecksumText(std::string_view text);
// Index of the value the expected text names, -1 for none or an empty text.
int MatchingChecksum(std::span<const std::string> values, std::string_view expected);

// bytes as lower-case hex digits.
std::string LowerHex(const uint8_t* bytes, size_t size);

}  // namespace quoxa
