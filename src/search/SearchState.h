#pragma once
// The one set of search options and results shared by Find, Replace, scripts and the patch.

#include <cstdint>
#include <string>

namespace quoxa {

struct SearchState {
  std::string FindString;     // bytes searched for
  std::string ReplaceString;  // replacement bytes, may be empty
  bool CaseSensitive = true;
  bool JokerEnabled = false;
  uint8_t JokerByte = 0x2E;
  bool FromCursor = true;
  bool SearchDown = true;
};

SearchState& Search();

// True when the last replacement ends at or after pos, so an edit there spoils its undo.
bool ReplacementReaches(int64_t pos);

// Forget the last find and replacement (a document was loaded or created).
void ResetSearchPositions();

}  // namespace quoxa
