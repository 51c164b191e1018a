#pragma once
// The undo journal: every change to the document described once, as a splice (position,
// bytes removed, bytes inserted); the splices of one user command form one step.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/ConversionUndo.h"
#include "core/RecordMemory.h"

namespace quoxa {

// One change in the coordinates of the document as the splices before it left it.
struct TSplice {
  int64_t pos = 0;
  int64_t removed = 0;   // length in the step's removed pool
  int64_t inserted = 0;  // length in the step's inserted pool
};

struct TUndoStep {
  std::vector<TSplice> splices;
  // The bytes of all splices in order; while every splice removes (inserts) the same bytes,
  // as a replace all does, the pool holds them once.
  TRecordBytes removed;
  TRecordBytes inserted;
  bool sameRemoved = true;
  bool sameInserted = true;
  // A step that only converts bytes through one table keeps this instead of splices.
  std::unique_ptr<TConversionUndo> conversion;
  int64_t cursorBefore = 1;
  int64_t cursorAfter = 1;
  int64_t blockBefore[2] = {0, 0};
  int64_t blockAfter[2] = {0, 0};
  // The command itself put the block on its bytes: undo and redo give it back exactly.
  bool blockPlaced = false;
  // Ascending, apart, all growing or all shrinking: undone and redone in one pass.
  bool onePass = true;
  bool grows = false;
  bool shrinks = false;
  uint64_t id = 0;

  int64_t Bytes() const;
  int64_t FirstPos() const;
};

class TUndoJournal {
 public:
  // Opens a step; nested calls join the outer one. Outside any step a change is a step alone.
  void Begin();
  // Closes the step; a step without changes leaves the journal as it was.
  void End();
  // Describes a change about to be made at pos; removed are the bytes still there.
  void Record(int64_t pos, const uint8_t* removed, int64_t removedLength, const uint8_t* inserted,
              int64_t insertedLength);
  // Comes before a conversion from pos through table writes anything: a conversion record
  // it does not carry on is turned into splices while the bytes are as that one left them.
  void BeginConversion(int64_t pos, const uint8_t* table);
  // Describes a stretch of n bytes at pos just converted through table: before holds them as
  // they were, after as they are; mask and changed are their ChangedMask.
  void RecordConversion(int64_t pos, int32_t n, const uint8_t* table, const uint8_t* before, const uint8_t* after,
                        const uint16_t* mask, int32_t changed);

  // Turns the open step's conversion record into splices, so that other changes can follow
  // it; called before anything else writes to the document.
  void SettleConversion();

  // The open step's command put the block where it now is (a block copy or move).
  void NoteBlockPlaced() {
    if (depth_ > 0) open_.blockPlaced = true;
  }

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // False when memory for the bytes could not be had; the journal is then unchanged.
  bool Undo();
  bool Redo();

  // Forgets every step (a document was loaded, created or closed); the state is the saved one.
  void Reset();
  // The document as it is now is the one on disk.
  void MarkSaved() { savedId_ = CurrentId(); }
  bool AtSavedState() const { return savedId_ == CurrentId(); }
  // No state the journal holds is the one on disk (the document came from elsewhere).
  void MarkUnsaved() { savedId_ = kNoSavedState; }

  // Off, nothing is recorded (measuring what the journal costs).
  void SetActive(bool on) { active_ = on; }
  // A budget of 0 turns the journal off: nothing is recorded, nothing can be undone.
  void SetBudget(int64_t bytes) { budget_ = bytes; }
  int64_t Budget() const { return budget_; }
  int64_t BytesHeld() const { return held_; }
  size_t UndoDepth() const { return undo_.size(); }
  size_t RedoDepth() const { return redo_.size(); }
  bool Recording() const { return depth_ > 0; }

 private:
  static constexpr uint64_t kNoSavedState = UINT64_MAX;
  uint64_t CurrentId() const { return undo_.empty() ? baseId_ : undo_.back().id; }
  bool Off() const { return !active_ || budget_ <= 0; }
  void Commit();
  bool Admit(int64_t bytes);
  void AddSplice(int64_t pos, const uint8_t* removed, int64_t removedLength, const uint8_t* inserted,
                 int64_t insertedLength);
  void DropOldestToBudget();
  void Overflow();
  void UpdateCommands() const;

  std::deque<TUndoStep> undo_;
  std::deque<TUndoStep> redo_;
  TUndoStep open_;
  int depth_ = 0;
  bool overflow_ = false;
  bool replaying_ = false;
  bool active_ = true;
  int64_t held_ = 0;
  int64_t budget_ = int64_t{256} << 20;
  uint64_t nextId_ = 1;
  uint64_t baseId_ = 0;
  uint64_t savedId_ = 0;
};

// Holds a step open for one command: in the active document's journal, or in the one given.
class JournalStep {
 public:
  JournalStep();
  explicit JournalStep(TUndoJournal& journal) : journal_(journal) { journal_.Begin(); }
  ~JournalStep() { journal_.End(); }
  JournalStep(const JournalStep&) = delete;
  JournalStep& operator=(const JournalStep&) = delete;

 private:
  TUndoJournal& journal_;
};

// Shown in the status bar when a change was too large to keep for undo.
inline constexpr const char* kCannotUndoNote = "This change cannot be undone (not enough undo memory)";
// Shown in the same place for Undo or Redo with nothing to take back or do again.
inline constexpr const char* kNothingToUndoNote = "Nothing to undo";
inline constexpr const char* kNothingToRedoNote = "Nothing to redo";

// The Undo and Redo commands on the active document: with nothing to undo or redo (or no
// document) the status bar says so.
void UndoCommand();
void RedoCommand();

}  // namespace quoxa
