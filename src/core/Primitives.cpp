#include "core/Primitives.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/MemoryPolicy.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/View.h"
#include "search/SearchState.h"

namespace quoxa {

namespace {

constexpr int64_t kMaxSize = std::numeric_limits<int32_t>::max();

uint8_t* At(int32_t pos) { return DocBuffer + (pos - 1); }

// An edit at or before the end of the last replacement makes its undo meaningless.
void DropReplaceUndoIfReached(int32_t pos) {
  if (Commands().Enabled(Cmd::ReplaceUndo) && ReplacementReaches(pos)) Commands().SetEnabled(Cmd::ReplaceUndo, false);
}

// Deleting every byte is still a change the user must be asked to save.
void ClearAsEdit() {
  ClearDocument();
  Modified = true;
}

}  // namespace

bool OpenGap(int32_t pos, int64_t n) {
  if (n < 0 || pos < 1 || pos > int64_t{DocSize} + 1) return false;
  if (int64_t{DocSize} + n > kMaxSize) return false;
  if (!EnsureCapacity(n)) return false;
  if (n == 0) return true;
  std::memmove(At(pos) + n, At(pos), static_cast<size_t>(DocSize - pos + 1));
  DocSize += static_cast<int32_t>(n);
  return true;
}

bool DeleteRange(int32_t pos, int64_t n) {
  BusyScope busy(msg::kBusyDelete);
  if (pos < 1 || n < 0 || int64_t{pos} + n - 1 > DocSize) return false;
  if (n == 0) return true;
  if (n == DocSize) {
    ClearDocument();
    return true;
  }
  const int64_t tail = int64_t{DocSize} - (pos + n) + 1;
  std::memmove(At(pos), At(pos) + n, static_cast<size_t>(tail));
  const bool result = EnsureCapacity(-n);
  DocSize -= static_cast<int32_t>(n);
  return result;
}

void ClearDocument() {
  DocSize = 0;
  UnmarkBlock();
  GotoAddress(1, true, false);
  Commands().SetEnabled(Cmd::BookmarkAdd, false);
}

bool OverwriteBytes(int32_t pos, const std::string& bytes) {
  const auto length = static_cast<int64_t>(bytes.size());
  if (pos < 1 || int64_t{pos} + length - 1 > DocSize) {
    ShowError(msg::kOverwriteBeyondEnd);
    return false;
  }
  if (length > 0) std::memcpy(At(pos), bytes.data(), bytes.size());
  GotoAddress(static_cast<int32_t>(std::min<int64_t>(pos + length, DocSize)), true, true);
  Modified = true;
  return true;
}

bool InsertBytes(int32_t pos, int64_t count, const std::string& bytes) {
  const auto length = static_cast<int64_t>(bytes.size());
  if (count <= 0 || length == 0) return true;
  // Checked before multiplying: count x length must never wrap.
  if (count > kMaxSize / length || !OpenGap(pos, count * length)) {
    ShowError(msg::kNoMemory);
    return false;
  }
  uint8_t* dest = At(pos);
  for (int64_t i = 0; i < count; ++i, dest += length) std::memcpy(dest, bytes.data(), bytes.size());
  GotoAddress(static_cast<int32_t>(std::min<int64_t>(pos + length * count, DocSize)), true, true);
  Modified = true;
  return true;
}

bool InsertByteAtCursor(uint8_t b) {
  if (DocSize >= kMaxSize || !EnsureCapacity(1)) {
    ShowError(msg::kNoMemory);
    return false;
  }
  BusyScope busy(msg::kBusyInsert);
  const int32_t p = CursorAddress();
  if (p <= DocSize) std::memmove(At(p) + 1, At(p), static_cast<size_t>(DocSize - p + 1));
  ++DocSize;
  SetByte(p, b);
  RecomputeLastShown();
  return true;
}

void DeleteByteAtCursor() {
  if (DocSize == 1) {
    ClearAsEdit();
    return;
  }
  if (DocSize < 1) return;
  BusyScope busy(msg::kBusyDelete);
  const int32_t p = CursorAddress();
  DropReplaceUndoIfReached(p);
  std::memmove(At(p), At(p) + 1, static_cast<size_t>(DocSize - p));
  --DocSize;
  RecomputeLastShown();
  Modified = true;
  RefreshView();
  if (p > DocSize) {
    if (DocSize < TopAddress) {
      // The last byte was alone on the page: bring the new end into view.
      GotoAddress(DocSize, true, false);
    } else {
      const Cell cell = AddressToCell(DocSize);
      SetCursorCell(cell.col, cell.row);
    }
  }
  CheckBlock(p);
}

void DeleteFromCursor() {
  const int32_t p = CursorAddress();
  if (DocSize < 1) return;
  if (p == 1) {
    ClearAsEdit();
    return;
  }
  if (p == DocSize) {
    DeleteByteAtCursor();
    return;
  }
  DropReplaceUndoIfReached(p);
  DocSize = p - 1;
  Modified = true;
  GotoEnd();
  CheckBlock(p);
}

void DeleteToCursor() {
  if (DocSize == 0) return;
  const int32_t p = CursorAddress();
  if (p == DocSize) {
    ClearAsEdit();
    return;
  }
  Commands().SetEnabled(Cmd::ReplaceUndo, false);
  BusyScope busy(msg::kBusyDelete);
  std::memmove(At(1), At(p + 1), static_cast<size_t>(DocSize - p));
  DocSize -= p;
  Modified = true;
  GotoTop();
  // Every position moved, so even a block wholly before the cursor is stale.
  CheckBlock(1);
}

}  // namespace quoxa
