#include "search/SearchEngine.h"

#include <algorithm>

#include "core/DocState.h"
#include "core/Progress.h"
#include "search/DocSearchProgress.h"
#include "search/SearchState.h"

namespace quoxa {

TQSearch& Searcher() {
  static TQSearch searcher;
  return searcher;
}

SearchOptions CurrentSearchOptions() {
  const SearchState& s = Search();
  return {s.CaseSensitive, s.JokerEnabled, s.JokerByte};
}

FindResult FindNextWith(int64_t pos, bool continuing, SearchProgress& progress) {
  SearchState& s = Search();
  int64_t from = pos;
  if (continuing) {
    const auto r = static_cast<int64_t>(s.ReplaceString.size());
    const bool afterDeletion = Doc().LastReplaced != 0 && pos == Doc().LastReplaced && r == 0;
    if (!afterDeletion) {
      if (Doc().LastReplaced != 0 && pos == Doc().LastReplaced + r - 1) {
        from = pos + 1;
      } else if (Doc().LastFound != 0 && pos == Doc().LastFound) {
        from = pos + static_cast<int64_t>(s.FindString.size());
      }
    }
  }
  bool abort = false;
  const int64_t result =
      Searcher().SearchForward(s.FindString, Doc().DocBuffer, Doc().DocSize, from, Doc().DocSize,
                               CurrentSearchOptions(), CurrentProgressBox() != nullptr ? &progress : nullptr, abort);
  FindResult found{pos, result > 0, abort};
  if (found.found) {
    found.pos = result;
    Doc().LastFound = result;
  }
  return found;
}

namespace {

// The backward search with the progress of its caller, so that a count reports like one long scan.
FindResult FindPreviousWith(int64_t pos, SearchProgress& progress) {
  SearchState& s = Search();
  int64_t end = pos;
  if (Doc().LastFound != 0 && pos == Doc().LastFound) end = pos - 1;
  bool abort = false;
  const int64_t result =
      Searcher().SearchBackward(s.FindString, Doc().DocBuffer, Doc().DocSize, end, 1, CurrentSearchOptions(),
                                CurrentProgressBox() != nullptr ? &progress : nullptr, abort);
  FindResult found{pos, result > 0, abort};
  if (found.found) {
    found.pos = result;
    Doc().LastFound = result;
  }
  return found;
}

}  // namespace

FindResult FindNext(int64_t pos, bool continuing) {
  ForwardDocProgress progress;
  return FindNextWith(pos, continuing, progress);
}

FindResult FindPrevious(int64_t pos) {
  BackwardDocProgress progress;
  return FindPreviousWith(pos, progress);
}

CountResult CountOccurrences(bool down, int64_t start) {
  CountResult counted;
  int64_t pos = start;
  const auto length = static_cast<int64_t>(Search().FindString.size());
  // The position only moves on, so one progress serves every search of the count.
  ForwardDocProgress forward;
  BackwardDocProgress backward;
  for (;;) {
    const FindResult found = down ? FindNextWith(pos, false, forward) : FindPreviousWith(pos, backward);
    if (found.aborted) {
      counted.completed = false;
      break;
    }
    if (!found.found) break;
    ++counted.count;
    pos = down ? found.pos + length : found.pos;
  }
  return counted;
}

}  // namespace quoxa
