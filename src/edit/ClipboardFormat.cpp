#include "edit/ClipboardFormat.h"

#include "core/CodePage.h"

namespace quoxa {

std::string EncodePrivate(const uint8_t* bytes, size_t n) {
  const auto length = static_cast<uint32_t>(n);
  const char header[kPrivateHeaderSize] = {static_cast<char>(length), static_cast<char>(length >> 8),
                                           static_cast<char>(length >> 16), static_cast<char>(length >> 24)};
  std::string data;
  data.reserve(kPrivateHeaderSize + n);
  data.append(header, kPrivateHeaderSize);
  data.append(reinterpret_cast<const char*>(bytes), n);
  return data;
}

bool DecodePrivate(std::string& data) {
  if (data.size() < kPrivateHeaderSize) return false;
  const auto* header = reinterpret_cast<const unsigned char*>(data.data());
  const uint64_t length = header[0] | (uint32_t{header[1]} << 8) | (uint32_t{header[2]} << 16) |
                          (uint32_t{header[3]} << 24);
  if (length > data.size() - kPrivateHeaderSize) return false;
  data.erase(0, kPrivateHeaderSize);
  data.resize(static_cast<size_t>(length));
  return true;
}

std::string ClipboardTextBytes(const std::string& utf8) {
  const size_t end = utf8.find('\0');
  return Utf8ToBytes(end == std::string::npos ? utf8 : utf8.substr(0, end));
}

}  // namespace quoxa
