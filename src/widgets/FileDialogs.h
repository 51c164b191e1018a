#pragma once
// The one entry point for asking the user for a file name, so that every command
// uses the same dialog (the program's own, TFormOSE).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace quoxa {

class TFormOSE;

struct FileDialogRequest {
  bool save = false;
  std::string title;             // "Open file", "Save file as", ...
  std::string favoritesSection;  // settings section of favourite folders ("Favorites")
  std::string filter;            // e.g. "*.*,*.exe"
  std::string startDir;
  bool showReadOnly = false;     // offer the read-only check box
  bool directory = false;        // choose a folder instead of a file
  bool multiple = false;         // open several files
  int64_t minFreeSpace = 0;      // saving: bytes the folder's drive must have free (0 = no check)
};

struct FileDialogResult {
  bool ok = false;
  std::string path;                // the chosen file (the first one when several)
  std::vector<std::string> paths;  // every chosen file
  std::string directory;           // the dialog's folder when it closed with OK
  bool readOnly = false;
};

FileDialogResult ExecFileDialog(QWidget* parent, const FileDialogRequest& request);

// Tests answer file questions themselves; an empty function restores the dialog.
void SetFileDialogAnswerer(std::function<FileDialogResult(const FileDialogRequest&)> answerer);

// The program's one file dialog, created on first use and destroyed when the
// application quits.
TFormOSE& ProgramFileDialog();

}  // namespace quoxa
