#pragma once
// The marked block's bookkeeping shared by every edit.

#include <cstdint>

namespace quoxa {

// Both ends set.
bool BlockMarked();
// Sets one end of the block at the cursor: by the Block mark command (fromKey
// false) or by a Shift+movement key (fromKey true, forward for PgDn, End, Right
// and Down). True when a block exists afterwards.
bool MarkBlock(bool fromKey, bool forward);
// Enables or disables together the commands a block makes usable.
void SetBlockCommandsEnabled(bool on);
// Clears both ends, disables the block commands and redraws the grids.
void UnmarkBlock();
// A change at pos: a block ending at or after it is no longer valid.
void CheckBlock(int64_t pos);
// Sets both ends as they were (undo); 0, 0 unmarks.
void RestoreBlock(int64_t begin, int64_t end);
// Moves the block to start at newBegin, keeping its length.
void ShiftBlock(int64_t newBegin);

}  // namespace quoxa
