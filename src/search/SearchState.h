#pragma once
// The search's part of a document's state: where the last replacement stands, and what an
// edit there does to its undo. The options and strings are program-wide (SearchSettings.h).

#include <cstdint>

#include "settings/SearchSettings.h"

namespace quoxa {

// True when the last replacement ends at or after pos, so an edit there spoils its undo.
bool ReplacementReaches(int64_t pos);

// Disables Replace undo when an edit at pos reaches the last replacement.
void DropReplaceUndo(int64_t pos);

// Forget the last find and replacement (a document was loaded or created).
void ResetSearchPositions();

}  // namespace quoxa
