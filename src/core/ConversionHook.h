#pragma once
// The conversion table operations the script's CHARCON needs, behind a seam: the table
// subsystem installs its implementation; until then the table is the identity and no table
// file can be read.

#include <cstdint>
#include <string>

namespace quoxa {

struct ConversionRun {
  int32_t count = 0;       // bytes that changed
  bool completed = true;   // false when the user cancelled
};

class IConversionTables {
 public:
  virtual ~IConversionTables() = default;
  // Every entry maps a byte to itself.
  virtual void ResetConversionTable() = 0;
  // Reads a table file into the current table; false on any error.
  virtual bool LoadConversionTable(const std::string& path) = 0;
  // Converts the document from position from to its end, under its own progress box.
  virtual ConversionRun ApplyConversion(int32_t from) = 0;
};

// Installs the process-wide implementation; nullptr restores the identity default.
void InstallConversionTables(IConversionTables* tables);
IConversionTables& ConversionTables();

}  // namespace quoxa
