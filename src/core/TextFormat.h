#pragma once
// Formatting of numbers and message texts, in one place.

#include <cstdint>
#include <string>

namespace quoxa {

// "%.0n": whole number with the group separator between thousands.
std::string FormatThousands(int64_t value);
// The group separator in use ("," until the user interface sets the locale's).
void SetThousandsSeparator(const std::string& separator);
const std::string& ThousandsSeparator();

// "%x": upper-case hex digits, no leading zeros; a value from -2^31 to 2^32 - 1 as its 32-bit two's
// complement, any other as its 64-bit one.
std::string FormatHex(int64_t value);

// Replaces the first occurrence of a placeholder ("%s", "%d", "%.0n", ...) with text.
std::string FormatMsg(const std::string& pattern, const std::string& placeholder, const std::string& value);
// "%s" filled with a string.
std::string FormatMsgS(const std::string& pattern, const std::string& value);
// "%.0n" filled with a grouped number.
std::string FormatMsgN(const std::string& pattern, int64_t value);
// "%d" filled with a decimal number.
std::string FormatMsgD(const std::string& pattern, int64_t value);

// The last component of a path.
std::string FileNameOnly(const std::string& path);

// At most maxBytes bytes of UTF-8 text, never cutting a character in half.
std::string TruncateUtf8(const std::string& text, size_t maxBytes);

}  // namespace quoxa
