#pragma once
// The one document and its view: process-wide state shared by every subsystem.
// Positions are 1-based; addresses shown to the user are position - 1 + BaseAddress.

#include <cstdint>
#include <optional>
#include <string>

#include "core/FileTime.h"
#include "core/QZDynArray.h"

namespace quoxa {

// Read-only here: changes go through the journaled primitives (Primitives.h).
extern const uint8_t* DocBuffer;
extern TQZDynArray* DocArray;
extern int32_t DocSize;
extern std::string FileName;
extern bool Modified;
extern bool Untitled;
extern bool ReadOnly;
extern bool ViewReady;
extern bool TextMode;
extern bool OverwriteMode;
extern int32_t BytesPerRow;
extern int32_t VisibleRows;
extern int32_t PageSize;
extern int32_t TopAddress;
extern int32_t LastShownAddress;
extern int32_t CursorCol;
extern int32_t CursorRow;
extern int32_t BlockBegin;
extern int32_t BlockEnd;
// Which end follows the cursor while a block is extended by keys: -1 the begin
// (the end is anchored), +1 the end (the begin is anchored), 0 not decided yet.
extern int8_t BlockDirection;
extern int32_t BaseAddress;
// The remembered address of the address commands; reset to 1 when a document is loaded.
extern int32_t RememberedAddress;
// Modification time of the file at its last Open; given back on save under OldFileTime.
extern std::optional<FileTime> SavedFileTime;

constexpr int32_t kDefaultCols = 17;
constexpr int32_t kDefaultRows = 19;

// Bytes the block can hold without growing (0 before start-up).
int32_t Capacity();

uint8_t GetByte(int32_t pos);

// Position of the byte under the cursor.
int32_t CursorAddress();

// The address the user sees for a position.
int64_t DisplayAddress(int32_t pos);

// LastShownAddress = min(DocSize, TopAddress + PageSize - 1).
void RecomputeLastShown();

// Sets BytesPerRow, VisibleRows and PageSize together.
void SetPageGeometry(int32_t cols, int32_t rows);

// Frees the buffer and puts every variable back to its start-up value (tests, shut-down).
void ResetDocumentState();

}  // namespace quoxa
