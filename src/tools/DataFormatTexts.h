#pragma once
// Texts of the export and import of firmware images, source arrays, Base64 and hex lines.
// A fault in an imported file is told as "line N: " and one of the texts of the readers.

namespace quoxa::msg {

inline constexpr const char* kLineFault = "line %d: %s";

// Readers.
inline constexpr const char* kNotHexDigit = "%s is not a hex digit";
inline constexpr const char* kRecordStart = "a record begins with \"%s\"";
inline constexpr const char* kOddHexDigits = "odd number of hex digits";
inline constexpr const char* kRecordTooShort = "the record is too short";
inline constexpr const char* kRecordLength = "the length byte says %d bytes, the record holds %d";
inline constexpr const char* kChecksum = "checksum error: the record says %s, its bytes give %s";
inline constexpr const char* kUnknownRecord = "unknown record type %s";
inline constexpr const char* kRecordDataLength = "a record of type %s holds %d data bytes, not %d";
inline constexpr const char* kNoEndRecord = "the file ends without an end-of-file record";
inline constexpr const char* kGivenTwice = "the byte at 0x%s was given before";
inline constexpr const char* kPastTopAddress = "the record passes address 0xFFFFFFFF";
inline constexpr const char* kRecordCount =
    "the record count says %d, but %d data records came before it";
inline constexpr const char* kNotBase64 = "%s is not a Base64 character";
inline constexpr const char* kAfterBase64End = "text after the end of the Base64 data";
inline constexpr const char* kBase64Incomplete = "the Base64 text ends in the middle of a group";

// Import as a whole.
inline constexpr const char* kSpanTooLarge =
    "The addresses 0x%s to 0x%s span %.0n bytes:\nmore than the free memory holds.";
inline constexpr const char* kImportTitle = "Import file";
inline constexpr const char* kImportingFile = "Importing file";

// Export.
inline constexpr const char* kExportTitle = "Export as";
inline constexpr const char* kExportFileTitle = "Export to file";
inline constexpr const char* kExportingFile = "Exporting file";
inline constexpr const char* kPastAddressRange =
    "The last byte would be at address 0x%s:\nIntel HEX and S-record files end at 0xFFFFFFFF.";
inline constexpr const char* kNotAnIdentifier =
    "'%s' is no name for a variable:\nuse letters, digits and \"_\", not a digit first.";
inline constexpr const char* kHeaderTooLong = "The header may hold at most %d characters.";
inline constexpr const char* kBadRecordWidth = "Records hold 16 or 32 bytes.";
inline constexpr const char* kBadLineWidth = "Lines hold 12 or 16 bytes.";
inline constexpr const char* kNotAnAddress =
    "'%s' is not an address:\ntype it in decimal, or in hex after 0x or $.";
inline constexpr const char* kNotAByte = "'%s' is not a byte:\ntype 0 to 255, or 0x00 to 0xFF.";

}  // namespace quoxa::msg
