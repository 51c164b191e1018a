#pragma once
// One open file: its bytes, its name, its view, its undo history and what the search and the
// address commands remember of it. The program's commands act on the active document, Doc().
// Positions are 1-based; addresses shown to the user are position - 1 + AddressOrigin + BaseAddress.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/BookmarkList.h"
#include "core/FileState.h"
#include "core/FileTime.h"
#include "core/Journal.h"
#include "core/QZDynArray.h"

namespace quoxa {

constexpr int32_t kDefaultCols = 17;
constexpr int32_t kDefaultRows = 19;

class TDocument {
 public:
  TDocument();
  ~TDocument();
  TDocument(const TDocument&) = delete;
  TDocument& operator=(const TDocument&) = delete;

  // Frees the block and puts every member back to its start-up value; the bookmarks stay,
  // they outlive the file they were set in.
  void Reset();
  // Gives the block back; the document is empty and has no block afterwards.
  void FreeBlock();

  // Bytes the block can hold without growing (0 before the block is allocated).
  int64_t Capacity() const { return DocArray != nullptr ? DocArray->ByteSize() : 0; }
  uint8_t GetByte(int64_t pos) const { return DocBuffer[pos - 1]; }
  // Position of the byte under the cursor.
  int64_t CursorAddress() const { return int64_t{CursorRow} * BytesPerRow + TopAddress + CursorCol; }
  // The address the user sees for a position.
  int64_t DisplayAddress(int64_t pos) const { return pos - 1 + AddressOrigin + BaseAddress; }

  // The bytes. Read-only here: changes go through the journaled primitives (Primitives.h).
  const uint8_t* DocBuffer = nullptr;
  std::unique_ptr<TQZDynArray> DocArray;
  int64_t DocSize = 0;

  // The file.
  std::string FileName;
  std::optional<TFileId> FileId;
  // The file as it was read or last saved: a save first checks that nobody changed it since.
  std::optional<TFileState> DiskState;
  bool Modified = false;
  bool Untitled = false;
  bool ReadOnly = false;
  // Modification time of the file at its last Open; given back on save under OldFileTime.
  std::optional<FileTime> SavedFileTime;

  // The view of it.
  bool ViewReady = false;
  bool TextMode = false;
  bool OverwriteMode = false;
  int32_t BytesPerRow = kDefaultCols;
  int32_t VisibleRows = kDefaultRows;
  int64_t PageSize = kDefaultCols * kDefaultRows;
  int64_t TopAddress = 1;
  int64_t LastShownAddress = 0;
  int32_t CursorCol = 0;
  int32_t CursorRow = 0;
  int64_t BaseAddress = 0;
  // The address of the first byte: 0 for a file, the lowest address of an imported image.
  int64_t AddressOrigin = 0;

  // The marked block.
  int64_t BlockBegin = 0;
  int64_t BlockEnd = 0;
  // Which end follows the cursor while a block is extended by keys: -1 the begin
  // (the end is anchored), +1 the end (the begin is anchored), 0 not decided yet.
  int8_t BlockDirection = 0;

  // Every change, for Undo and Redo.
  TUndoJournal Journal;

  // The address commands: the remembered address (1 after a load) and the bookmarks.
  int64_t RememberedAddress = 1;
  TBookmarkList Bookmarks;

  // The search: the start of the last occurrence found, and the one level of Replace undo.
  int64_t LastFound = 0;      // 0 = none
  int64_t LastFoundLength = 0;  // of a regular expression's match at LastFound
  int64_t LastReplaced = 0;   // start of the last replacement, 0 = none
  std::string UndoBytes;      // what the last replaced occurrence held
  std::string ReplacedBytes;  // what the last replacement wrote at LastReplaced, so that its undo
                              // checks the very bytes even after the strings changed
};

namespace detail {
extern TDocument* activeDocument;
}

// Every document that exists, the program's own first: what concerns them all (the changes
// kept at an end nobody could ask about) reaches each.
const std::vector<TDocument*>& AllDocuments();

// The document the program's commands act on. The program starts with one of its own.
inline TDocument& Doc() { return *detail::activeDocument; }

// Makes doc the active document; the commands, the view and the journal follow it.
void SetActiveDocument(TDocument& doc);

// The active document while it lives; the one before it afterwards.
class ActiveDocumentScope {
 public:
  explicit ActiveDocumentScope(TDocument& doc) : previous_(Doc()) { SetActiveDocument(doc); }
  ~ActiveDocumentScope() { SetActiveDocument(previous_); }
  ActiveDocumentScope(const ActiveDocumentScope&) = delete;
  ActiveDocumentScope& operator=(const ActiveDocumentScope&) = delete;

 private:
  TDocument& previous_;
};

}  // namespace quoxa
