#include "core/Primitives.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/ByteTable.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/Journal.h"
#include "core/MemoryPolicy.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/View.h"

namespace quoxa {

namespace {

uint8_t* At(int64_t pos) { return WritableDocBuffer() + (pos - 1); }

const uint8_t* Bytes(std::string_view s) { return reinterpret_cast<const uint8_t*>(s.data()); }

void RecordRemoval(int64_t pos, int64_t n) { Doc().Journal.Record(pos, At(pos), n, nullptr, 0); }

// Deleting every byte is still a change the user must be asked to save.
void ClearAsEdit() {
  RecordRemoval(1, Doc().DocSize);
  ClearDocument();
  Doc().Modified = true;
}

}  // namespace

namespace {
EditReachHook replaceUndoHook = nullptr;
}

void InstallReplaceUndoHook(EditReachHook hook) { replaceUndoHook = hook; }

void DropReplaceUndoIfReached(int64_t pos) {
  if (replaceUndoHook != nullptr) replaceUndoHook(pos);
}

bool OpenGap(int64_t pos, int64_t n) {
  if (n < 0 || pos < 1 || pos > Doc().DocSize + 1) return false;
  if (Doc().DocSize + n > kMaxDocSize) return false;
  if (!EnsureCapacity(n)) return false;
  if (n == 0) return true;
  std::memmove(At(pos) + n, At(pos), static_cast<size_t>(Doc().DocSize - pos + 1));
  Doc().DocSize += n;
  return true;
}

bool RemoveRange(int64_t pos, int64_t n) {
  BusyScope busy(msg::kBusyDelete);
  if (pos < 1 || n < 0 || pos + n - 1 > Doc().DocSize) return false;
  if (n == 0) return true;
  if (n == Doc().DocSize) {
    ClearDocument();
    return true;
  }
  const int64_t tail = Doc().DocSize - (pos + n) + 1;
  std::memmove(At(pos), At(pos) + n, static_cast<size_t>(tail));
  const bool result = EnsureCapacity(-n);
  Doc().DocSize -= n;
  return result;
}

bool RawSplice(int64_t pos, int64_t removeLength, const uint8_t* data, int64_t length) {
  if (pos < 1 || removeLength < 0 || length < 0 || pos + removeLength - 1 > Doc().DocSize) return false;
  if (length > removeLength) {
    if (!OpenGap(pos + removeLength, length - removeLength)) return false;
  } else if (length < removeLength) {
    const int64_t before = Doc().DocSize;
    if (!RemoveRange(pos + length, removeLength - length) && Doc().DocSize == before) return false;
  }
  if (length > 0) std::memcpy(At(pos), data, static_cast<size_t>(length));
  return true;
}

bool SpliceBytes(int64_t pos, int64_t removeLength, std::string_view bytes) {
  const auto length = static_cast<int64_t>(bytes.size());
  if (pos < 1 || removeLength < 0 || pos + removeLength - 1 > Doc().DocSize) return false;
  if (Doc().DocSize - removeLength + length > kMaxDocSize) return false;
  if (length > removeLength && !EnsureCapacity(length - removeLength)) return false;
  Doc().Journal.Record(pos, At(pos), removeLength, Bytes(bytes), length);
  return RawSplice(pos, removeLength, Bytes(bytes), length);
}

bool DeleteRange(int64_t pos, int64_t n) {
  if (pos < 1 || n < 0 || pos + n - 1 > Doc().DocSize) return false;
  if (n > 0) RecordRemoval(pos, n);
  return RemoveRange(pos, n);
}

bool CopyBytesWithin(int64_t source, int64_t length, int64_t pos, bool insert) {
  if (length < 0 || source < 1 || source + length - 1 > Doc().DocSize) return false;
  if (!insert) {
    if (pos < 1 || pos + length - 1 > Doc().DocSize) return false;
    if (length == 0) return true;
    Doc().Journal.Record(pos, At(pos), length, At(source), length);
    std::memmove(At(pos), At(source), static_cast<size_t>(length));
    return true;
  }
  if (pos < 1 || pos > Doc().DocSize + 1 || Doc().DocSize + length > kMaxDocSize) return false;
  if (length == 0) return true;
  if (!EnsureCapacity(length)) return false;
  Doc().Journal.Record(pos, nullptr, 0, At(source), length);
  OpenGap(pos, length);
  // The gap pushed up the part of the source at or behind pos; the part before pos stayed.
  const int64_t before = std::clamp<int64_t>(pos - source, 0, length);
  if (before > 0) std::memcpy(At(pos), At(source), static_cast<size_t>(before));
  if (before < length) {
    std::memcpy(At(pos) + before, At(source) + before + length, static_cast<size_t>(length - before));
  }
  return true;
}

bool MoveBytes(int64_t source, int64_t length, int64_t pos) {
  if (length < 0 || source < 1 || source + length - 1 > Doc().DocSize) return false;
  if (pos < 1 || pos > Doc().DocSize + 1) return false;
  if (length == 0 || (pos >= source && pos <= source + length)) return true;
  std::string moved;
  try {
    moved.assign(reinterpret_cast<const char*>(At(source)), static_cast<size_t>(length));
  } catch (const std::bad_alloc&) {
    return false;
  }
  // Recorded as a removal, then an insertion, so that replaying never needs more room.
  const int64_t target = pos < source ? pos : pos - length;
  Doc().Journal.Record(source, Bytes(moved), length, nullptr, 0);
  Doc().Journal.Record(target, nullptr, 0, Bytes(moved), length);
  if (pos < source) {
    std::memmove(At(pos) + length, At(pos), static_cast<size_t>(source - pos));
  } else {
    std::memmove(At(source), At(source) + length, static_cast<size_t>(target - source));
  }
  std::memcpy(At(target), moved.data(), moved.size());
  return true;
}

void ClearDocument() {
  Doc().DocSize = 0;
  UnmarkBlock();
  GotoAddress(1, true, false);
  Commands().SetEnabled(Cmd::BookmarkAdd, false);
}

bool OverwriteBytes(int64_t pos, const std::string& bytes) {
  const auto length = static_cast<int64_t>(bytes.size());
  if (pos < 1 || pos + length - 1 > Doc().DocSize) {
    ShowError(msg::kOverwriteBeyondEnd);
    return false;
  }
  if (length > 0) SpliceBytes(pos, length, bytes);
  GotoAddress(std::min(pos + length, Doc().DocSize), true, true);
  Doc().Modified = true;
  return true;
}

bool InsertBytes(int64_t pos, int64_t count, const std::string& bytes) {
  const auto length = static_cast<int64_t>(bytes.size());
  if (count <= 0 || length == 0) return true;
  // Checked before multiplying: count x length must never wrap.
  if (count > kMaxDocSize / length || !OpenGap(pos, count * length)) {
    ShowError(msg::kNoMemory);
    return false;
  }
  uint8_t* dest = At(pos);
  for (int64_t i = 0; i < count; ++i, dest += length) std::memcpy(dest, bytes.data(), bytes.size());
  RecordInserted(pos, count * length);
  GotoAddress(std::min(pos + length * count, Doc().DocSize), true, true);
  Doc().Modified = true;
  return true;
}

int64_t ConvertRange(int64_t first, int64_t last, const uint8_t* table) {
  first = std::max<int64_t>(first, 1);
  last = std::min(last, Doc().DocSize);
  int64_t count = 0;
  // A stretch at a time: kept aside (it stays in the cache), converted in place, journaled.
  uint8_t before[kConversionStretch];
  uint16_t mask[kConversionStretch / 16];
  Doc().Journal.BeginConversion(first, table);
  for (int64_t from = first; from <= last;) {
    const auto n = static_cast<int32_t>(std::min<int64_t>(kConversionStretch, last - from + 1));
    uint8_t* bytes = WritableDocBufferForConversion() + (from - 1);
    std::memcpy(before, bytes, static_cast<size_t>(n));
    TranslateBytes(bytes, n, table);
    const int32_t changed = ChangedMask(before, bytes, n, mask);
    if (changed > 0) {
      Doc().Journal.RecordConversion(from, n, table, before, bytes, mask, changed);
      count += changed;
    }
    from += n;
  }
  return count;
}

void RecordInserted(int64_t pos, int64_t n) {
  if (pos >= 1 && n > 0 && pos + n - 1 <= Doc().DocSize) Doc().Journal.Record(pos, nullptr, 0, At(pos), n);
}

bool InsertByteAtCursor(uint8_t b) { return InsertByteAt(CursorAddress(), b); }

bool InsertByteAt(int64_t p, uint8_t b) {
  if (p < 1 || p > Doc().DocSize + 1) return false;
  if (Doc().DocSize >= kMaxDocSize || !EnsureCapacity(1)) {
    ShowError(msg::kNoMemory);
    return false;
  }
  BusyScope busy(msg::kBusyInsert);
  Doc().Journal.Record(p, nullptr, 0, &b, 1);
  if (p <= Doc().DocSize) std::memmove(At(p) + 1, At(p), static_cast<size_t>(Doc().DocSize - p + 1));
  ++Doc().DocSize;
  SetByte(p, b);
  RecomputeLastShown();
  return true;
}

bool StoreTypedByte(int64_t p, uint8_t b, bool overwrite) {
  JournalStep step;
  if (Doc().DocSize == 0) {
    SpliceBytes(1, 0, std::string(1, static_cast<char>(b)));
    RefreshView();
  } else if (overwrite) {
    if (!SpliceBytes(p, 1, std::string(1, static_cast<char>(b)))) return false;
    UpdateStatus();
  } else {
    const bool inserted = InsertByteAt(p, b);
    // Without the byte the cells show the document again.
    RefreshView();
    if (!inserted) return false;
  }
  Doc().Modified = true;
  if (!overwrite) {
    // The bytes behind p moved: an undo of a replacement there would hit the wrong bytes.
    DropReplaceUndoIfReached(p);
    CheckBlock(p);
  }
  return true;
}

void DeleteByteAtCursor() { DeleteByteAt(CursorAddress()); }

void DeleteByteAt(int64_t p) {
  if (p < 1 || p > Doc().DocSize) return;
  if (Doc().DocSize == 1) {
    ClearAsEdit();
    return;
  }
  // The busy box lets queued events run, and one of them may move the cursor: p is fixed first.
  BusyScope busy(msg::kBusyDelete);
  DropReplaceUndoIfReached(p);
  RecordRemoval(p, 1);
  std::memmove(At(p), At(p) + 1, static_cast<size_t>(Doc().DocSize - p));
  --Doc().DocSize;
  RecomputeLastShown();
  Doc().Modified = true;
  RefreshView();
  if (p > Doc().DocSize) {
    if (Doc().DocSize < Doc().TopAddress) {
      // The last byte was alone on the page: bring the new end into view.
      GotoAddress(Doc().DocSize, true, false);
    } else {
      const Cell cell = AddressToCell(Doc().DocSize);
      SetCursorCell(cell.col, cell.row);
    }
  }
  CheckBlock(p);
}

void DeleteFromCursor() {
  const int64_t p = CursorAddress();
  if (Doc().DocSize < 1) return;
  if (p == 1) {
    ClearAsEdit();
    return;
  }
  if (p == Doc().DocSize) {
    DeleteByteAtCursor();
    return;
  }
  DropReplaceUndoIfReached(p);
  RecordRemoval(p, Doc().DocSize - p + 1);
  Doc().DocSize = p - 1;
  Doc().Modified = true;
  GotoEnd();
  CheckBlock(p);
}

void DeleteToCursor() {
  if (Doc().DocSize == 0) return;
  const int64_t p = CursorAddress();
  if (p == Doc().DocSize) {
    ClearAsEdit();
    return;
  }
  Commands().SetEnabled(Cmd::ReplaceUndo, false);
  BusyScope busy(msg::kBusyDelete);
  RecordRemoval(1, p);
  std::memmove(At(1), At(p + 1), static_cast<size_t>(Doc().DocSize - p));
  Doc().DocSize -= p;
  Doc().Modified = true;
  GotoTop();
  // Every position moved, so even a block wholly before the cursor is stale.
  CheckBlock(1);
}

}  // namespace quoxa
