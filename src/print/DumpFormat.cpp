#include "print/DumpFormat.h"

#include <cstdio>

namespace quoxa {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
// The offset's digits: "%9.9x" or "%9.9d" give nine at least.
constexpr int kOffsetDigits = 9;

}  // namespace

std::string DumpRuler(int32_t bytesPerRow, bool decimal) {
  std::string ruler = decimal ? "Offset dec. " : "Offset hex. ";
  char cell[16];
  for (int32_t i = 0; i < bytesPerRow; ++i) {
    std::snprintf(cell, sizeof cell, decimal ? "%2.2d " : "%2.2X ", static_cast<unsigned>(i));
    ruler += cell;
  }
  return ruler;
}

int32_t DumpOffsetChars(int64_t lastOffset, bool decimal) {
  int32_t digits = 1;
  for (uint64_t value = static_cast<uint64_t>(lastOffset < 0 ? 0 : lastOffset); value >= (decimal ? 10u : 16u);
       value /= decimal ? 10u : 16u) {
    ++digits;
  }
  return kDumpOffsetChars + (digits > kOffsetDigits ? digits - kOffsetDigits : 0);
}

int64_t DumpLineChars(const DumpOptions& options) {
  const int64_t n = options.bytesPerRow;
  return kDumpOffsetChars + (options.textBelow ? 3 * n : 4 * n);
}

uint8_t DumpVisibleChar(uint8_t byte) {
  // Control codes, DEL and the five bytes the code page leaves unassigned have no glyph; as
  // text they would reach a terminal as control characters.
  switch (byte) {
    case 0x7F:
    case 0x81:
    case 0x8D:
    case 0x8F:
    case 0x90:
    case 0x9D: return 0;
    default: return byte >= 32 ? byte : 0;
  }
}

TDumpRows::TDumpRows(const DumpOptions& options)
    : options_(options), ruler_(DumpRuler(options.bytesPerRow, options.decimalOffsets)) {
  for (int b = 0; b < 256; ++b) {
    hexPairs_[static_cast<size_t>(2 * b)] = kHexDigits[b >> 4];
    hexPairs_[static_cast<size_t>(2 * b + 1)] = kHexDigits[b & 15];
  }
}

void TDumpRows::PutOffset(int64_t offset, std::string& line) const {
  // Digits from the last: shifts for hex, a constant divisor for decimal (no division by a
  // variable base for each digit of millions of rows).
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  uint64_t value = static_cast<uint64_t>(offset < 0 ? 0 : offset);
  if (options_.decimalOffsets) {
    do {
      *--p = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
  } else {
    do {
      *--p = kHexDigits[value & 15];
      value >>= 4;
    } while (value != 0);
  }
  while (end - p < kOffsetDigits) *--p = '0';
  line.assign(p, end);
  line += ":  ";
}

void TDumpRows::Format(int64_t offset, const uint8_t* data, int64_t count, std::string& first,
                       std::string& second) const {
  const size_t n = static_cast<size_t>(options_.bytesPerRow);
  const size_t used = count < 0 ? 0 : static_cast<size_t>(count) < n ? static_cast<size_t>(count) : n;
  PutOffset(offset, first);
  const size_t hexAt = first.size();
  // A short last row keeps its columns: the hex part is always 3 x N characters.
  first.resize(hexAt + 3 * n + (options_.textBelow ? 0 : used), ' ');
  char* hex = first.data() + hexAt;
  for (size_t i = 0; i < used; ++i) {
    hex[3 * i] = hexPairs_[2 * size_t{data[i]}];
    hex[3 * i + 1] = hexPairs_[2 * size_t{data[i]} + 1];
  }
  if (!options_.textBelow) {
    char* text = hex + 3 * n;
    for (size_t i = 0; i < used; ++i) {
      const uint8_t c = DumpVisibleChar(data[i]);
      text[i] = static_cast<char>(c != 0 ? c : '.');
    }
    second.clear();
    return;
  }
  // Blanks under the offset but one, then each character under the second digit of its hex byte.
  second.assign(hexAt - 1 + 3 * used, ' ');
  char* below = second.data() + hexAt - 1;
  for (size_t i = 0; i < used; ++i) {
    const uint8_t c = DumpVisibleChar(data[i]);
    below[3 * i + 2] = static_cast<char>(c != 0 ? c : ' ');
  }
}

}  // namespace quoxa
