#include "tools/Checksum.h"

#include <isa-l/crc.h>
#include <openssl/evp.h>
#include <xxhash.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>

#include "tools/TableCrc.h"

namespace quoxa {

namespace {

constexpr ChecksumInfo kAlgorithms[] = {
    {ChecksumKind::Md5, "MD5", "md5"},
    {ChecksumKind::Sha1, "SHA-1", "sha1"},
    {ChecksumKind::Sha224, "SHA-224", "sha224"},
    {ChecksumKind::Sha256, "SHA-256", "sha256"},
    {ChecksumKind::Sha384, "SHA-384", "sha384"},
    {ChecksumKind::Sha512, "SHA-512", "sha512"},
    {ChecksumKind::Sha3_256, "SHA3-256", "sha3-256"},
    {ChecksumKind::Sha3_512, "SHA3-512", "sha3-512"},
    {ChecksumKind::Blake2b512, "BLAKE2b-512", "blake2b"},
    {ChecksumKind::Blake2s256, "BLAKE2s-256", "blake2s"},
    {ChecksumKind::Crc32, "CRC-32", "crc32"},
    {ChecksumKind::Crc32c, "CRC-32C", "crc32c"},
    {ChecksumKind::Adler32, "Adler-32", "adler32"},
    {ChecksumKind::Crc16Ccitt, "CRC-16/CCITT", "crc16-ccitt"},
    {ChecksumKind::Crc16CcittFalse, "CRC-16/CCITT-FALSE", "crc16-ccitt-false"},
    {ChecksumKind::Crc16Modbus, "CRC-16/MODBUS", "crc16-modbus"},
    {ChecksumKind::Crc8, "CRC-8", "crc8"},
    {ChecksumKind::Xxh32, "XXH32", "xxh32"},
    {ChecksumKind::Xxh64, "XXH64", "xxh64"},
    {ChecksumKind::Xxh3_64, "XXH3-64", "xxh3"},
    {ChecksumKind::Xxh3_128, "XXH3-128", "xxh128"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

// The number as width / 4 hex digits, most significant first.
std::string NumberHex(uint64_t value, int width) {
  std::array<uint8_t, 8> bytes{};
  const int count = width / 8;
  for (int i = count - 1; i >= 0; --i, value >>= 8) bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(value);
  return LowerHex(bytes.data(), static_cast<size_t>(count));
}

class EvpHasher final : public THasher {
 public:
  EvpHasher(EVP_MD* md, EVP_MD_CTX* ctx) : md_(md), ctx_(ctx) {}
  ~EvpHasher() override {
    EVP_MD_CTX_free(ctx_);
    EVP_MD_free(md_);
  }
  EvpHasher(const EvpHasher&) = delete;
  EvpHasher& operator=(const EvpHasher&) = delete;

  static std::unique_ptr<THasher> Make(const char* name) {
    EVP_MD* md = EVP_MD_fetch(nullptr, name, nullptr);
    EVP_MD_CTX* ctx = md != nullptr ? EVP_MD_CTX_new() : nullptr;
    if (ctx == nullptr || EVP_DigestInit_ex2(ctx, md, nullptr) != 1) {
      EVP_MD_CTX_free(ctx);
      EVP_MD_free(md);
      return nullptr;
    }
    return std::make_unique<EvpHasher>(md, ctx);
  }

  void Update(const uint8_t* data, size_t size) override { EVP_DigestUpdate(ctx_, data, size); }
  std::string Finish() override {
    std::array<uint8_t, EVP_MAX_MD_SIZE> digest{};
    unsigned size = 0;
    EVP_DigestFinal_ex(ctx_, digest.data(), &size);
    return LowerHex(digest.data(), size);
  }

 private:
  EVP_MD* md_;
  EVP_MD_CTX* ctx_;
};

class ZlibCrc32 final : public THasher {
 public:
  void Update(const uint8_t* data, size_t size) override { crc_ = crc32_z(crc_, data, size); }
  std::string Finish() override { return NumberHex(crc_, 32); }

 private:
  uLong crc_ = crc32_z(0, nullptr, 0);
};

class ZlibAdler32 final : public THasher {
 public:
  void Update(const uint8_t* data, size_t size) override { sum_ = adler32_z(sum_, data, size); }
  std::string Finish() override { return NumberHex(sum_, 32); }

 private:
  uLong sum_ = adler32_z(0, nullptr, 0);
};

// ISA-L keeps the bare register: the standard value starts and ends inverted.
class IsalCrc32c final : public THasher {
 public:
  void Update(const uint8_t* data, size_t size) override {
    while (size > 0) {
      const int piece = static_cast<int>(std::min<size_t>(size, INT_MAX));
      crc_ = crc32_iscsi(const_cast<uint8_t*>(data), piece, crc_);
      data += piece;
      size -= static_cast<size_t>(piece);
    }
  }
  std::string Finish() override { return NumberHex(~crc_, 32); }

 private:
  uint32_t crc_ = 0xFFFFFFFFu;
};

class SmallCrc final : public THasher {
 public:
  explicit SmallCrc(const CrcModel& model) : crc_(model), width_(model.width) {}
  void Update(const uint8_t* data, size_t size) override { crc_.Update(data, size); }
  std::string Finish() override { return NumberHex(crc_.Value(), width_); }

 private:
  TableCrc crc_;
  int width_;
};

class Xxh32Hasher final : public THasher {
 public:
  Xxh32Hasher() : state_(XXH32_createState()) { XXH32_reset(state_, 0); }
  ~Xxh32Hasher() override { XXH32_freeState(state_); }
  Xxh32Hasher(const Xxh32Hasher&) = delete;
  Xxh32Hasher& operator=(const Xxh32Hasher&) = delete;
  void Update(const uint8_t* data, size_t size) override { XXH32_update(state_, data, size); }
  std::string Finish() override { return NumberHex(XXH32_digest(state_), 32); }

 private:
  XXH32_state_t* state_;
};

class Xxh64Hasher final : public THasher {
 public:
  Xxh64Hasher() : state_(XXH64_createState()) { XXH64_reset(state_, 0); }
  ~Xxh64Hasher() override { XXH64_freeState(state_); }
  Xxh64Hasher(const Xxh64Hasher&) = delete;
  Xxh64Hasher& operator=(const Xxh64Hasher&) = delete;
  void Update(const uint8_t* data, size_t size) override { XXH64_update(state_, data, size); }
  std::string Finish() override { return NumberHex(XXH64_digest(state_), 64); }

 private:
  XXH64_state_t* state_;
};

class Xxh3Hasher final : public THasher {
 public:
  explicit Xxh3Hasher(bool wide) : state_(XXH3_createState()), wide_(wide) {
    if (wide_) {
      XXH3_128bits_reset(state_);
    } else {
      XXH3_64bits_reset(state_);
    }
  }
  ~Xxh3Hasher() override { XXH3_freeState(state_); }
  Xxh3Hasher(const Xxh3Hasher&) = delete;
  Xxh3Hasher& operator=(const Xxh3Hasher&) = delete;
  void Update(const uint8_t* data, size_t size) override {
    if (wide_) {
      XXH3_128bits_update(state_, data, size);
    } else {
      XXH3_64bits_update(state_, data, size);
    }
  }
  std::string Finish() override {
    if (!wide_) return NumberHex(XXH3_64bits_digest(state_), 64);
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(state_));
    return LowerHex(canonical.digest, sizeof canonical.digest);
  }

 private:
  XXH3_state_t* state_;
  bool wide_;
};

}  // namespace

std::span<const ChecksumInfo> ChecksumAlgorithms() { return kAlgorithms; }

const ChecksumInfo& InfoOf(ChecksumKind kind) {
  return *std::ranges::find(kAlgorithms, kind, &ChecksumInfo::kind);
}

std::optional<ChecksumKind> FindChecksum(std::string_view name) {
  for (const ChecksumInfo& info : kAlgorithms) {
    if (SameIgnoringCase(name, info.key) || SameIgnoringCase(name, info.name)) return info.kind;
  }
  return std::nullopt;
}

std::string ChecksumKeyList() {
  std::string list;
  for (const ChecksumInfo& info : kAlgorithms) list += (list.empty() ? "" : ", ") + std::string(info.key);
  return list;
}

std::unique_ptr<THasher> MakeHasher(ChecksumKind kind) {
  switch (kind) {
    case ChecksumKind::Md5: return EvpHasher::Make("MD5");
    case ChecksumKind::Sha1: return EvpHasher::Make("SHA1");
    case ChecksumKind::Sha224: return EvpHasher::Make("SHA224");
    case ChecksumKind::Sha256: return EvpHasher::Make("SHA256");
    case ChecksumKind::Sha384: return EvpHasher::Make("SHA384");
    case ChecksumKind::Sha512: return EvpHasher::Make("SHA512");
    case ChecksumKind::Sha3_256: return EvpHasher::Make("SHA3-256");
    case ChecksumKind::Sha3_512: return EvpHasher::Make("SHA3-512");
    case ChecksumKind::Blake2b512: return EvpHasher::Make("BLAKE2B-512");
    case ChecksumKind::Blake2s256: return EvpHasher::Make("BLAKE2S-256");
    case ChecksumKind::Crc32: return std::make_unique<ZlibCrc32>();
    case ChecksumKind::Crc32c: return std::make_unique<IsalCrc32c>();
    case ChecksumKind::Adler32: return std::make_unique<ZlibAdler32>();
    case ChecksumKind::Crc16Ccitt: return std::make_unique<SmallCrc>(CrcModel{16, 0x1021, 0, true, 0});
    case ChecksumKind::Crc16CcittFalse: return std::make_unique<SmallCrc>(CrcModel{16, 0x1021, 0xFFFF, false, 0});
    case ChecksumKind::Crc16Modbus: return std::make_unique<SmallCrc>(CrcModel{16, 0x8005, 0xFFFF, true, 0});
    case ChecksumKind::Crc8: return std::make_unique<SmallCrc>(CrcModel{8, 0x07, 0, false, 0});
    case ChecksumKind::Xxh32: return std::make_unique<Xxh32Hasher>();
    case ChecksumKind::Xxh64: return std::make_unique<Xxh64Hasher>();
    case ChecksumKind::Xxh3_64: return std::make_unique<Xxh3Hasher>(false);
    case ChecksumKind::Xxh3_128: return std::make_unique<Xxh3Hasher>(true);
  }
  return nullptr;
}

std::string ChecksumOf(ChecksumKind kind, std::string_view bytes) {
  const std::unique_ptr<THasher> hasher = MakeHasher(kind);
  if (!hasher) return {};
  hasher->Update(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return hasher->Finish();
}

std::string NormalizedChecksumText(std::string_view text) {
  std::string plain;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    plain += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  if (plain.starts_with("0x")) plain.erase(0, 2);
  return plain;
}

int MatchingChecksum(std::span<const std::string> values, std::string_view expected) {
  const std::string wanted = NormalizedChecksumText(expected);
  if (wanted.empty()) return -1;
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i] == wanted) return static_cast<int>(i);
  }
  return -1;
}

std::string LowerHex(const uint8_t* bytes, size_t size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex(size * 2, '0');
  for (size_t i = 0; i < size; ++i) {
    hex[2 * i] = kDigits[bytes[i] >> 4];
    hex[2 * i + 1] = kDigits[bytes[i] & 0xF];
  }
  return hex;
}

}  // namespace quoxa
