#pragma once
// What a run leaves behind when it ends before its work is safe, to be offered at the next
// start: the copy of a file taken before the file is written in place (a backup), and the
// bytes of a modified document the program could not ask about when it had to end (unsaved
// changes). Each is a copy plus a record in $XDG_STATE_HOME/quoxa/recovery that names what
// the copy belongs to. A run still at work holds its copy locked.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/FileState.h"

namespace quoxa {

enum class RecoveryKind { Backup, Unsaved };

struct TRecoveryRecord {
  RecoveryKind kind = RecoveryKind::Backup;
  // The user's file; for a document never saved, its name (NoName1).
  std::string target;
  std::string copy;
  // Bytes the copy holds.
  int64_t size = 0;
  // Unsaved changes of a document that was never saved.
  bool untitled = false;
  // A backup: the file before the save. Unsaved changes: the file as read or last saved.
  std::optional<TFileState> targetState;
  // Where the record itself is kept; not part of its text.
  std::string path;
};

// $XDG_STATE_HOME/quoxa/recovery (~/.local/state/quoxa/recovery); it may not exist yet.
std::string RecoveryDirectory();

std::string FormatRecoveryRecord(const TRecoveryRecord& record);
// None for a text that is not a complete record.
std::optional<TRecoveryRecord> ParseRecoveryRecord(const std::string& text);

// Keeps the record on the disk under a new name (record.path receives it); false when it
// cannot be kept.
bool StoreRecoveryRecord(TRecoveryRecord& record);
// Removes the copy, then the record.
void DropRecovery(const TRecoveryRecord& record);

// Records left by runs that ended, oldest first. Those of a run still at work are left out;
// records whose copy is gone or incomplete are removed.
std::vector<TRecoveryRecord> PendingRecoveries();

// Writes a backup back over its file through the safe writer, with the file's old time; 0 or
// an I/O error number. The record and the copy stay.
int RestoreBackup(const TRecoveryRecord& record);

// Keeps the active document's unsaved changes as a copy with its record, when it is modified
// and the disk holds it with room to spare; asks nothing and shows nothing. True when kept.
bool KeepUnsavedChanges();

}  // namespace quoxa
