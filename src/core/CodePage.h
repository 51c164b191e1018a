#pragma once
// The program's one 8-bit code page (Windows-1252): bytes shown and typed as text,
// case folding, and text turned into bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace quoxa {

// A control character (below 32, or 127): a key whose text is one is never typed as a
// byte or character; X11 gives Delete the text U+007F.
constexpr bool IsControlCode(char32_t code) { return code < 32 || code == 127; }

// Unicode code point of a byte.
char32_t ByteToUnicode(uint8_t byte);
// Byte of a code point; false when the code page has none.
bool UnicodeToByte(char32_t code, uint8_t& byte);

// The glyph of a byte in the DOS code page 437 (the "ASCII" view of a byte).
char32_t Cp437ToUnicode(uint8_t byte);

uint8_t AnsiUpper(uint8_t byte);
uint8_t AnsiLower(uint8_t byte);

// UTF-8 text to bytes; characters outside the code page (and broken sequences) become '?',
// and are counted in *missing when it is given.
std::string Utf8ToBytes(std::string_view utf8, int64_t* missing = nullptr);
// Bytes to UTF-8 text.
std::string BytesToUtf8(const std::string& bytes);
// One code point as UTF-8.
std::string CodePointToUtf8(char32_t code);

}  // namespace quoxa
