#pragma once
// File > Export as and File > Import on the active document, without the dialogs: the defaults
// the Export dialog starts from, the export of the file or the block, and the import that the
// document commands then show as a new document.

#include <cstdint>
#include <optional>
#include <string>

#include "tools/DataFiles.h"
#include "tools/ExportFormat.h"

namespace quoxa {

struct TExportSetup {
  int64_t fileSize = 0;
  bool blockMarked = false;
  int64_t blockLength = 0;
  // The addresses of the first byte of the file and of the block: the document's origin counts,
  // the 1-based display setting does not (an image exported and imported keeps its addresses).
  int64_t fileAddress = 0;
  int64_t blockAddress = 0;
  std::string fileName;
};

TExportSetup CurrentExportSetup();

// Writes the whole document or the marked block (false when none is) to path; shows what went
// wrong and returns false then. The options must pass ExportProblem for that size.
bool ExportDocument(const std::string& path, const TExportOptions& options, bool block);

// Reads a file for a new document; shows what went wrong and returns nullopt then.
std::optional<TImportedImage> ImportForDocument(const std::string& path, TDataFormat format,
                                                uint8_t fill);

// The name an imported document carries until it is saved: the file's name with ".bin" in place
// of its last extension ("fw.hex" -> "fw.bin", "fw.bin.b64" -> "fw.bin").
std::string ImportedDocumentName(const std::string& path);

}  // namespace quoxa
