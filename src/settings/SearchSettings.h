#pragma once
// The one set of search options and strings shared by Find, Replace, scripts and the patch,
// kept program-wide and in the settings file.

#include <cstdint>
#include <string>

namespace quoxa {

struct SearchState {
  std::string FindString;     // bytes searched for
  std::string ReplaceString;  // replacement bytes, may be empty
  bool CaseSensitive = true;
  bool JokerEnabled = false;
  bool RegexEnabled = false;  // FindString is a regular expression
  uint8_t JokerByte = 0x2E;
  bool FromCursor = true;
  bool SearchDown = true;
};

SearchState& Search();

}  // namespace quoxa
