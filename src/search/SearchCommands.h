#pragma once
// The Find, Count and Replace commands of the Search menu behind their dialogs: where each
// starts, the progress box, the cursor, the messages and which commands they enable.
// fromMenu: called by the menu item or its key (the cursor is the start); otherwise called
// after a dialog's OK, where the scope option decides.

#include <cstdint>

namespace quoxa {

// Find again down starts at the cursor (menu, key or FromCursor), else at 1.
int64_t FindDownStart(bool fromMenu);
// Find again up starts at the cursor (menu, key or FromCursor), else at DocSize.
int64_t FindUpStart(bool fromMenu);
// Count starts at the cursor with FromCursor, else at 1 down or DocSize up.
int64_t CountStart();
// Replace again down starts at the cursor (menu, key or FromCursor), else at 1.
int64_t ReplaceAgainStart(bool fromMenu);

// One search under a progress box; the cursor goes to the occurrence, or "String not found".
void FindAgainDown(bool fromMenu);
void FindAgainUp(bool fromMenu);

// Counts in the chosen direction and shows the count; the cursor goes to the last one counted.
void CountCommand();

// Replaces the next occurrence; the cursor goes to the replacement's last byte and Replace
// undo becomes usable.
void ReplaceAgainDown(bool fromMenu);

// Replaces every occurrence from the scope's start and shows how many.
void ReplaceAllCommand();

// Takes back the last replacement.
void ReplaceUndoCommand();

// The Find dialog closed: OK searches once in its direction and enables Find again; Cancel
// disables it. Either way Replace again and Replace undo are disabled.
void AfterFindDialog(bool accepted);

enum class ReplaceChoice { Cancel, ReplaceOne, ReplaceAll };

// The Replace dialog closed: Cancel disables Replace again and Replace undo; OK replaces one
// occurrence, Replace all every one, and both enable Replace again.
void AfterReplaceDialog(ReplaceChoice choice);

}  // namespace quoxa
