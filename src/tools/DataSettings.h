#pragma once
// What the Export and Import dialogs remember (sections "Export" and "Import").

#include <cstdint>

#include "tools/ExportFormat.h"

namespace quoxa {

struct TExportChoices {
  TDataFormat format = TDataFormat::IntelHex;
  int32_t recordBytes = 16;
  bool startRecord = false;
  int32_t bytesPerLine = 16;
};

struct TImportChoices {
  TDataFormat format = TDataFormat::IntelHex;
  uint8_t fill = 0xFF;  // as erased flash reads
};

// Missing or unusable values give the defaults.
TExportChoices ReadExportChoices();
TImportChoices ReadImportChoices();
// False when the settings file could not be written.
bool WriteExportChoices(const TExportChoices& choices);
bool WriteImportChoices(const TImportChoices& choices);

}  // namespace quoxa
