#pragma once
// What the program puts on the clipboard and takes from it, as bytes: the private format, the
// clipboard's 8-bit text, and Unicode text turned into the program's code page.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quoxa {

// The private format's name and the MIME type that carries it on the desktop.
inline constexpr const char* kPrivateFormatName = "QZBINARY";
inline constexpr const char* kPrivateMimeType = "application/x-qzbinary";
// L, the number of bytes, unsigned 32-bit little-endian, in front of the L bytes.
inline constexpr size_t kPrivateHeaderSize = 4;
// The most bytes the header can count.
inline constexpr int64_t kMaxPrivateLength = 0xFFFFFFFF;

// The header in front of n bytes (at most kMaxPrivateLength).
std::array<char, kPrivateHeaderSize> PrivateHeader(size_t n);
// The private data of n bytes (at most kMaxPrivateLength): the header, then the bytes.
std::string EncodePrivate(const uint8_t* bytes, size_t n);
// The bytes of private data, L taken from the header and any rest ignored, without a copy.
// False for data shorter than its header or than the length it claims.
bool DecodePrivate(std::string_view data, std::string_view& bytes);
// The same, in place.
bool DecodePrivate(std::string& data);
// 8-bit text as the bytes it is, up to its first zero.
std::string_view EightBitTextBytes(std::string_view text);
// Unicode text (UTF-8) as bytes of the code page, up to its first zero character; a character
// the code page has no byte for becomes '?' and is counted in missing.
std::string UnicodeTextBytes(std::string_view utf8, int64_t& missing);

}  // namespace quoxa
