#include "tools/CursorValues.h"

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "core/CodePage.h"
#include "core/TextFormat.h"
#include "tools/ToolTexts.h"

namespace quoxa {

namespace {

using Row = InspectorRow;

constexpr const char* kRowNames[kInspectorRowCount] = {
    "Binary",          "int8",           "uint8",
    "int16",           "uint16",         "int32",
    "uint32",          "int64",          "uint64",
    "float16",         "float32",        "float64",
    "ULEB128",         "SLEB128",        "UTF-8 character",
    "UTF-16 character", "Windows-1252 character", "time_t (32 bit)",
    "time_t (64 bit)", "DOS date and time", "FILETIME",
    "GUID"};

// Seconds between 1601-01-01 (FILETIME's origin) and 1970-01-01.
constexpr int64_t kFileTimeToUnix = 11644473600;
// Seconds from 1970 to 0001-01-01 and to 10000-01-01: the years a date is shown for.
constexpr int64_t kFirstSecond = -62135596800;
constexpr int64_t kLastSecond = 253402300800;

uint8_t At(std::string_view bytes, size_t i) { return static_cast<uint8_t>(bytes[i]); }

std::string Hex(uint64_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "$%0*" PRIX64, digits, value);
  return text;
}

std::string Integer(uint64_t bits, int size, bool isSigned, bool hex) {
  if (hex) return Hex(bits, 2 * size);
  if (!isSigned) return std::to_string(bits);
  const int shift = 64 - 8 * size;
  return std::to_string(static_cast<int64_t>(bits << shift) >> shift);
}

// Days since 1970-01-01 to a proleptic Gregorian date.
void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned mp = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

// Seconds since 1970 as a UTC date and time; years 1 to 9999 only.
std::string UtcText(int64_t seconds, const char* fraction = "") {
  if (seconds < kFirstSecond || seconds >= kLastSecond) return msg::kInspectorInvalid;
  const int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
  const int64_t rest = seconds - days * 86400;
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  CivilFromDays(days, year, month, day);
  char text[64];
  std::snprintf(text, sizeof text, "%04" PRId64 "-%02u-%02u %02d:%02d:%02d%s UTC", year, month, day,
                static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60),
                fraction);
  return text;
}

bool IsLeap(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::string DosText(uint32_t value) {
  const unsigned time = value & 0xFFFF;
  const unsigned date = value >> 16;
  const unsigned second = (time & 0x1F) * 2;
  const unsigned minute = (time >> 5) & 0x3F;
  const unsigned hour = time >> 11;
  const unsigned day = date & 0x1F;
  const unsigned month = (date >> 5) & 0x0F;
  const unsigned year = 1980 + (date >> 9);
  static constexpr unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59) return msg::kInspectorInvalid;
  const unsigned lastDay = kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
  if (day < 1 || day > lastDay) return msg::kInspectorInvalid;
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", year, month, day, hour, minute, second);
  return text;
}

std::string CharacterText(char32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
  std::string out = text;
  // Controls have no glyph to show.
  if (!IsControlCode(code) && !(code >= 0x80 && code < 0xA0)) out += ' ' + CodePointToUtf8(code);
  return out;
}

enum class Utf8Status { Ok, Short, Invalid };

// The code point the bytes start with in strict UTF-8, and its length in bytes.
Utf8Status DecodeUtf8Char(std::string_view bytes, char32_t& code, size_t& length) {
  const uint8_t first = At(bytes, 0);
  length = 1;
  code = first;
  if (first < 0x80) return Utf8Status::Ok;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2, code = first & 0x1F;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3, code = first & 0x0F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4, code = first & 0x07;
  } else {
    return Utf8Status::Invalid;
  }
  // The second byte's range also rules out overlong forms, surrogates and values past U+10FFFF.
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (first == 0xE0) low = 0xA0;
  if (first == 0xED) high = 0x9F;
  if (first == 0xF0) low = 0x90;
  if (first == 0xF4) high = 0x8F;
  for (size_t i = 1; i < length; ++i) {
    if (i >= bytes.size()) return Utf8Status::Short;
    const uint8_t next = At(bytes, i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return Utf8Status::Invalid;
    code = (code << 6) | (next & 0x3F);
  }
  return Utf8Status::Ok;
}

std::string Utf8Text(std::string_view bytes) {
  char32_t code = 0;
  size_t length = 0;
  switch (DecodeUtf8Char(bytes, code, length)) {
    case Utf8Status::Ok:
      return CharacterText(code);
    case Utf8Status::Short:
      return kInspectorNone;
    case Utf8Status::Invalid:
      break;
  }
  return msg::kInspectorInvalid;
}

std::string Utf16Text(std::string_view bytes, bool bigEndian) {
  if (bytes.size() < 2) return kInspectorNone;
  const auto unit = static_cast<char32_t>(AssembleBytes(bytes, 2, bigEndian));
  if (unit >= 0xDC00 && unit <= 0xDFFF) return msg::kInspectorInvalid;
  if (unit < 0xD800 || unit > 0xDBFF) return CharacterText(unit);
  if (bytes.size() < 4) return kInspectorNone;
  const auto second = static_cast<char32_t>(AssembleBytes(bytes.substr(2), 2, bigEndian));
  if (second < 0xDC00 || second > 0xDFFF) return msg::kInspectorInvalid;
  return CharacterText(0x10000 + ((unit - 0xD800) << 10) + (second - 0xDC00));
}

std::string LebText(std::string_view bytes, bool isSigned, bool hex) {
  uint64_t value = 0;
  for (size_t i = 0; i < 10; ++i) {
    if (i >= bytes.size()) return kInspectorNone;
    const uint8_t byte = At(bytes, i);
    if (i == 9) {
      // Bit 63 is all that is left: more is an overflow, a further byte an overlong form.
      const bool fits = isSigned ? byte == 0x00 || byte == 0x7F : byte <= 0x01;
      if (!fits) return msg::kInspectorInvalid;
    }
    value |= static_cast<uint64_t>(byte & 0x7F) << (7 * i);
    if ((byte & 0x80) == 0) {
      const size_t bits = 7 * (i + 1);
      if (isSigned && bits < 64 && (byte & 0x40) != 0) value |= ~uint64_t{0} << bits;
      const std::string number = hex ? Hex(value, 1) : isSigned ? std::to_string(static_cast<int64_t>(value))
                                                                 : std::to_string(value);
      if (i == 0) return FormatMsgS(msg::kInspectorLebByte, number);
      return FormatMsg(FormatMsgS(msg::kInspectorLebBytes, number), "%d", std::to_string(i + 1));
    }
  }
  return msg::kInspectorInvalid;
}

std::string GuidText(std::string_view bytes, bool bigEndian) {
  const auto data1 = static_cast<unsigned>(AssembleBytes(bytes, 4, bigEndian));
  const auto data2 = static_cast<unsigned>(AssembleBytes(bytes.substr(4), 2, bigEndian));
  const auto data3 = static_cast<unsigned>(AssembleBytes(bytes.substr(6), 2, bigEndian));
  char text[48];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", data1, data2, data3,
                At(bytes, 8), At(bytes, 9), At(bytes, 10), At(bytes, 11), At(bytes, 12), At(bytes, 13),
                At(bytes, 14), At(bytes, 15));
  return text;
}

std::string FileTimeText(uint64_t ticks) {
  const auto seconds = static_cast<int64_t>(ticks / 10'000'000) - kFileTimeToUnix;
  char fraction[16];
  std::snprintf(fraction, sizeof fraction, ".%07u", static_cast<unsigned>(ticks % 10'000'000));
  return UtcText(seconds, fraction);
}

std::string BinaryText(uint8_t byte) {
  std::string bits(8, '0');
  for (int i = 0; i < 8; ++i) {
    if ((byte >> (7 - i)) & 1) bits[static_cast<size_t>(i)] = '1';
  }
  return bits;
}

// Bytes of the low size bytes of bits, in document order.
std::string OrderedBytes(uint64_t bits, int size, bool bigEndian) {
  std::string bytes(static_cast<size_t>(size), '\0');
  for (int i = 0; i < size; ++i) {
    bytes[static_cast<size_t>(bigEndian ? size - 1 - i : i)] =
        static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
  return bytes;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A whole number for a row of size bytes: decimal within the type's range, or hex digits that
// fit its width; the error texts are the encode dialog's.
EncodeResult EncodeWhole(std::string_view text, int size, bool isSigned, bool bigEndian) {
  const std::optional<WideInteger> value = ParseWideInteger(text);
  if (!value) return {{}, FormatMsgS(msg::kNotAnInteger, std::string(text))};
  const uint64_t mask = size == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * size)) - 1;
  uint64_t bits = value->magnitude;
  bool fits = false;
  if (value->hex) {
    fits = bits <= mask;
  } else if (!isSigned) {
    fits = !value->negative || bits == 0;
    fits = fits && bits <= mask;
  } else {
    const uint64_t positiveLimit = mask >> 1;
    fits = value->negative ? bits <= positiveLimit + 1 : bits <= positiveLimit;
    if (value->negative) bits = ~bits + 1;
  }
  if (!fits) return {{}, msg::kRangeCheckError};
  return {OrderedBytes(bits, size, bigEndian), {}};
}

EncodeResult EncodeBinary(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.size() > 8) return {{}, FormatMsgS(msg::kNotAnInteger, std::string(text))};
  unsigned byte = 0;
  for (const char c : text) {
    if (c != '0' && c != '1') return {{}, FormatMsgS(msg::kNotAnInteger, std::string(text))};
    byte = (byte << 1) | static_cast<unsigned>(c - '0');
  }
  return {std::string(1, static_cast<char>(byte)), {}};
}

EncodeResult EncodeHalf(std::string_view text, bool bigEndian, char separator) {
  // The double's parsing and errors first, then the narrower range of a half.
  EncodeResult wide = EncodeNumber(text, NumberType::Double, false, separator);
  if (!wide.Ok()) return wide;
  const double value = std::bit_cast<double>(AssembleBytes(wide.bytes, 8, false));
  const uint16_t half = HalfFromDouble(value);
  if ((half & 0x7FFF) == 0x7C00) return {{}, msg::kFloatOverflow};
  if ((half & 0x7FFF) == 0 && value != 0) return {{}, msg::kFloatUnderflow};
  std::string bytes{static_cast<char>(half & 0xFF), static_cast<char>(half >> 8)};
  if (bigEndian) std::swap(bytes[0], bytes[1]);
  return {bytes, {}};
}

EncodeResult Refused(const char* format, std::string_view text) {
  return {{}, FormatMsgS(format, std::string(text))};
}

// The row's own " (3 bytes)" may stay in the typed text: the length is the encoding's anyway.
std::string_view WithoutLength(std::string_view text) {
  text = TrimBlanks(text);
  const size_t open = text.rfind(" (");
  if (open == std::string_view::npos || text.back() != ')') return text;
  std::string_view inside = text.substr(open + 2, text.size() - open - 3);
  size_t digits = 0;
  while (digits < inside.size() && inside[digits] >= '0' && inside[digits] <= '9') ++digits;
  inside.remove_prefix(digits);
  if (digits == 0 || (inside != " byte" && inside != " bytes")) return text;
  return text.substr(0, open);
}

EncodeResult EncodeLeb(std::string_view text, bool isSigned) {
  const std::string_view number = WithoutLength(text);
  const std::optional<WideInteger> value = ParseWideInteger(number);
  if (!value) return Refused(msg::kNotAnInteger, text);
  uint64_t bits = value->magnitude;
  if (!value->hex) {
    const uint64_t limit = uint64_t{1} << 63;
    const bool fits =
        isSigned ? (value->negative ? bits <= limit : bits < limit) : !value->negative || bits == 0;
    if (!fits) return {{}, msg::kRangeCheckError};
    if (value->negative) bits = ~bits + 1;
  }
  std::string bytes;
  if (!isSigned) {
    do {
      const auto low = static_cast<uint8_t>(bits & 0x7F);
      bits >>= 7;
      bytes += static_cast<char>(bits != 0 ? low | 0x80 : low);
    } while (bits != 0);
    return {bytes, {}};
  }
  auto signedValue = static_cast<int64_t>(bits);
  for (;;) {
    const auto low = static_cast<uint8_t>(signedValue & 0x7F);
    signedValue >>= 7;  // arithmetic: the sign fills in
    const bool done =
        (signedValue == 0 && (low & 0x40) == 0) || (signedValue == -1 && (low & 0x40) != 0);
    bytes += static_cast<char>(done ? low : low | 0x80);
    if (done) return {bytes, {}};
  }
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

unsigned HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  return static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

// A typed character: the character itself, or "U+" and its hex digits, as the rows show it
// (the glyph after the digits, when there, must be the same character).
std::optional<char32_t> ParseCharacter(std::string_view text) {
  char32_t code = 0;
  size_t length = 0;
  if (!text.empty() && DecodeUtf8Char(text, code, length) == Utf8Status::Ok &&
      length == text.size())
    return code;
  text = TrimBlanks(text);
  if (text.size() < 3 || (text[0] != 'U' && text[0] != 'u') || text[1] != '+') return std::nullopt;
  size_t digits = 2;
  code = 0;
  while (digits < text.size() && IsHexDigit(text[digits]) && digits < 8)
    code = code * 16 + HexValue(text[digits++]);
  if (digits == 2 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  const std::string_view glyph = text.substr(digits);
  if (!glyph.empty() && glyph != " " + CodePointToUtf8(code)) return std::nullopt;
  return code;
}

EncodeResult EncodeCharacter(std::string_view text, Row row, bool bigEndian) {
  const std::optional<char32_t> code = ParseCharacter(text);
  if (!code) return Refused(msg::kInspectorNotACharacter, text);
  if (row == Row::Utf8) return {CodePointToUtf8(*code), {}};
  if (row == Row::CodePage) {
    uint8_t byte = 0;
    if (!UnicodeToByte(*code, byte)) return Refused(msg::kInspectorNotInCodePage, text);
    return {std::string(1, static_cast<char>(byte)), {}};
  }
  if (*code < 0x10000) return {OrderedBytes(*code, 2, bigEndian), {}};
  const char32_t above = *code - 0x10000;
  return {OrderedBytes(0xD800 + (above >> 10), 2, bigEndian) +
              OrderedBytes(0xDC00 + (above & 0x3FF), 2, bigEndian),
          {}};
}

// Days since 1970-01-01 of a proleptic Gregorian date (the inverse of CivilFromDays).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

struct CivilTime {
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  uint32_t ticks = 0;  // 100 ns steps of the fraction
  int64_t Seconds() const {
    return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  }
};

// Reads a number of 1 to maxDigits digits.
bool ReadNumber(std::string_view& text, size_t maxDigits, unsigned& value,
                size_t* count = nullptr) {
  size_t n = 0;
  value = 0;
  while (n < text.size() && n < maxDigits && text[n] >= '0' && text[n] <= '9')
    value = value * 10 + (text[n++] - '0');
  if (count != nullptr) *count = n;
  text.remove_prefix(n);
  return n > 0;
}

bool Take(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

// "YYYY-MM-DD hh:mm:ss" as the rows show it: the time may be left out (midnight), a fraction of
// up to 7 digits follows the seconds where fraction allows, " UTC" where utc allows.
std::optional<CivilTime> ParseCivil(std::string_view text, bool fraction, bool utc) {
  text = TrimBlanks(text);
  if (utc && text.size() >= 3 && text.substr(text.size() - 3) == "UTC")
    text = TrimBlanks(text.substr(0, text.size() - 3));
  CivilTime t;
  if (!ReadNumber(text, 4, t.year) || !Take(text, '-') || !ReadNumber(text, 2, t.month) ||
      !Take(text, '-') || !ReadNumber(text, 2, t.day)) {
    return std::nullopt;
  }
  if (!text.empty()) {
    if (!Take(text, ' ') && !Take(text, 'T')) return std::nullopt;
    if (!ReadNumber(text, 2, t.hour) || !Take(text, ':') || !ReadNumber(text, 2, t.minute) ||
        !Take(text, ':') || !ReadNumber(text, 2, t.second)) {
      return std::nullopt;
    }
    if (fraction && Take(text, '.')) {
      size_t digits = 0;
      unsigned value = 0;
      if (!ReadNumber(text, 7, value, &digits)) return std::nullopt;
      for (t.ticks = value; digits < 7; ++digits) t.ticks *= 10;
    }
    if (!text.empty()) return std::nullopt;
  }
  static constexpr unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.year < 1 || t.month < 1 || t.month > 12 || t.hour > 23 || t.minute > 59 || t.second > 59)
    return std::nullopt;
  if (t.day < 1 || t.day > kDays[t.month - 1] + (t.month == 2 && IsLeap(t.year) ? 1 : 0))
    return std::nullopt;
  return t;
}

EncodeResult EncodeTime(std::string_view text, Row row, bool bigEndian) {
  const std::optional<CivilTime> t =
      ParseCivil(text, row == Row::FileTime, row != Row::DosDateTime);
  if (!t) return Refused(msg::kInspectorNotADate, text);
  switch (row) {
    case Row::TimeT32: {
      const int64_t seconds = t->Seconds();
      if (seconds < std::numeric_limits<int32_t>::min() ||
          seconds > std::numeric_limits<int32_t>::max()) {
        return {{}, msg::kRangeCheckError};
      }
      return {OrderedBytes(static_cast<uint64_t>(seconds), 4, bigEndian), {}};
    }
    case Row::TimeT64:
      return {OrderedBytes(static_cast<uint64_t>(t->Seconds()), 8, bigEndian), {}};
    case Row::FileTime: {
      const int64_t seconds = t->Seconds() + kFileTimeToUnix;
      if (seconds < 0) return {{}, msg::kRangeCheckError};
      return {OrderedBytes(static_cast<uint64_t>(seconds) * 10'000'000 + t->ticks, 8, bigEndian),
              {}};
    }
    default:
      break;
  }
  // DOS: years 1980 to 2107, seconds in steps of two.
  if (t->year < 1980 || t->year > 2107) return {{}, msg::kRangeCheckError};
  if (t->second % 2 != 0) return {{}, msg::kInspectorOddSecond};
  const uint32_t date = ((t->year - 1980) << 9) | (t->month << 5) | t->day;
  const uint32_t time = (t->hour << 11) | (t->minute << 5) | (t->second / 2);
  return {OrderedBytes((date << 16) | time, 4, bigEndian), {}};
}

// "{12345678-9ABC-DEF0-1122-334455667788}", the braces optional, digits in either case.
EncodeResult EncodeGuid(std::string_view text, bool bigEndian) {
  std::string_view guid = TrimBlanks(text);
  if (guid.size() == 38 && guid.front() == '{' && guid.back() == '}') guid = guid.substr(1, 36);
  if (guid.size() != 36) return Refused(msg::kInspectorNotAGuid, text);
  std::string digits;
  for (size_t i = 0; i < guid.size(); ++i) {
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash ? guid[i] != '-' : !IsHexDigit(guid[i])) return Refused(msg::kInspectorNotAGuid, text);
    if (!dash) digits += guid[i];
  }
  auto field = [&](size_t from, size_t count) {
    uint64_t value = 0;
    for (size_t i = from; i < from + count; ++i) value = value * 16 + HexValue(digits[i]);
    return value;
  };
  std::string bytes = OrderedBytes(field(0, 8), 4, bigEndian) +
                      OrderedBytes(field(8, 4), 2, bigEndian) +
                      OrderedBytes(field(12, 4), 2, bigEndian);
  for (size_t i = 16; i < 32; i += 2) bytes += static_cast<char>(field(i, 2));
  return {bytes, {}};
}

}  // namespace

const char* InspectorRowName(InspectorRow row) { return kRowNames[static_cast<int>(row)]; }

int InspectorRowSize(InspectorRow row) {
  switch (row) {
    case Row::Binary:
    case Row::Int8:
    case Row::UInt8:
    case Row::CodePage: return 1;
    case Row::Int16:
    case Row::UInt16:
    case Row::Float16:
    case Row::Utf16: return 2;
    case Row::Int32:
    case Row::UInt32:
    case Row::Float32:
    case Row::TimeT32:
    case Row::DosDateTime: return 4;
    case Row::Int64:
    case Row::UInt64:
    case Row::Float64:
    case Row::TimeT64:
    case Row::FileTime: return 8;
    case Row::Guid: return 16;
    case Row::ULeb128:
    case Row::SLeb128:
    case Row::Utf8: return 1;
  }
  return 1;
}

std::string DecodeInspectorRow(std::string_view bytes, InspectorRow row, const InspectorFormat& format) {
  const size_t size = static_cast<size_t>(InspectorRowSize(row));
  if (bytes.size() < size) return kInspectorNone;
  const bool big = format.bigEndian;
  const uint64_t bits = AssembleBytes(bytes, std::min<size_t>(size, 8), big);
  switch (row) {
    case Row::Binary: return BinaryText(At(bytes, 0));
    case Row::Int8:
    case Row::Int16:
    case Row::Int32:
    case Row::Int64: return Integer(bits, static_cast<int>(size), true, format.hex);
    case Row::UInt8:
    case Row::UInt16:
    case Row::UInt32:
    case Row::UInt64: return Integer(bits, static_cast<int>(size), false, format.hex);
    case Row::Float16: return FormatG(HalfToDouble(static_cast<uint16_t>(bits)), format.separator);
    case Row::Float32: return FormatG(std::bit_cast<float>(static_cast<uint32_t>(bits)), format.separator);
    case Row::Float64: return FormatG(std::bit_cast<double>(bits), format.separator);
    case Row::ULeb128: return LebText(bytes, false, format.hex);
    case Row::SLeb128: return LebText(bytes, true, format.hex);
    case Row::Utf8: return Utf8Text(bytes);
    case Row::Utf16: return Utf16Text(bytes, big);
    case Row::CodePage: return CharacterText(ByteToUnicode(At(bytes, 0)));
    case Row::TimeT32: return UtcText(static_cast<int32_t>(bits));
    case Row::TimeT64: return UtcText(static_cast<int64_t>(bits));
    case Row::DosDateTime: return DosText(static_cast<uint32_t>(bits));
    case Row::FileTime: return FileTimeText(bits);
    case Row::Guid: return GuidText(bytes, big);
  }
  return kInspectorNone;
}

void DecodeInspector(std::string_view bytes, const InspectorFormat& format, InspectorValues& values) {
  for (int i = 0; i < kInspectorRowCount; ++i) {
    values[static_cast<size_t>(i)] = DecodeInspectorRow(bytes, static_cast<Row>(i), format);
  }
}

EncodeResult EncodeInspectorRow(std::string_view text, InspectorRow row, bool bigEndian, char separator) {
  switch (row) {
    case Row::Binary: return EncodeBinary(text);
    case Row::Int8: return EncodeWhole(text, 1, true, bigEndian);
    case Row::UInt8: return EncodeWhole(text, 1, false, bigEndian);
    case Row::Int16: return EncodeWhole(text, 2, true, bigEndian);
    case Row::UInt16: return EncodeWhole(text, 2, false, bigEndian);
    case Row::Int32: return EncodeWhole(text, 4, true, bigEndian);
    case Row::UInt32: return EncodeWhole(text, 4, false, bigEndian);
    case Row::Int64: return EncodeWhole(text, 8, true, bigEndian);
    case Row::UInt64: return EncodeWhole(text, 8, false, bigEndian);
    case Row::Float16: return EncodeHalf(text, bigEndian, separator);
    case Row::Float32: return EncodeNumber(text, NumberType::Single, bigEndian, separator);
    case Row::Float64: return EncodeNumber(text, NumberType::Double, bigEndian, separator);
    case Row::ULeb128:
      return EncodeLeb(text, false);
    case Row::SLeb128:
      return EncodeLeb(text, true);
    case Row::Utf8:
    case Row::Utf16:
    case Row::CodePage:
      return EncodeCharacter(text, row, bigEndian);
    case Row::TimeT32:
    case Row::TimeT64:
    case Row::DosDateTime:
    case Row::FileTime:
      return EncodeTime(text, row, bigEndian);
    case Row::Guid:
      return EncodeGuid(text, bigEndian);
  }
  return {{}, msg::kRangeCheckError};
}

}  // namespace quoxa
