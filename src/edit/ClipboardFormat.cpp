#include "edit/ClipboardFormat.h"

#include "core/CodePage.h"

namespace quoxa {

std::array<char, kPrivateHeaderSize> PrivateHeader(size_t n) {
  const auto length = static_cast<uint32_t>(n);
  return {static_cast<char>(length), static_cast<char>(length >> 8),
          static_cast<char>(length >> 16), static_cast<char>(length >> 24)};
}

std::string EncodePrivate(const uint8_t* bytes, size_t n) {
  const auto header = PrivateHeader(n);
  std::string data;
  data.reserve(kPrivateHeaderSize + n);
  data.append(header.data(), header.size());
  data.append(reinterpret_cast<const char*>(bytes), n);
  return data;
}

bool DecodePrivate(std::string_view data, std::string_view& bytes) {
  if (data.size() < kPrivateHeaderSize) return false;
  const auto* header = reinterpret_cast<const unsigned char*>(data.data());
  const uint64_t length = header[0] | (uint32_t{header[1]} << 8) | (uint32_t{header[2]} << 16) |
                          (uint32_t{header[3]} << 24);
  if (length > data.size() - kPrivateHeaderSize) return false;
  bytes = data.substr(kPrivateHeaderSize, static_cast<size_t>(length));
  return true;
}

bool DecodePrivate(std::string& data) {
  std::string_view bytes;
  if (!DecodePrivate(data, bytes)) return false;
  data = std::string(bytes);
  return true;
}

std::string_view EightBitTextBytes(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::string UnicodeTextBytes(std::string_view utf8, int64_t& missing) {
  return Utf8ToBytes(utf8.substr(0, utf8.find('\0')), &missing);
}

}  // namespace quoxa
