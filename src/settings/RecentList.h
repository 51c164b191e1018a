#pragma once
// The recently used files ("MRU Files") and the favourite folders ("Favorites"):
// plain path lists, most recent first, stored bare under the keys 0, 1, 2, ...
// Paths are compared exactly: Linux file names are case-sensitive.

#include <string>
#include <vector>

#include "settings/IniFile.h"

namespace quoxa {

class TRecentList {
 public:
  std::vector<std::string> Files;
  int FileCount = 5;     // most entries kept; the Options dialog offers 1 to 9
  int MaxLength = 30;    // captions are shortened to this many characters, 0 = never
  bool ShortCut = true;  // captions numbered "&1 ", "&2 ", ...

  // A file opened or saved under a new name: first in the list.
  void AddFile(const std::string& path);
  // Entry index chosen from the menu goes to the top.
  void MoveToTop(int index);
  void SetFileCount(int count);
  // Menu caption of entry index.
  std::string Caption(int index) const;

  // Reads the section in file order, cut to FileCount entries; never fails.
  void Load(const TIniFile& ini, const std::string& section);
  // Erases the section and writes every entry; false when a write failed.
  bool Save(TIniFile& ini, const std::string& section) const;
};

// The favourite folders of the file dialog: no maximum.
class TFavoriteList {
 public:
  std::vector<std::string> Items;

  // Puts the folder first (moving it when it is already listed).
  void Add(const std::string& folder);
  void Load(const TIniFile& ini, const std::string& section);
  bool Save(TIniFile& ini, const std::string& section) const;
};

// Shortens a path for a menu by replacing middle folders with "...": the root and
// as many of the last folders as fit stay. Lengths count characters, not bytes.
std::string ShortenPath(const std::string& path, int maxLength);

// Menu text with '&' doubled, so no character becomes an access key.
std::string EscapeAmpersands(const std::string& text);

}  // namespace quoxa
