#pragma once
// The hex string text format: two hex digits per byte, in the separated form
// ("41 42 43", one blank between bytes) or the compact form ("414243").

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quoxa {

// A text that is not the number or hex string it should be; what() is the text the user sees.
// Thrown by HexDigitValue, HexStringToBytes and HexToInt. Dialogs check with IsHexString or
// TQZByteEdit::IsValid first and never see it; the script interpreter and the settings reader
// catch it and report the error in their own words.
class ConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kNotAHexChar = "Not a hex char";
inline constexpr const char* kHexNumberTooLarge = "Hex number too large";

// Two upper-case hex digits.
std::string HexByte(uint8_t byte);

// Each byte as two upper-case digits, with one blank between bytes when separated.
std::string BytesToHexString(std::string_view bytes, bool separated);

// Writes n bytes as "XY " triples: 3n characters, the last a blank the separated text does
// not include. The fast path of long texts (a whole block on the clipboard).
void WriteHexTriples(const uint8_t* bytes, size_t n, char* out);

// The strict separated form: one blank between digit pairs and nowhere else, digits of either
// case. The bytes go to bytes; false (bytes unspecified) for any other text, the empty one too.
bool ParseSeparatedHex(std::string_view text, std::string& bytes);

// Separated: (length + 1) is a multiple of 3 and every character is a hex digit, except that
// those at 1-based positions 3, 6, 9, ... may also be blanks. Compact: even length, all digits.
bool IsHexString(std::string_view text, bool separated);

// Digit pairs from the start, in steps of three (separated) or two (compact) characters while
// at least two remain; in the separated form a character after a pair must be a blank.
// Throws ConvertError ("Not a hex char", or "Hex string invalid" for a bad separator).
std::string HexStringToBytes(std::string_view text, bool separated);

// 0..15 for 0-9, A-F, a-f; throws ConvertError("Not a hex char") for anything else.
int HexDigitValue(char ch);

// Hex digits accumulated most significant first; the empty text is 0. Throws ConvertError
// for a non-hex character or a value beyond 64 bits.
int64_t HexToInt(std::string_view text);

}  // namespace quoxa
