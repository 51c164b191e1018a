#include "core/TextFormat.h"

#include <cstdio>

namespace quoxa {

namespace {
std::string groupSeparator = ",";
}

void SetThousandsSeparator(const std::string& separator) { groupSeparator = separator; }

const std::string& ThousandsSeparator() { return groupSeparator; }

std::string FormatThousands(int64_t value) {
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += groupSeparator;
    out += digits[i];
  }
  return negative ? "-" + out : out;
}

std::string FormatHex(int64_t value) {
  char text[24];
  // What fits 32 bits reads as it always did (-1 is FFFFFFFF); larger addresses take the digits they need.
  const bool fits32 = value >= INT32_MIN && value <= int64_t{UINT32_MAX};
  if (fits32) {
    std::snprintf(text, sizeof text, "%X", static_cast<uint32_t>(value));
  } else {
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(value));
  }
  return text;
}

std::string FormatMsg(const std::string& pattern, const std::string& placeholder, const std::string& value) {
  const size_t at = pattern.find(placeholder);
  if (at == std::string::npos) return pattern;
  std::string out = pattern;
  out.replace(at, placeholder.size(), value);
  return out;
}

std::string FormatMsgS(const std::string& pattern, const std::string& value) {
  return FormatMsg(pattern, "%s", value);
}

std::string FormatMsgN(const std::string& pattern, int64_t value) {
  return FormatMsg(pattern, "%.0n", FormatThousands(value));
}

std::string FormatMsgD(const std::string& pattern, int64_t value) {
  return FormatMsg(pattern, "%d", std::to_string(value));
}

std::string FileNameOnly(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TruncateUtf8(const std::string& text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace quoxa
