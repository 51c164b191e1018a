#include "widgets/IntegerText.h"

#include <limits>

namespace quoxa {

std::optional<int64_t> TextToInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  // One past the largest magnitude, so that the smallest value still fits.
  constexpr uint64_t kLimit = uint64_t{std::numeric_limits<int64_t>::max()} + 1;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0) return std::nullopt;
    if (value > (kLimit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base)) return std::nullopt;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
  }
  if (negative) return value == kLimit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(value);
  if (value == kLimit) return std::nullopt;
  return static_cast<int64_t>(value);
}

}  // namespace quoxa
