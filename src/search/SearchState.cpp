#include "search/SearchState.h"

#include <algorithm>

namespace quoxa {

SearchState& Search() {
  static SearchState state;
  return state;
}

bool ReplacementReaches(int32_t pos) {
  const SearchState& s = Search();
  // A deleting replacement still owns its position: the bytes go back there.
  const int64_t length = std::max<int64_t>(1, static_cast<int64_t>(s.ReplaceString.size()));
  return s.LastReplaced != 0 && int64_t{s.LastReplaced} + length - 1 >= pos;
}

void ResetSearchPositions() {
  Search().LastFound = 0;
  Search().LastReplaced = 0;
}

}  // namespace quoxa
