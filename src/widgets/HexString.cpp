#include "widgets/HexString.h"

#include "core/MessageTexts.h"

namespace quoxa {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

bool IsHexDigit(char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}

}  // namespace

std::string HexByte(uint8_t byte) { return {kDigits[byte >> 4], kDigits[byte & 0x0F]}; }

std::string BytesToHexString(std::string_view bytes, bool separated) {
  std::string text;
  if (bytes.empty()) return text;
  text.reserve(bytes.size() * (separated ? 3 : 2));
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (separated && i > 0) text += ' ';
    text += HexByte(static_cast<uint8_t>(bytes[i]));
  }
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
