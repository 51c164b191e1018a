#pragma once
// What the program puts on the clipboard and takes from it, as bytes: the private format and
// plain text turned into the program's code page.

#include <cstddef>
#include <cstdint>
#include <string>

namespace quoxa {

// The private format's name and the MIME type that carries it on the desktop.
inline constexpr const char* kPrivateFormatName = "QZBINARY";
inline constexpr const char* kPrivateMimeType = "application/x-qzbinary";
// L, the number of bytes, unsigned 32-bit little-endian, in front of the L bytes.
inline constexpr size_t kPrivateHeaderSize = 4;
// The most bytes the header can count.
inline constexpr int64_t kMaxPrivateLength = 0xFFFFFFFF;

// The private data of n bytes (at most kMaxPrivateLength): the header, then the bytes.
std::string EncodePrivate(const uint8_t* bytes, size_t n);
// Turns private data into its bytes in place, L taken from the header and any rest ignored.
// False for data shorter than its header or than the length it claims.
bool DecodePrivate(std::string& data);
// Clipboard text (UTF-8) as bytes of the code page, up to its first zero character.
std::string ClipboardTextBytes(const std::string& utf8);

}  // namespace quoxa
