#pragma once
// The Print dialog's settings (section "Printing") and the checks of its fields.

#include <array>
#include <cstdint>
#include <string>

#include "print/DumpFormat.h"

namespace quoxa {

struct PrintSettings {
  int32_t unit = 0;                               // 0 mm, 1 inch
  std::array<double, 4> margins{15, 15, 15, 15};  // left, right, top, bottom in the unit
  int32_t printerIndex = 0;
  int32_t fontSizeIndex = 1;                      // in kPrintFontSizes
  std::string bytesPerRow = "16";
  bool landscape = false;
  bool offsetDecimal = false;
  bool textBelow = false;
  bool outputToFile = false;
};

inline constexpr int32_t kPrintFontSizes[] = {8, 10, 12};
inline constexpr const char* kBytesPerRowChoices[] = {"10", "16", "24", "25", "32", "40", "48"};

// The most bytes per row any output takes.
constexpr int32_t kMaxDumpBytesPerRow = 1024;

// Reads section "Printing" of the settings file; missing or unusable values give the defaults.
PrintSettings ReadPrintSettings();
// Writes section "Printing"; false when the settings file could not be written.
bool WritePrintSettings(const PrintSettings& settings);

// The number a bytes-per-row text stands for, or 0 when it is empty, holds anything but
// digits or is above limit.
int32_t ParseBytesPerRow(const std::string& text, int32_t limit);

// The most bytes per row whose lines take at most charsPerLine characters.
int32_t BytesPerRowThatFit(int64_t charsPerLine, bool textBelow, int32_t offsetChars = kDumpOffsetChars);

// A margin converted for a change of the unit (0 mm, 1 inch), to two decimals.
double ConvertMargin(double value, int32_t fromUnit, int32_t toUnit);

}  // namespace quoxa
