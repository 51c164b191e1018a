#pragma once
// Asking the user for a file name: what a command asks and what it gets back. The window
// answers through the program's file dialog; tests answer themselves.

#include <string>

namespace quoxa {

inline constexpr const char* kFileFilter = "*.*,*.exe";
inline constexpr const char* kOpenTitle = "Open file";
inline constexpr const char* kSaveAsTitle = "Save file as";
// The settings section of the file dialog's favourite folders.
inline constexpr const char* kFavorites = "Favorites";

struct FileQuestion {
  bool save = false;
  std::string title;
  std::string startDir;
  bool readOnlyBox = false;
  std::string filter = kFileFilter;
};

struct FileAnswer {
  bool ok = false;
  std::string path;
  bool readOnly = false;
};

class IFileAsker {
 public:
  virtual ~IFileAsker() = default;
  // The file dialog.
  virtual FileAnswer AskFileName(const FileQuestion& question) = 0;
};

}  // namespace quoxa
