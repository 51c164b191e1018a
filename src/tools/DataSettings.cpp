#include "tools/DataSettings.h"

#include "settings/IniFile.h"
#include "settings/SettingsPath.h"

namespace quoxa {

namespace {

constexpr const char* kExport = "Export";
constexpr const char* kImport = "Import";

TDataFormat FormatOr(const std::string& name, TDataFormat fallback, bool importing) {
  const std::optional<TDataFormat> format = FormatFromName(name);
  return format && (!importing || Importable(*format)) ? *format : fallback;
}

}  // namespace

TExportChoices ReadExportChoices() {
  const TIniFile ini(SettingsFilePath());
  TExportChoices c;
  c.format = FormatOr(ini.ReadString(kExport, "Format", ""), c.format, false);
  c.recordBytes = ini.ReadInteger(kExport, "RecordBytes", 16) == 32 ? 32 : 16;
  c.startRecord = ini.ReadBool(kExport, "StartRecord", false);
  c.bytesPerLine = ini.ReadInteger(kExport, "LineBytes", 16) == 12 ? 12 : 16;
  return c;
}

TImportChoices ReadImportChoices() {
  const TIniFile ini(SettingsFilePath());
  TImportChoices c;
  c.format = FormatOr(ini.ReadString(kImport, "Format", ""), c.format, true);
  const int32_t fill = ini.ReadInteger(kImport, "Fill", 0xFF);
  c.fill = static_cast<uint8_t>(fill >= 0 && fill <= 0xFF ? fill : 0xFF);
  return c;
}

bool WriteExportChoices(const TExportChoices& c) {
  TIniBatch batch(SettingsFilePath());
  TIniFile ini(SettingsFilePath());
  ini.WriteString(kExport, "Format", FormatName(c.format));
  ini.WriteInteger(kExport, "RecordBytes", c.recordBytes);
  ini.WriteBool(kExport, "StartRecord", c.startRecord);
  ini.WriteInteger(kExport, "LineBytes", c.bytesPerLine);
  return batch.Done();
}

bool WriteImportChoices(const TImportChoices& c) {
  TIniBatch batch(SettingsFilePath());
  TIniFile ini(SettingsFilePath());
  ini.WriteString(kImport, "Format", FormatName(c.format));
  ini.WriteInteger(kImport, "Fill", c.fill);
  return batch.Done();
}

}  // namespace quoxa
