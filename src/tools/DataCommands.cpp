#include "tools/DataCommands.h"

#include "core/Block.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/Messages.h"
#include "core/PlatformFile.h"
#include "core/TextFormat.h"
#include "settings/Options.h"

namespace quoxa {

TExportSetup CurrentExportSetup() {
  TExportSetup s;
  s.fileSize = Doc().DocSize;
  s.blockMarked = BlockMarked();
  s.blockLength = s.blockMarked ? Doc().BlockEnd - Doc().BlockBegin + 1 : 0;
  s.fileAddress = Doc().AddressOrigin;
  s.blockAddress = s.blockMarked ? Doc().AddressOrigin + Doc().BlockBegin - 1 : s.fileAddress;
  s.fileName = FileNameOnly(Doc().FileName);
  return s;
}

bool ExportDocument(const std::string& path, const TExportOptions& options, bool block) {
  Options().CurrentDir = DirectoryOf(path);
  // The dialog offers the block only while one is marked.
  if (block && !BlockMarked()) return false;
  const int64_t from = block ? Doc().BlockBegin : 1;
  const int64_t count = block ? Doc().BlockEnd - Doc().BlockBegin + 1 : Doc().DocSize;
  const int32_t result = ExportToFile(path, options, Doc().DocBuffer + (from - 1), count);
  if (result != 0) ShowError(WriteErrorText(result, path));
  return result == 0;
}

std::optional<TImportedImage> ImportForDocument(const std::string& path, TDataFormat format,
                                                uint8_t fill) {
  Options().CurrentDir = DirectoryOf(path);
  TImportOutcome outcome = ImportFile(path, format, fill);
  if (!outcome.ok) {
    ShowError(outcome.message);
    return std::nullopt;
  }
  return std::move(outcome.image);
}

std::string ImportedDocumentName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  const bool extension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  const std::string stem = extension ? path.substr(0, dot) : path;
  const size_t stemDot = stem.find_last_of('.');
  const bool stemHasExtension =
      stemDot != std::string::npos && (slash == std::string::npos || stemDot > slash + 1);
  return stemHasExtension ? stem : stem + ".bin";
}

}  // namespace quoxa
