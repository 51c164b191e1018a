#include "core/Journal.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/FreeMemory.h"
#include "core/MemoryPolicy.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/View.h"

namespace quoxa {

namespace {

// Records from this size on are checked against the memory the system has free.
constexpr int64_t kCheckFreeFrom = int64_t{1} << 20;

// One splice as the pass sees it: where in the document before the pass, how many bytes
// go, and the bytes that come.
struct Cut {
  int64_t at;  // 0-based
  int64_t removed;
  const uint8_t* data;
  int64_t length;
};

std::vector<Cut> CutsOf(const TUndoStep& step, bool inverse) {
  std::vector<Cut> cuts;
  cuts.reserve(step.splices.size());
  const auto* removed = reinterpret_cast<const uint8_t*>(step.removed.data());
  const auto* inserted = reinterpret_cast<const uint8_t*>(step.inserted.data());
  int64_t shift = 0;
  const int64_t removedStep = step.sameRemoved ? 0 : 1;
  const int64_t insertedStep = step.sameInserted ? 0 : 1;
  for (const TSplice& s : step.splices) {
    if (inverse) {
      // After the step, splice k sits at its recorded position.
      cuts.push_back({s.pos - 1, s.inserted, removed, s.removed});
    } else {
      cuts.push_back({s.pos - 1 - shift, s.removed, inserted, s.inserted});
      shift += s.inserted - s.removed;
    }
    removed += s.removed * removedStep;
    inserted += s.inserted * insertedStep;
  }
  return cuts;
}

// Every cut in one pass over the document: front to back when it shrinks (or keeps its
// size), back to front when it grows; room for the growth is there already.
void ApplyInOnePass(const std::vector<Cut>& cuts, int64_t growth) {
  uint8_t* buf = WritableDocBuffer();
  const int64_t size = Doc().DocSize;
  if (growth <= 0) {
    int64_t w = cuts.front().at;
    int64_t c = w;
    for (const Cut& cut : cuts) {
      const int64_t keep = cut.at - c;
      if (keep > 0 && w != c) std::memmove(buf + w, buf + c, static_cast<size_t>(keep));
      w += keep;
      if (cut.length > 0) std::memcpy(buf + w, cut.data, static_cast<size_t>(cut.length));
      w += cut.length;
      c = cut.at + cut.removed;
    }
    if (w != c && size > c) std::memmove(buf + w, buf + c, static_cast<size_t>(size - c));
  } else {
    int64_t wEnd = size + growth;
    int64_t cEnd = size;
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
      const int64_t start = it->at + it->removed;
      const int64_t keep = cEnd - start;
      wEnd -= keep;
      if (keep > 0 && wEnd != start) std::memmove(buf + wEnd, buf + start, static_cast<size_t>(keep));
      wEnd -= it->length;
      if (it->length > 0) std::memcpy(buf + wEnd, it->data, static_cast<size_t>(it->length));
      cEnd = it->at;
    }
  }
  Doc().DocSize = size + growth;
}

// Replays a step forward (redo) or backward (undo). False when memory ran out.
bool Replay(const TUndoStep& step, bool inverse) {
  if (step.conversion) {
    if (inverse) {
      step.conversion->Undo(WritableDocBufferForConversion());
    } else {
      step.conversion->Redo(WritableDocBufferForConversion());
    }
    return true;
  }
  std::vector<Cut> cuts = CutsOf(step, inverse);
  int64_t growth = 0;
  for (const Cut& cut : cuts) growth += cut.length - cut.removed;
  if (growth > 0 && (Doc().DocSize + growth > kMaxDocSize || !EnsureCapacity(growth))) return false;
  if (step.onePass) {
    ApplyInOnePass(cuts, growth);
    // The block shrinks as after any delete; DocSize is already the new one.
    if (growth < 0) ReserveForSize(Doc().DocSize);
    return true;
  }
  if (inverse) {
    // Undone last splice first, each at its recorded position.
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
      if (!RawSplice(it->at + 1, it->removed, it->data, it->length)) return false;
    }
  } else {
    for (size_t k = 0; k < cuts.size(); ++k) {
      const TSplice& s = step.splices[k];
      if (!RawSplice(s.pos, cuts[k].removed, cuts[k].data, cuts[k].length)) return false;
    }
  }
  return true;
}

// True when the block marked now still denotes the same bytes after the step was replayed.
bool BlockSurvives(const TUndoStep& step, const int64_t* recorded) {
  if (!BlockMarked()) return true;
  if (Doc().BlockBegin == recorded[0] && Doc().BlockEnd == recorded[1]) return true;
  // Changes that keep every byte where it was move nothing under a block.
  const bool keepsPositions = step.conversion != nullptr || (!step.grows && !step.shrinks);
  return keepsPositions || Doc().BlockEnd < step.FirstPos();
}

// Undo and redo never ask anything: a box here would swallow the user's next key.
void ShowState(const TUndoStep& step, bool undone) {
  const int64_t* block = undone ? step.blockBefore : step.blockAfter;
  const int64_t first = step.FirstPos();
  DropReplaceUndoIfReached(first);
  if (Doc().DocSize == 0) {
    ClearDocument();
  } else if (step.blockPlaced || step.blockBefore[0] != step.blockAfter[0] ||
             step.blockBefore[1] != step.blockAfter[1]) {
    RestoreBlock(block[0], block[1]);
  } else if (!BlockSurvives(step, block)) {
    UnmarkBlock();
  }
  const int64_t cursor = undone ? step.cursorBefore : step.cursorAfter;
  GotoAddress(std::clamp<int64_t>(cursor, 1, std::max<int64_t>(Doc().DocSize, 1)), true, true);
  RefreshView();
  UpdateStatus();
}

// Appends a splice's bytes to its pool, or notes that they are the same as every splice's
// before it; the first different bytes write the shared ones out for each earlier splice.
void AddToPool(TRecordBytes& pool, bool& same, size_t before, const uint8_t* bytes, int64_t length) {
  const auto* text = reinterpret_cast<const char*>(bytes);
  const auto n = static_cast<size_t>(length);
  if (before == 0) {
    pool.assign(text, n);
    same = true;
    return;
  }
  if (same) {
    if (pool.size() == n && (n == 0 || std::memcmp(pool.data(), text, n) == 0)) return;
    TRecordBytes shared;
    shared.swap(pool);
    pool.reserve(shared.size() * (before + 1) + n);
    for (size_t k = 0; k < before; ++k) pool += shared;
    same = false;
  }
  pool.append(text, n);
}

}  // namespace

int64_t TUndoStep::Bytes() const {
  return static_cast<int64_t>(removed.size() + inserted.size() + splices.size() * sizeof(TSplice)) +
         static_cast<int64_t>(sizeof(TUndoStep)) + (conversion ? conversion->Bytes() : 0);
}

int64_t TUndoStep::FirstPos() const {
  if (conversion) return conversion->First();
  int64_t first = std::numeric_limits<int64_t>::max();
  for (const TSplice& s : splices) first = std::min(first, s.pos);
  return splices.empty() ? 1 : first;
}

void TUndoJournal::Begin() {
  if (depth_++ > 0) return;
  open_ = TUndoStep{};
  overflow_ = false;
  open_.cursorBefore = CursorAddress();
  open_.blockBefore[0] = Doc().BlockBegin;
  open_.blockBefore[1] = Doc().BlockEnd;
}

void TUndoJournal::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  Commit();
}

void TUndoJournal::Record(int64_t pos, const uint8_t* removed, int64_t removedLength, const uint8_t* inserted,
                          int64_t insertedLength) {
  if (replaying_ || Off() || (removedLength <= 0 && insertedLength <= 0)) return;
  JournalStep alone(*this);
  if (overflow_) return;
  SettleConversion();
  AddSplice(pos, removed, removedLength, inserted, insertedLength);
}

void TUndoJournal::BeginConversion(int64_t pos, const uint8_t* table) {
  if (open_.conversion && !open_.conversion->Continues(pos, table)) SettleConversion();
}

void TUndoJournal::RecordConversion(int64_t pos, int32_t n, const uint8_t* table, const uint8_t* before,
                                    const uint8_t* after, const uint16_t* mask, int32_t changed) {
  if (replaying_ || Off() || changed <= 0) return;
  JournalStep alone(*this);
  if (overflow_) return;
  if (open_.splices.empty() && (!open_.conversion || open_.conversion->Continues(pos, table))) {
    if (!Admit(TConversionUndo::CostOf(n, changed))) return;
    try {
      if (!open_.conversion) open_.conversion = std::make_unique<TConversionUndo>(table);
      open_.conversion->Add(pos, before, n, mask, changed);
    } catch (const std::bad_alloc&) {
      Overflow();
    }
    return;
  }
  int lo = 0;
  while (before[lo] == after[lo]) ++lo;
  int hi = n - 1;
  while (before[hi] == after[hi]) --hi;
  AddSplice(pos + lo, before + lo, hi - lo + 1, after + lo, hi - lo + 1);
}

bool TUndoJournal::Admit(int64_t bytes) {
  const bool tooLarge = open_.Bytes() + bytes > budget_ || (bytes >= kCheckFreeFrom && bytes > FreeMemoryBytes());
  if (tooLarge) Overflow();
  return !tooLarge;
}

void TUndoJournal::SettleConversion() {
  if (!open_.conversion || replaying_) return;
  const std::unique_ptr<TConversionUndo> conversion = std::move(open_.conversion);
  conversion->ForEachSpan(Doc().DocBuffer, [&](int64_t pos, const uint8_t* before, const uint8_t* after, int32_t n) {
    if (!overflow_) AddSplice(pos, before, n, after, n);
  });
}

void TUndoJournal::AddSplice(int64_t pos, const uint8_t* removed, int64_t removedLength, const uint8_t* inserted,
                             int64_t insertedLength) {
  if (!Admit(removedLength + insertedLength + static_cast<int64_t>(sizeof(TSplice)))) return;
  try {
    if (!open_.splices.empty()) {
      const TSplice& last = open_.splices.back();
      if (pos < last.pos + last.inserted) open_.onePass = false;
    }
    const size_t before = open_.splices.size();
    open_.splices.push_back({pos, removedLength, insertedLength});
    AddToPool(open_.removed, open_.sameRemoved, before, removed, removedLength);
    AddToPool(open_.inserted, open_.sameInserted, before, inserted, insertedLength);
  } catch (const std::bad_alloc&) {
    Overflow();
    return;
  }
  if (insertedLength > removedLength) open_.grows = true;
  if (insertedLength < removedLength) open_.shrinks = true;
  if (open_.grows && open_.shrinks) open_.onePass = false;
}

void TUndoJournal::Overflow() {
  overflow_ = true;
  open_ = TUndoStep{};
}

void TUndoJournal::Commit() {
  if (overflow_) {
    // Too large to keep: nothing before it can be undone either, the bytes no longer match.
    overflow_ = false;
    undo_.clear();
    redo_.clear();
    held_ = 0;
    baseId_ = nextId_++;
    ShowStatusNote(kCannotUndoNote);
    UpdateCommands();
    return;
  }
  if (open_.splices.empty() && !open_.conversion) return;
  open_.cursorAfter = CursorAddress();
  open_.blockAfter[0] = Doc().BlockBegin;
  open_.blockAfter[1] = Doc().BlockEnd;
  open_.id = nextId_++;
  for (const TUndoStep& step : redo_) held_ -= step.Bytes();
  redo_.clear();
  held_ += open_.Bytes();
  undo_.push_back(std::move(open_));
  open_ = TUndoStep{};
  DropOldestToBudget();
  UpdateCommands();
}

void TUndoJournal::DropOldestToBudget() {
  while (held_ > budget_ && undo_.size() > 1) {
    baseId_ = undo_.front().id;
    held_ -= undo_.front().Bytes();
    undo_.pop_front();
  }
}

bool TUndoJournal::Undo() {
  if (undo_.empty() || depth_ > 0) return false;
  replaying_ = true;
  const bool ok = Replay(undo_.back(), true);
  replaying_ = false;
  if (!ok) {
    ShowError(msg::kNoMemory);
    return false;
  }
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  Doc().Modified = !AtSavedState();
  ShowState(redo_.back(), true);
  UpdateCommands();
  return true;
}

bool TUndoJournal::Redo() {
  if (redo_.empty() || depth_ > 0) return false;
  replaying_ = true;
  const bool ok = Replay(redo_.back(), false);
  replaying_ = false;
  if (!ok) {
    ShowError(msg::kNoMemory);
    return false;
  }
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  Doc().Modified = !AtSavedState();
  ShowState(undo_.back(), false);
  UpdateCommands();
  return true;
}

void TUndoJournal::Reset() {
  undo_.clear();
  redo_.clear();
  open_ = TUndoStep{};
  depth_ = 0;
  overflow_ = false;
  held_ = 0;
  baseId_ = nextId_++;
  savedId_ = baseId_;
  UpdateCommands();
}

void TUndoJournal::UpdateCommands() const {
  Commands().SetEnabled(Cmd::Undo, Doc().ViewReady && CanUndo());
  Commands().SetEnabled(Cmd::Redo, Doc().ViewReady && CanRedo());
}

JournalStep::JournalStep() : JournalStep(Doc().Journal) {}

void UndoCommand() {
  if (!Doc().ViewReady || !Doc().Journal.CanUndo()) {
    ShowStatusNote(kNothingToUndoNote);
    return;
  }
  Doc().Journal.Undo();
}

void RedoCommand() {
  if (!Doc().ViewReady || !Doc().Journal.CanRedo()) {
    ShowStatusNote(kNothingToRedoNote);
    return;
  }
  Doc().Journal.Redo();
}

}  // namespace quoxa
