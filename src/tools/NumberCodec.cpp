#include "tools/NumberCodec.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/TextFormat.h"
#include "tools/ToolTexts.h"
#include "widgets/HexString.h"

namespace quoxa {

namespace {

// The magnitudes the float types take; beyond them the conversion fails.
constexpr long double kSingleMax = 3.4e38L;
constexpr long double kSingleMin = 1.5e-45L;
constexpr long double kDoubleMax = 1.7e308L;
constexpr long double kDoubleMin = 5e-324L;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

template <typename T>
bool ParseAll(std::string_view text, T& value, int base = 10) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  return ec == std::errc() && ptr == end;
}

// A decimal number with optional sign, fraction and exponent, rewritten with "." and "e".
struct FloatText {
  std::string ascii;
  bool zero = true;        // every digit is 0
  int64_t magnitude = 0;   // decimal exponent of the leading digit (approximate, saturated)
};

std::optional<FloatText> ReadFloatText(std::string_view text, char separator) {
  text = Trim(text);
  FloatText out;
  size_t i = 0;
  const size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') out.ascii += '-';
    ++i;
  }
  int64_t digits = 0;
  int64_t lead = 0;  // position of the first non-zero digit relative to the point
  bool seenNonZero = false;
  int64_t intDigits = 0;
  while (i < n && IsDigit(text[i])) {
    if (text[i] != '0' && !seenNonZero) seenNonZero = true;
    if (seenNonZero) ++intDigits;
    out.ascii += text[i++];
    ++digits;
  }
  if (seenNonZero) lead = intDigits - 1;
  if (i < n && text[i] == separator) {
    out.ascii += '.';
    ++i;
    int64_t place = 0;
    while (i < n && IsDigit(text[i])) {
      --place;
      if (text[i] != '0' && !seenNonZero) {
        seenNonZero = true;
        lead = place;
      }
      out.ascii += text[i++];
      ++digits;
    }
  }
  if (digits == 0) return std::nullopt;
  int64_t exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    out.ascii += 'e';
    ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      negative = text[i] == '-';
      out.ascii += text[i++];
    }
    if (i == n || !IsDigit(text[i])) return std::nullopt;
    while (i < n && IsDigit(text[i])) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
      out.ascii += text[i++];
    }
    if (negative) exponent = -exponent;
  }
  if (i != n) return std::nullopt;
  out.zero = !seenNonZero;
  out.magnitude = lead + exponent;
  return out;
}

std::string LittleEndianBytes(uint64_t value, int size, bool bigEndian) {
  std::string bytes(static_cast<size_t>(size), '\0');
  for (int i = 0; i < size; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  if (bigEndian) return {bytes.rbegin(), bytes.rend()};
  return bytes;
}

EncodeResult Failure(std::string error) { return {{}, std::move(error)}; }

EncodeResult EncodeInteger(std::string_view text, NumberType type, bool bigEndian) {
  const std::optional<int32_t> value = ParseInteger(text);
  if (!value) return Failure(FormatMsgS(msg::kNotAnInteger, std::string(text)));
  int64_t low = std::numeric_limits<int32_t>::min();
  int64_t high = std::numeric_limits<int32_t>::max();
  switch (type) {
    case NumberType::ShortInt:
    case NumberType::Integer: low = -32768, high = 32767; break;
    case NumberType::Byte: low = 0, high = 255; break;
    case NumberType::Word: low = 0, high = 65535; break;
    default: break;
  }
  if (*value < low || *value > high) return Failure(msg::kRangeCheckError);
  return {LittleEndianBytes(static_cast<uint32_t>(*value), NumberSize(type), bigEndian), {}};
}

EncodeResult EncodeFloat(std::string_view text, NumberType type, bool bigEndian, char separator) {
  const std::optional<FloatText> read = ReadFloatText(text, separator);
  if (!read) return Failure(FormatMsgS(msg::kNotAFloat, std::string(text)));
  const bool single = type == NumberType::Single;
  const char* first = read->ascii.data();
  const char* last = first + read->ascii.size();
  long double wide = 0;
  if (std::from_chars(first, last, wide).ec != std::errc()) {
    // Beyond even the widest type: the exponent tells which way.
    return Failure(read->magnitude > 0 ? msg::kFloatOverflow : msg::kFloatUnderflow);
  }
  const long double magnitude = std::fabs(wide);
  if (magnitude > (single ? kSingleMax : kDoubleMax)) return Failure(msg::kFloatOverflow);
  if (!read->zero && magnitude < (single ? kSingleMin : kDoubleMin)) return Failure(msg::kFloatUnderflow);
  if (single) {
    // Rounded once, from the digits, to the nearest single.
    float value = 0;
    if (std::from_chars(first, last, value).ec != std::errc()) value = static_cast<float>(wide);
    return {LittleEndianBytes(std::bit_cast<uint32_t>(value), 4, bigEndian), {}};
  }
  double value = 0;
  if (std::from_chars(first, last, value).ec != std::errc()) value = static_cast<double>(wide);
  return {LittleEndianBytes(std::bit_cast<uint64_t>(value), 8, bigEndian), {}};
}

}  // namespace

int NumberSize(NumberType type) {
  switch (type) {
    case NumberType::ShortInt:
    case NumberType::Byte: return 1;
    case NumberType::Word:
    case NumberType::Integer: return 2;
    case NumberType::LongInt:
    case NumberType::Single: return 4;
    case NumberType::Double: return 8;
  }
  return 1;
}

const char* ByteOrderText(bool bigEndian) { return bigEndian ? msg::kByteOrderBig : msg::kByteOrderLittle; }

std::optional<int32_t> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '$') {
    uint64_t value = 0;
    if (!ParseAll(text.substr(1), value, 16) || value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(value));
  }
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  uint64_t magnitude = 0;
  if (text.empty() || !IsDigit(text.front()) || !ParseAll(text, magnitude)) return std::nullopt;
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  if (magnitude > limit) return std::nullopt;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
}

std::optional<WideInteger> ParseWideInteger(std::string_view text) {
  text = Trim(text);
  WideInteger value;
  if (!text.empty() && text.front() == '$') {
    value.hex = true;
    text.remove_prefix(1);
    if (text.empty() || text.size() > 16 || !ParseAll(text, value.magnitude, 16)) return std::nullopt;
    return value;
  }
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    value.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || !IsDigit(text.front()) || !ParseAll(text, value.magnitude)) return std::nullopt;
  return value;
}

EncodeResult EncodeNumber(std::string_view text, NumberType type, bool bigEndian, char separator) {
  if (type == NumberType::Single || type == NumberType::Double) return EncodeFloat(text, type, bigEndian, separator);
  return EncodeInteger(text, type, bigEndian);
}

uint64_t AssembleBytes(std::string_view bytes, size_t n, bool bigEndian) {
  n = std::min({n, bytes.size(), size_t{8}});
  uint64_t value = 0;
  for (size_t i = 0; i < n; ++i) {
    const auto byte = static_cast<uint64_t>(static_cast<uint8_t>(bytes[bigEndian ? i : n - 1 - i]));
    value = (value << 8) | byte;
  }
  return value;
}

float DecodeSingle(std::string_view bytes, bool bigEndian) {
  return std::bit_cast<float>(static_cast<uint32_t>(AssembleBytes(bytes, 4, bigEndian)));
}

double DecodeDouble(std::string_view bytes, bool bigEndian) {
  return std::bit_cast<double>(AssembleBytes(bytes, 8, bigEndian));
}

double HalfToDouble(uint16_t half) {
  const int exponent = (half >> 10) & 0x1F;
  const int fraction = half & 0x3FF;
  double magnitude = 0;
  if (exponent == 0) {
    magnitude = std::ldexp(fraction, -24);
  } else if (exponent == 0x1F) {
    magnitude = fraction != 0 ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
  } else {
    magnitude = std::ldexp(fraction + 0x400, exponent - 25);
  }
  return (half & 0x8000) != 0 ? -magnitude : magnitude;
}

uint16_t HalfFromDouble(double value) {
  const uint16_t sign = std::signbit(value) ? 0x8000 : 0;
  if (std::isnan(value)) return static_cast<uint16_t>(sign | 0x7E00);
  const double magnitude = std::fabs(value);
  // 65520 lies halfway between the largest half, 65504, and the next step: it rounds up.
  if (magnitude >= 65520.0) return static_cast<uint16_t>(sign | 0x7C00);
  if (magnitude < std::ldexp(1.0, -14)) {
    // Subnormal: whole steps of 2^-24, rounded to even; the top one is the smallest normal.
    return static_cast<uint16_t>(sign | static_cast<uint16_t>(std::nearbyint(std::ldexp(magnitude, 24))));
  }
  int exponent = 0;
  const double mantissa = std::frexp(magnitude, &exponent);  // in [0.5, 1)
  // 11 significant bits: the scaled value is exact in a double, only the rounding is left.
  auto bits = static_cast<uint32_t>(std::nearbyint(std::ldexp(mantissa, 11)));
  if (bits == 0x800) {
    bits = 0x400;
    ++exponent;
  }
  return static_cast<uint16_t>(sign | ((exponent + 14) << 10) | (bits - 0x400));
}

std::string FormatG(double value, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return "INF";
  const std::string sign = std::signbit(value) ? "-" : "";
  if (value == 0) return sign + "0";
  // d.dddddddddddddde[+-]x: the 15 significant digits, correctly rounded.
  char text[48];
  const auto written = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 14);
  const std::string_view scientific(text, static_cast<size_t>(written.ptr - text));
  const size_t e = scientific.find('e');
  std::string digits = std::string(1, scientific[0]) + std::string(scientific.substr(2, e - 2));
  int exponent = 0;
  std::string_view exponentText = scientific.substr(e + 1);
  if (exponentText.front() == '+') exponentText.remove_prefix(1);
  ParseAll(exponentText, exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (exponent >= -5 && exponent <= 14) {
    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
      const auto count = static_cast<size_t>(exponent) + 1;
      whole = digits.substr(0, std::min(count, digits.size()));
      whole.append(count - whole.size(), '0');
      if (digits.size() > count) fraction = digits.substr(count);
    } else {
      whole = "0";
      fraction = std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    out = fraction.empty() ? whole : whole + separator + fraction;
  } else {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += separator + digits.substr(1);
    out += "E" + std::to_string(exponent);
  }
  return sign + out;
}

std::vector<std::string> DecodeLines(std::string_view bytes, bool bigEndian, char separator) {
  std::vector<std::string> lines;
  auto hex = [&](size_t n) { return BytesToHexString(bytes.substr(0, n), true); };
  // pattern's "%s" gets the first n bytes, its placeholder the value.
  auto line = [&](const char* pattern, size_t n, const char* placeholder, const std::string& value) {
    lines.push_back(FormatMsg(FormatMsgS(pattern, hex(n)), placeholder, value));
  };
  if (bytes.empty()) return lines;
  line(msg::kAsShortint, 1, "%d", std::to_string(static_cast<int8_t>(bytes[0])));
  if (bytes.size() >= 2) {
    const auto word = static_cast<uint16_t>(AssembleBytes(bytes, 2, bigEndian));
    line(msg::kAsWord, 2, "%d", std::to_string(word));
    line(msg::kAsInteger, 2, "%d", std::to_string(static_cast<int16_t>(word)));
  }
  if (bytes.size() >= 4) {
    line(msg::kAsLongint, 4, "%d", std::to_string(static_cast<int32_t>(AssembleBytes(bytes, 4, bigEndian))));
    line(msg::kAsSingle, 4, "%g", FormatG(DecodeSingle(bytes, bigEndian), separator));
  }
  if (bytes.size() >= 8) line(msg::kAsDouble, 8, "%g", FormatG(DecodeDouble(bytes, bigEndian), separator));
  return lines;
}

}  // namespace quoxa
