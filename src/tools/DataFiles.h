#pragma once
// Export to a file and import from one: the text made or read in pieces under a progress box
// with Cancel, written through the one safe writer.

#include <cstdint>
#include <string>

#include "tools/ExportFormat.h"
#include "tools/ImportImage.h"

namespace quoxa {

// Writes the text of size bytes at data to path; a failed or cancelled write leaves the file
// as it was (and no new file). 0 or a write result code for WriteErrorText (FileIo.h). The
// options must pass ExportProblem.
int32_t ExportToFile(const std::string& path, const TExportOptions& options, const uint8_t* data,
                     int64_t size);
// The same text to an open descriptor (standard output); 0 or an I/O error number.
int32_t ExportToDescriptor(int fd, const TExportOptions& options, const uint8_t* data,
                           int64_t size);

// Reads a whole file into bytes, telling progress (false cancels); 0 or a read result code for
// ReadErrorText (FileIo.h). A file the free memory cannot hold is refused before it is read.
int32_t ReadWholeFile(const std::string& path, std::string& bytes,
                      const ImportProgress& progress = {});

struct TImportOutcome {
  bool ok = false;
  std::string message;  // what went wrong, for the user
  TImportedImage image;
};

// Reads path and imports its text (ImportText) under one progress box; the message tells a
// fault of the file, of its reading or of its text, or the Cancel.
TImportOutcome ImportFile(const std::string& path, TDataFormat format, uint8_t fill);

}  // namespace quoxa
