#include "print/PrintSettings.h"

#include <cmath>

#include "print/DumpFormat.h"
#include "print/ReportRules.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"

namespace quoxa {

namespace {

constexpr const char* kSection = "Printing";
constexpr const char* kMarginKeys[] = {"MarginLeft", "MarginRight", "MarginTop", "MarginBottom"};
// Margins are kept in hundredths of the unit.
constexpr int32_t kDefaultMarginMM = 1500;
constexpr int32_t kDefaultMarginInch = 59;
constexpr int32_t kFontSizeCount = static_cast<int32_t>(std::size(kPrintFontSizes));

}  // namespace

PrintSettings ReadPrintSettings() {
  const TIniFile ini(SettingsFilePath());
  PrintSettings s;
  s.unit = ini.ReadInteger(kSection, "Unit", 0) == 1 ? 1 : 0;
  const int32_t fallback = s.unit == 0 ? kDefaultMarginMM : kDefaultMarginInch;
  for (size_t i = 0; i < s.margins.size(); ++i) {
    const int32_t hundredths = ini.ReadInteger(kSection, kMarginKeys[i], fallback);
    s.margins[i] = (hundredths >= 0 ? hundredths : fallback) / 100.0;
  }
  s.printerIndex = ini.ReadInteger(kSection, "PrinterIndex", 0);
  s.fontSizeIndex = ini.ReadInteger(kSection, "FontSizeIndex", 1);
  if (s.fontSizeIndex < 0 || s.fontSizeIndex >= kFontSizeCount) s.fontSizeIndex = 1;
  s.bytesPerRow = ini.ReadString(kSection, "BytesPerRow", "16");
  if (ParseBytesPerRow(s.bytesPerRow, kMaxDumpBytesPerRow) == 0) s.bytesPerRow = "16";
  s.landscape = ini.ReadBool(kSection, "Landscape", false);
  s.offsetDecimal = ini.ReadBool(kSection, "OffsetDecimal", false);
  s.textBelow = ini.ReadBool(kSection, "TextBelow", false);
  s.outputToFile = ini.ReadBool(kSection, "OutputToFile", false);
  return s;
}

bool WritePrintSettings(const PrintSettings& s) {
  TIniFile ini(SettingsFilePath());
  bool ok = ini.WriteInteger(kSection, "Unit", s.unit);
  for (size_t i = 0; i < s.margins.size() && ok; ++i) {
    ok = ini.WriteInteger(kSection, kMarginKeys[i], static_cast<int32_t>(std::lround(s.margins[i] * 100)));
  }
  ok = ok && ini.WriteInteger(kSection, "PrinterIndex", s.printerIndex);
  ok = ok && ini.WriteInteger(kSection, "FontSizeIndex", s.fontSizeIndex);
  ok = ok && ini.WriteString(kSection, "BytesPerRow", s.bytesPerRow);
  ok = ok && ini.WriteBool(kSection, "Landscape", s.landscape);
  ok = ok && ini.WriteBool(kSection, "OffsetDecimal", s.offsetDecimal);
  ok = ok && ini.WriteBool(kSection, "TextBelow", s.textBelow);
  ok = ok && ini.WriteBool(kSection, "OutputToFile", s.outputToFile);
  return ok;
}

int32_t ParseBytesPerRow(const std::string& text, int32_t limit) {
  if (text.empty()) return 0;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
    if (value > limit) return 0;
  }
  return static_cast<int32_t>(value);
}

int32_t BytesPerRowThatFit(int64_t charsPerLine, bool textBelow, int32_t offsetChars) {
  const int64_t free = charsPerLine - offsetChars;
  if (free <= 0) return 0;
  const int64_t n = free / (textBelow ? 3 : 4);
  return static_cast<int32_t>(n < kMaxDumpBytesPerRow ? n : kMaxDumpBytesPerRow);
}

double ConvertMargin(double value, int32_t fromUnit, int32_t toUnit) {
  if (fromUnit == toUnit) return value;
  return Round2(toUnit == 1 ? value * kInchPerMM : value * kMMPerInch);
}

}  // namespace quoxa
