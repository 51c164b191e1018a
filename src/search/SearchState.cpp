#include "search/SearchState.h"

#include <algorithm>

#include "core/Commands.h"
#include "core/DocState.h"

namespace quoxa {

bool ReplacementReaches(int64_t pos) {
  const SearchState& s = Search();
  // A deleting replacement still owns its position: the bytes go back there.
  const int64_t length = std::max<int64_t>(1, static_cast<int64_t>(s.ReplaceString.size()));
  return Doc().LastReplaced != 0 && Doc().LastReplaced + length - 1 >= pos;
}

void DropReplaceUndo(int64_t pos) {
  if (Commands().Enabled(Cmd::ReplaceUndo) && ReplacementReaches(pos)) Commands().SetEnabled(Cmd::ReplaceUndo, false);
}

void ResetSearchPositions() {
  Doc().LastFound = 0;
  Doc().LastFoundLength = 0;
  Doc().LastReplaced = 0;
}

}  // namespace quoxa
