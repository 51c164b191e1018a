#pragma once
// The editing primitives every command ends in. Each keeps DocSize, the page,
// the cursor and the block consistent.

#include <cstdint>
#include <string>

namespace quoxa {

// Moves pos..DocSize up by n (growing first); the gap is the caller's to fill.
bool OpenGap(int32_t pos, int64_t n);
// Removes pos..pos+n-1; may shrink the block. False when the range passes the end
// or a shrink failed (the bytes are removed all the same then).
bool DeleteRange(int32_t pos, int64_t n);
// Empties the document, unmarks the block, shows the empty page.
void ClearDocument();
// Writes bytes over pos.. ; never extends the document.
bool OverwriteBytes(int32_t pos, const std::string& bytes);
// Inserts count copies of bytes before pos.
bool InsertBytes(int32_t pos, int64_t count, const std::string& bytes);
// Typing in insert mode; the caller sets Modified, repaints and checks the block.
bool InsertByteAtCursor(uint8_t b);
// Del and Backspace.
void DeleteByteAtCursor();
// Delete from cursor (included) to the end.
void DeleteFromCursor();
// Delete from the beginning to the cursor (included).
void DeleteToCursor();

}  // namespace quoxa
