#include "widgets/NumEditModel.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "widgets/ByteEditRules.h"

namespace quoxa {

namespace {

constexpr char kKeyEnter = '\r';
constexpr char kKeyEscape = 0x1B;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::optional<long double> ParseHex(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (!text.empty() && text.front() == '$') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, 16);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (magnitude > static_cast<uint64_t>(INT64_MAX)) return std::nullopt;
  const auto value = static_cast<long double>(magnitude);
  return negative ? -value : value;
}

std::optional<long double> ParseDecimal(std::string_view text, char separator) {
  std::string normal(text);
  for (char& ch : normal) {
    if (ch == ',' || ch == '.' || ch == separator) ch = '.';
  }
  std::string_view digits = normal;
  const bool plus = !digits.empty() && digits.front() == '+';
  if (plus) digits.remove_prefix(1);
  if (digits.empty() || (plus && digits.front() == '-')) return std::nullopt;
  long double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

long double Power10(int exponent) {
  long double p = 1;
  for (int i = 0; i < exponent; ++i) p *= 10;
  return p;
}

}  // namespace

long double NumEditModel::Fit(long double value) const {
  value = std::clamp(value, min_, max_);
  const long double scale = Power10(DigitsFrac());
  const long double scaled = value * scale;
  if (std::fabs(scaled) >= 1e30L) return value;  // beyond the digits a text can show
  long double shown = std::round(scaled) / scale;
  if (shown > max_) shown = std::floor(max_ * scale) / scale;
  if (shown < min_) shown = std::ceil(min_ * scale) / scale;
  return shown == 0 ? 0 : shown;
}

void NumEditModel::SetValue(long double value) {
  if (std::isfinite(value)) value_ = Fit(value);
}

void NumEditModel::SetMin(long double min) {
  if (!std::isfinite(min) || min > max_) return;
  min_ = min;
  value_ = Fit(value_);
}

void NumEditModel::SetMax(long double max) {
  if (!std::isfinite(max) || max < min_) return;
  max_ = max;
  value_ = Fit(value_);
}

void NumEditModel::SetDigitsInt(int digits) { digitsInt_ = std::clamp(digits, 0, kMaxDigits); }

void NumEditModel::SetDigitsFrac(int digits) {
  digitsFrac_ = std::clamp(digits, 0, kMaxDigits);
  value_ = Fit(value_);
}

std::optional<std::string> NumEditModel::SwitchHex(bool hex, std::string_view shownText) {
  if (hex == hex_) return std::nullopt;
  const std::optional<long double> shown = Parse(shownText);
  hex_ = hex;
  if (!shown) return std::nullopt;
  value_ = Fit(*shown);
  return Text();
}

std::string NumEditModel::Text() const {
  if (hex_) {
    const long double whole = std::round(value_);
    const bool negative = whole < 0;
    const long double magnitude = std::min(std::fabs(whole), static_cast<long double>(INT64_MAX));
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, static_cast<uint64_t>(magnitude), 16);
    std::string text = negative ? "-$" : "$";
    for (const char* p = digits; p != result.ptr; ++p) text += static_cast<char>(std::toupper(*p));
    return text;
  }
  std::string text(6000, '\0');
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value_, std::chars_format::fixed, DigitsFrac());
  text.resize(static_cast<size_t>(result.ptr - text.data()));
  for (char& ch : text) {
    if (ch == '.') ch = separator_;
  }
  return text;
}

std::optional<long double> NumEditModel::Parse(std::string_view text) const {
  text = TrimBlanks(text);
  return hex_ ? ParseHex(text) : ParseDecimal(text, separator_);
}

bool NumEditModel::Validate(std::string_view text) {
  const std::optional<long double> parsed = Parse(text);
  if (!parsed) return false;
  if (strict_) {
    // Hex text is digits already; decimal text must be digits too, without separator or exponent.
    const bool whole =
        hex_ || TrimBlanks(text).find_first_not_of("+-0123456789") == std::string_view::npos;
    if (!whole || *parsed < min_ || *parsed > max_) return false;
  }
  value_ = Fit(*parsed);
  return true;
}

bool NumEditModel::LengthsFit(std::string_view text) const {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  const size_t separator = text.find(separator_);
  if (hex_ || separator == std::string_view::npos) return static_cast<int>(text.size()) <= digitsInt_;
  return static_cast<int>(separator) <= digitsInt_ &&
         static_cast<int>(text.size() - separator - 1) <= DigitsFrac();
}

NumEditModel::KeyAction NumEditModel::FilterKey(std::string_view text, int selStart, int selLength, char typed) const {
  if (typed >= 'a' && typed <= 'z') typed = static_cast<char>(typed - 'a' + 'A');
  switch (typed) {
    case kKeyEnter: return KeyAction::Validate;
    case kKeyEscape: return KeyAction::Restore;
    case kKeyBackspace:
    case kKeyCopy:
    case kKeyPaste:
    case kKeyCut: return KeyAction::Pass;
    default: break;
  }
  if (static_cast<unsigned char>(typed) <= ' ') return KeyAction::Swallow;

  const int length = static_cast<int>(text.size());
  selStart = std::clamp(selStart, 0, length);
  selLength = std::clamp(selLength, 0, length - selStart);
  std::string result(text.substr(0, static_cast<size_t>(selStart)));
  result += typed;
  result.append(text.substr(static_cast<size_t>(selStart + selLength)));

  const bool digit = typed >= '0' && typed <= '9';
  if (hex_) {
    const bool hexDigit = digit || (typed >= 'A' && typed <= 'F');
    return hexDigit && LengthsFit(result) ? KeyAction::Pass : KeyAction::Swallow;
  }
  if (typed == separator_) {
    if (DigitsFrac() == 0 || std::count(result.begin(), result.end(), separator_) != 1) return KeyAction::Swallow;
  } else if (typed == '-') {
    if (!(min_ < 0) || std::count(result.begin(), result.end(), '-') != 1 || result.front() != '-') {
      return KeyAction::Swallow;
    }
  } else if (!digit) {
    return KeyAction::Swallow;
  }
  return LengthsFit(result) ? KeyAction::Pass : KeyAction::Swallow;
}

std::string NumEditModel::PrepareLeave(std::string_view text) {
  std::string leave(text);
  if (leave.find('$') != std::string::npos) hex_ = true;
  if (hex_ && leave.find('$') == std::string::npos) {
    const bool minus = !leave.empty() && leave.front() == '-';
    leave = (minus ? "-$" : "$") + leave.substr(minus ? 1 : 0);
  }
  return leave;
}

}  // namespace quoxa
