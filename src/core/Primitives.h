#pragma once
// The editing primitives every command ends in. Each keeps DocSize, the page, the cursor
// and the block consistent, and records its change in the undo journal (Journal.h).

#include <cstdint>
#include <string>
#include <string_view>

namespace quoxa {

// Replaces removeLength bytes at pos by bytes; no view update. False when the range passes
// the end or memory for the growth could not be had (nothing changed then).
bool SpliceBytes(int64_t pos, int64_t removeLength, std::string_view bytes);
// Copies length bytes from source to pos inside the document, inserted before pos or written over
// the bytes from pos on; overlapping ranges copy as memmove does. No view update. False when a
// range does not fit or memory for the growth could not be had (nothing changed then).
bool CopyBytesWithin(int64_t source, int64_t length, int64_t pos, bool insert);
// Moves length bytes from source to stand before the byte at pos (outside source..source+length),
// in place and without growing. No view update. False when a range does not fit or memory for
// the moved bytes could not be had (nothing changed then).
bool MoveBytes(int64_t source, int64_t length, int64_t pos);
// Removes pos..pos+n-1; may shrink the block. False when the range passes the end
// or a shrink failed (the bytes are removed all the same then).
bool DeleteRange(int64_t pos, int64_t n);
// Empties the document, unmarks the block, shows the empty page. Not an edit: journals nothing.
void ClearDocument();
// Writes bytes over pos.. ; never extends the document.
bool OverwriteBytes(int64_t pos, const std::string& bytes);
// Inserts count copies of bytes before pos.
bool InsertBytes(int64_t pos, int64_t count, const std::string& bytes);
// Journals bytes a reader has just put into a gap opened at pos (Insert file).
void RecordInserted(int64_t pos, int64_t n);
// Typing in insert mode; the caller sets Modified, repaints and checks the block.
bool InsertByteAtCursor(uint8_t b);
// The same before the byte at p (p = DocSize + 1 appends).
bool InsertByteAt(int64_t p, uint8_t b);
// A typed byte: written over the byte at p (overwrite) or inserted before it, an empty document
// gets it as its only byte. One undo step; sets Modified, repaints, and after an insert drops
// what the move made stale (Replace undo, the block). The caller moves the cursor on.
bool StoreTypedByte(int64_t p, uint8_t b, bool overwrite);
// Del and Backspace.
void DeleteByteAtCursor();
// The same for the byte at p.
void DeleteByteAt(int64_t p);
// Delete from cursor (included) to the end.
void DeleteFromCursor();
// Delete from the beginning to the cursor (included).
void DeleteToCursor();
// Replaces each byte of first..last by its table entry, journaling what changed; gives the
// number of bytes that changed. No view update, Modified untouched.
int64_t ConvertRange(int64_t first, int64_t last, const uint8_t* table);
// An edit at or before the end of the last replacement makes its undo meaningless: the search,
// which knows the replacement, installs what drops it.
using EditReachHook = void (*)(int64_t pos);
void InstallReplaceUndoHook(EditReachHook hook);
void DropReplaceUndoIfReached(int64_t pos);

}  // namespace quoxa
