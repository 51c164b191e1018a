#pragma once
// Numbers as bytes and bytes as numbers: the types of the encode dialog, the parsing of the
// typed number, the decoded lines and the "%g" form of floats. Independent of the C locale;
// the decimal separator is passed in.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quoxa {

// In the order of the encode dialog's radio group (the EncodeAs setting).
enum class NumberType : int { ShortInt, Byte, Word, Integer, LongInt, Single, Double };
inline constexpr int kNumberTypeCount = 7;

// Bytes the type is encoded in.
int NumberSize(NumberType type);

// "Byte order: little-endian (Intel)" or "... big-endian (Motorola)".
const char* ByteOrderText(bool bigEndian);

// A 32-bit signed integer in decimal with an optional sign, or "$" and up to 32 bits of hex
// digits (two's complement); blanks around it are allowed.
std::optional<int32_t> ParseInteger(std::string_view text);

// The same syntax for integers up to 64 bits: a decimal magnitude with its sign, or the bits
// that "$" and up to 16 hex digits give (hex is true then).
struct WideInteger {
  bool negative = false;
  bool hex = false;
  uint64_t magnitude = 0;
};
std::optional<WideInteger> ParseWideInteger(std::string_view text);

struct EncodeResult {
  std::string bytes;  // in document order
  std::string error;  // the message when the text does not convert; bytes are empty then
  bool Ok() const { return error.empty(); }
};

// The typed number as the bytes of type, most significant first when bigEndian.
EncodeResult EncodeNumber(std::string_view text, NumberType type, bool bigEndian, char separator);

// The first n (at most 8) bytes as an unsigned number, the first byte least significant
// unless bigEndian.
uint64_t AssembleBytes(std::string_view bytes, size_t n, bool bigEndian);
float DecodeSingle(std::string_view bytes, bool bigEndian);
double DecodeDouble(std::string_view bytes, bool bigEndian);

// IEEE 754 half precision: its value, and the nearest half to a double (ties to even; too
// large becomes infinity, too small zero).
double HalfToDouble(uint16_t half);
uint16_t HalfFromDouble(double value);

// Up to 15 significant digits without trailing zeros; fixed notation from 0.00001 in magnitude
// up to 15 digits before the point, else scientific with "E" (1E20, 1.5E-7); "INF", "NAN".
std::string FormatG(double value, char separator);

// The decode dialog's lines for the bytes from the cursor on (as many as the document holds,
// only the first 8 are read): shortint, then word and integer, longint and single, double, each
// only when its bytes are there.
std::vector<std::string> DecodeLines(std::string_view bytes, bool bigEndian, char separator);

}  // namespace quoxa
