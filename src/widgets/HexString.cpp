#include "widgets/HexString.h"

#include <array>
#include <cstring>

#include "core/MessageTexts.h"

namespace quoxa {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

constexpr bool IsHexDigit(char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}

// "XY " and a spare byte per value, so that a triple is one four-byte store.
constexpr auto kTriples = [] {
  std::array<std::array<char, 4>, 256> table{};
  for (size_t i = 0; i < table.size(); ++i) table[i] = {kDigits[i >> 4], kDigits[i & 0x0F], ' ', ' '};
  return table;
}();

// The value of a hex digit, -1 for any other character.
constexpr auto kDigitValues = [] {
  std::array<int8_t, 256> table{};
  for (size_t i = 0; i < table.size(); ++i) {
    const char ch = static_cast<char>(i);
    table[i] = IsHexDigit(ch) ? static_cast<int8_t>(ch <= '9' ? ch - '0' : (ch | 0x20) - 'a' + 10) : int8_t{-1};
  }
  return table;
}();

}  // namespace

std::string HexByte(uint8_t byte) { return {kDigits[byte >> 4], kDigits[byte & 0x0F]}; }

void WriteHexTriples(const uint8_t* bytes, size_t n, char* out) {
  if (n == 0) return;
  // Each store also writes the spare byte, which the next triple overwrites.
  for (size_t i = 0; i + 1 < n; ++i) std::memcpy(out + 3 * i, kTriples[bytes[i]].data(), 4);
  std::memcpy(out + 3 * (n - 1), kTriples[bytes[n - 1]].data(), 3);
}

bool ParseSeparatedHex(std::string_view text, std::string& bytes) {
  if ((text.size() + 1) % 3 != 0) return false;
  const size_t n = (text.size() + 1) / 3;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  bytes.resize(n);
  // Faults are gathered rather than branched on: a valid text is the common case.
  int digits = 0;
  int blanks = 0;
  for (size_t i = 0; i < n; ++i) {
    const int hi = kDigitValues[s[3 * i]];
    const int lo = kDigitValues[s[3 * i + 1]];
    digits |= hi | lo;
    bytes[i] = static_cast<char>((static_cast<unsigned>(hi) << 4) | static_cast<unsigned>(lo));
  }
  for (size_t i = 2; i < text.size(); i += 3) blanks |= s[i] ^ ' ';
  return digits >= 0 && blanks == 0;
}

std::string BytesToHexString(std::string_view bytes, bool separated) {
  std::string text;
  if (bytes.empty()) return text;
  if (separated) {
    text.resize(3 * bytes.size());
    WriteHexTriples(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text.data());
    text.pop_back();
    return text;
  }
  text.reserve(bytes.size() * 2);
  for (char byte : bytes) text += HexByte(static_cast<uint8_t>(byte));
  return text;
}

bool IsHexString(std::string_view text, bool separated) {
  if (separated) {
    if ((text.size() + 1) % 3 != 0) return false;
    for (size_t i = 0; i < text.size(); ++i) {
      const bool blankAllowed = (i + 1) % 3 == 0;
      if (!IsHexDigit(text[i]) && !(blankAllowed && text[i] == ' ')) return false;
    }
    return true;
  }
  if (text.size() % 2 != 0) return false;
  for (char ch : text) {
    if (!IsHexDigit(ch)) return false;
  }
  return true;
}

std::string HexStringToBytes(std::string_view text, bool separated) {
  std::string bytes;
  const size_t step = separated ? 3 : 2;
  for (size_t i = 0; i + 2 <= text.size(); i += step) {
    bytes += static_cast<char>(HexDigitValue(text[i]) * 16 + HexDigitValue(text[i + 1]));
    if (separated && i + 2 < text.size() && text[i + 2] != ' ') throw ConvertError(msg::kHexStringInvalid);
  }
  return bytes;
}

int HexDigitValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  throw ConvertError(kNotAHexChar);
}

int64_t HexToInt(std::string_view text) {
  int64_t value = 0;
  for (char ch : text) {
    const int digit = HexDigitValue(ch);
    if (value > (INT64_MAX >> 4)) throw ConvertError(kHexNumberTooLarge);
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace quoxa
