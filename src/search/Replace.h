#pragma once
// Replacing FindString by ReplaceString in the document: one occurrence at a time, all of them
// from a start position, and the one level of undo of the last replacement. Used by the Replace
// commands, the script interpreter and the executable patch.

#include <cstdint>
#include <string>

namespace quoxa {

struct ReplaceResult {
  int64_t pos = 0;  // last byte of the replacement (its position when empty), else the position given
  bool found = false;
  bool replaced = false;
  bool aborted = false;
  std::string failure;  // found but not replaced: the message the user was shown
};

struct ReplaceAllResult {
  int64_t first = 0;  // position of the first replacement, 0 = none
  int64_t count = 0;
  bool aborted = false;
  // Occurrences left for want of memory: the error shown, or the question answered No.
  std::string failure;
};

// Finds the next occurrence from pos (FindNext rules) and replaces it. A failure to make room
// is reported to the user and leaves the occurrence as it was.
ReplaceResult ReplaceNext(int64_t pos, bool continuing);

// Replaces every occurrence from start to the end; with useScope the start follows the scope
// option and the cursor (ReplaceAllStart). The document is consistent after a cancel: the
// occurrences before it are replaced, the rest is unchanged. The cursor ends on the last byte
// of the last replacement.
ReplaceAllResult ReplaceAll(int64_t start, bool useScope);

// Where Replace all starts: 1 without FromCursor, else the cursor, or the byte after it when the
// cursor stands on the last byte of the last replacement.
int64_t ReplaceAllStart();

// Restores the bytes of the last replacement when they still stand at LastReplaced. False when
// there was no memory for it: nothing changed and the undo can be tried again.
bool UndoReplacement();

// Copies the FindString-long range at pos (as much of it as the document holds) into UndoBytes.
void SaveFoundBytes(int64_t pos);

// Writes ReplaceString at pos when it fits inside the document; false (nothing written) otherwise.
bool WriteReplacement(int64_t pos);

// Moves the bytes from..to so that they start at dest; refuses (false, nothing moved) when
// from or dest is below 1, to or dest is beyond DocSize, to is below from, or the moved bytes
// would end beyond DocSize.
bool MoveBytesDown(int64_t from, int64_t to, int64_t dest);

}  // namespace quoxa
