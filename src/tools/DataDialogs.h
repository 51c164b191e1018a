#pragma once
// File > Export as and File > Import: the dialog, then the file dialog, then the work.

#include <optional>
#include <string>

#include "tools/ImportImage.h"

class QWidget;

namespace quoxa {

class IFileAsker;

// Exports the document or its block as the user chooses.
void RunExportCommand(QWidget* owner, IFileAsker& host);

struct TImportedFile {
  TImportedImage image;
  std::string path;
};

// Asks for the format and the file and reads it; nullopt when the user cancelled or the file
// was refused (the reason shown).
std::optional<TImportedFile> RunImportCommand(QWidget* owner, IFileAsker& host);

}  // namespace quoxa
