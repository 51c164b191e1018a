#pragma once
// Find and count in the document with the shared search state: the operations behind the
// Find, Count and Replace commands, the script interpreter and the executable patch.

#include <cstdint>

#include "search/QSearch.h"

namespace quoxa {

// The program's one scanner; its tables stay prepared between searches.
TQSearch& Searcher();

struct FindResult {
  int64_t pos = 0;  // the occurrence's position when found, else the position given
  bool found = false;
  bool aborted = false;
};

struct CountResult {
  int64_t count = 0;
  bool completed = true;  // false when the user cancelled
};

// The search options of the shared search state.
SearchOptions CurrentSearchOptions();

// Forward search for FindString from pos to DocSize. continuing (Find again, Replace again,
// the dialogs) first steps over the occurrence or replacement the cursor stands on.
// On success LastFound is set to the occurrence.
FindResult FindNext(int64_t pos, bool continuing);

// FindNext reporting through the caller's progress, so that a loop of searches that only moves
// forward reports like one scan.
FindResult FindNextWith(int64_t pos, bool continuing, SearchProgress& progress);

// Backward search for an occurrence that ends at or before pos (before it when pos is
// LastFound). On success LastFound is set to the occurrence.
FindResult FindPrevious(int64_t pos);

// Non-overlapping occurrences from start downwards or upwards; LastFound ends on the last one counted.
CountResult CountOccurrences(bool down, int64_t start);

}  // namespace quoxa
