#include "widgets/HexString.h"

#include <array>
#include <cstring>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUOXA_HEX_X86 1
#endif

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

void ScalarTriples(const uint8_t* bytes, size_t n, char* out) {
  if (n == 0) return;
  // Each store also writes the spare byte, which the next triple overwrites.
  for (size_t i = 0; i + 1 < n; ++i) std::memcpy(out + 3 * i, kTriples[bytes[i]].data(), 4);
  std::memcpy(out + 3 * (n - 1), kTriples[bytes[n - 1]].data(), 3);
}

#ifdef QUOXA_HEX_X86

// 16 bytes at a time: the nibbles become digits by one table shuffle, the digit pairs are spread
// into triples by two more, and the blanks are or-ed in.
__attribute__((target("ssse3"))) size_t Ssse3Triples(const uint8_t* bytes, size_t n, char* out) {
  const __m128i digits = _mm_setr_epi8('0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F');
  const __m128i nibble = _mm_set1_epi8(0x0F);
  // Eight digit pairs give 24 characters: 16, then 8.
  const __m128i spreadHead = _mm_setr_epi8(0, 1, -1, 2, 3, -1, 4, 5, -1, 6, 7, -1, 8, 9, -1, 10);
  const __m128i blanksHead = _mm_setr_epi8(0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0);
  const __m128i spreadTail = _mm_setr_epi8(11, -1, 12, 13, -1, 14, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1);
  const __m128i blanksTail = _mm_setr_epi8(0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0);
  size_t i = 0;
  for (; i + 16 <= n; i += 16, out += 48) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i high = _mm_shuffle_epi8(digits, _mm_and_si128(_mm_srli_epi16(v, 4), nibble));
    const __m128i low = _mm_shuffle_epi8(digits, _mm_and_si128(v, nibble));
    const __m128i pairs[2] = {_mm_unpacklo_epi8(high, low), _mm_unpackhi_epi8(high, low)};
    for (int half = 0; half < 2; ++half) {
      char* to = out + 24 * half;
      const __m128i head = _mm_or_si128(_mm_shuffle_epi8(pairs[half], spreadHead), blanksHead);
      const __m128i tail = _mm_or_si128(_mm_shuffle_epi8(pairs[half], spreadTail), blanksTail);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to), head);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 16), tail);
    }
  }
  return i;
}

bool HasSsse3() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}

#endif

}  // namespace

std::string HexByte(uint8_t byte) { return {kDigits[byte >> 4], kDigits[byte & 0x0F]}; }

void WriteHexTriples(const uint8_t* bytes, size_t n, char* out) {
  size_t done = 0;
#ifdef QUOXA_HEX_X86
  if (HasSsse3()) done = Ssse3Triples(bytes, n, out);
#endif
  ScalarTriples(bytes + done, n - done, out + 3 * done);
}

bool ParseSeparatedHex(std::string_view text, std::string& bytes) {
  if ((text.size() + 1) % 3 != 0) return false;
  // The value of every two-character pair, -1 unless both are hex digits: one look-up a byte.
  static const std::vector<int16_t> pairs = [] {
    std::vector<int16_t> table(65536);
    for (size_t i = 0; i < table.size(); ++i) {
      const int hi = kDigitValues[i & 0xFF];
      const int lo = kDigitValues[i >> 8];
      table[i] = static_cast<int16_t>(hi < 0 || lo < 0 ? -1 : hi * 16 + lo);
    }
    return table;
  }();
  const size_t n = (text.size() + 1) / 3;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  bytes.resize(n);
  char* out = bytes.data();
  // Faults are gathered rather than branched on: a valid text is the common case.
  int fault = 0;
  for (size_t i = 0; i + 1 < n; ++i, s += 3) {
    const int value = pairs[s[0] | (s[1] << 8)];
    fault |= value | ((s[2] ^ ' ') << 8);
    out[i] = static_cast<char>(value);
  }
  const int value = pairs[s[0] | (s[1] << 8)];
  out[n - 1] = static_cast<char>(value);
  // A pair that is no byte sets every bit, a separator that is no blank bits above the byte.
  return ((fault | value) & ~0xFF) == 0;
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
