#pragma once
// The list behind a history button: most recent first, tidied to HistoryCount
// entries, stored in one settings section with every entry in double quotes.

#include <string>
#include <vector>

#include "settings/IniFile.h"

namespace quoxa {

class THistoryList {
 public:
  std::vector<std::string> Items;
  bool CaseSensitive = true;
  int HistoryCount = 8;

  // Removes one later duplicate of entry 0 (exact comparison) and cuts the list to HistoryCount.
  void Tidy();
  // A text confirmed in the edit: new texts go first, a known one changes places with entry 0.
  void Add(const std::string& text);
  // Entry index chosen from the drop-down: a copy goes first (the next tidy drops the old one).
  std::string Choose(int index);
  // Entries the Down and Up keys step to from the edit's text; -1 when the list is empty.
  int NextIndex(const std::string& editText) const;
  int PreviousIndex(const std::string& editText) const;

  // Nothing happens with an empty section name.
  void Load(const TIniFile& ini, const std::string& section);
  // false when the file could not be written.
  bool Save(TIniFile& ini, const std::string& section);
};

// A stored history value without its surrounding double quotes.
std::string UnquoteHistoryValue(const std::string& value);

// Index of the first entry equal to text ignoring ASCII case, or -1.
int IndexIgnoringCase(const std::vector<std::string>& items, const std::string& text);

}  // namespace quoxa
