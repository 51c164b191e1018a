#pragma once
// Texts of the number, bit and patch tools.

namespace quoxa::msg {

inline constexpr const char* kByteOrderLittle = "Byte order: little-endian (Intel)";
inline constexpr const char* kByteOrderBig = "Byte order: big-endian (Motorola)";
inline constexpr const char* kNotAnInteger = "'%s' is not a valid integer value";
inline constexpr const char* kNotAFloat = "'%s' is not a valid floating point value";
inline constexpr const char* kRangeCheckError = "Range check error";
inline constexpr const char* kFloatOverflow = "Floating point overflow";
inline constexpr const char* kFloatUnderflow = "Floating point underflow";
inline constexpr const char* kWritingEncoded = "Writing encoded number...";
inline constexpr const char* kNotBp7Executable = "File is not a\nBorland Pascal 7.0 executable";
inline constexpr const char* kPatched = "File successfully patched";

// The lines of the decode dialog.
inline constexpr const char* kDecodedFrom = "Decoded from cursor position";
inline constexpr const char* kAsShortint = "%s as shortint: %d";
inline constexpr const char* kAsWord = "%s as word: %d";
inline constexpr const char* kAsInteger = "%s as integer: %d";
inline constexpr const char* kAsLongint = "%s as longint: %d";
inline constexpr const char* kAsSingle = "%s as 32 bit IEEE single: %g";
inline constexpr const char* kAsDouble = "%s as 64 bit IEEE double: %g";

// The data inspector.
inline constexpr const char* kDataInspector = "Data inspector";
inline constexpr const char* kInspectorInvalid = "invalid";
inline constexpr const char* kInspectorLebByte = "%s (1 byte)";
inline constexpr const char* kInspectorLebBytes = "%s (%d bytes)";
inline constexpr const char* kInspectorNotACharacter = "'%s' is not a valid character";
inline constexpr const char* kInspectorNotInCodePage = "'%s' is not a Windows-1252 character";
inline constexpr const char* kInspectorNotADate = "'%s' is not a valid date and time";
inline constexpr const char* kInspectorOddSecond = "DOS times have even seconds only";
inline constexpr const char* kInspectorNotAGuid = "'%s' is not a valid GUID";
inline constexpr const char* kInspectorReadOnly = "The document is read-only: the value can't be written";

// The value label of the bit dialog.
inline constexpr const char* kBitLabel = "decimal: %d  hex: %2.2x  binary: %s";

}  // namespace quoxa::msg
