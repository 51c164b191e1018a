#pragma once
// The one entry point for asking the user for a file name, so that every command
// uses the same dialog.

#include <string>

class QWidget;

namespace quoxa {

struct FileDialogRequest {
  bool save = false;
  std::string title;             // "Open file", "Save file as", ...
  std::string favoritesSection;  // settings section of favourite folders ("Favorites")
  std::string filter;            // e.g. "*.*,*.exe"
  std::string startDir;
  bool showReadOnly = false;     // offer the read-only check box
};

struct FileDialogResult {
  bool ok = false;
  std::string path;
  bool readOnly = false;
};

FileDialogResult ExecFileDialog(QWidget* parent, const FileDialogRequest& request);

}  // namespace quoxa
