#include "search/SearchState.h"

namespace quoxa {

SearchState& Search() {
  static SearchState state;
  return state;
}

bool ReplacementReaches(int32_t pos) {
  const SearchState& s = Search();
  return s.LastReplaced != 0 &&
         int64_t{s.LastReplaced} + static_cast<int64_t>(s.ReplaceString.size()) - 1 >= pos;
}

void ResetSearchPositions() {
  Search().LastFound = 0;
  Search().LastReplaced = 0;
}

}  // namespace quoxa
