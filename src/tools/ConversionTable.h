#pragma once
// The one character conversion table in force, its .qct files, and applying it to the document.

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace quoxa {

// Entry i is the byte that replaces byte value i; the identity changes nothing.
using TConversionTable = std::array<uint8_t, 256>;

extern TConversionTable ConversionTable;
// The table file last loaded or saved; empty when none.
extern std::string ConversionTableFile;

void ResetConversionTable();
TConversionTable IdentityTable();

// The .qct text of a table: "XX;YY" CR LF for every entry that is not the identity.
std::string FormatConversionTable(const TConversionTable& table);
// Reads .qct text into table (reset first): lines of exactly "hh;hh", LF or CR LF ended.
// False at the first malformed line; the lines before it stay applied.
bool ParseConversionTable(std::string_view text, TConversionTable& table);
bool ReadConversionTable(std::istream& in, TConversionTable& table);

bool LoadConversionTable(const std::string& path);
bool SaveConversionTable(const std::string& path);

struct ConversionResult {
  int64_t count = 0;
  bool complete = true;
};

// Converts from first to the end in a progress box with Cancel; the bytes changed before a
// cancel stay changed. One undo step.
ConversionResult ApplyConversion(int64_t first);

inline constexpr const char* kConversionTitle = "Character conversion table";
inline constexpr const char* kTableModifiedQuestion = "Conversion table modified. Save now?";
inline constexpr const char* kSaveTableTitle = "Save conversion table";
inline constexpr const char* kLoadTableTitle = "Load conversion table";
inline constexpr const char* kCurrentFilePosition = "Current file position";
inline constexpr const char* kReplacingCaption = "Replacing...";

}  // namespace quoxa
