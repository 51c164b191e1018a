#pragma once
// The one writer of every file the program saves. A save never destroys the
// user's file and never changes what the file is.
//
// Where it keeps the file's identity (the folder may be written, the file has one
// link and is no mount point, and its owner, group, mode and extended attributes can
// be given to a new file), the bytes go to a temporary file in the same folder, which
// replaces the target only once it is complete and on the disk. Otherwise the file is
// written in place: the room for the new contents is reserved first, so that a full
// disk is reported before a byte of the file changed; a copy of the file (its backup)
// is put on the disk, beside it or in $XDG_CACHE_HOME/quoxa, and recorded for recovery;
// then the bytes are written, flushed, the file is cut to its new length, and the backup
// goes. A write in place that fails puts the old bytes back from the backup; one the
// program did not live to finish leaves the backup to be offered at the next start.
// The in-place path is also taken when the temporary file finds no room, and when the
// rename is refused (a file mounted over another).
//
// A symbolic link is kept and the file it points to is written. A target the
// user may not write, a folder that is not there, and a target locked by another
// program are reported before anything is written. Temporary files that an earlier
// save left behind (the program was killed) go with the next save of the same file.

#include <optional>
#include <string>

#include "core/FileTime.h"
#include "core/PlatformFile.h"
#include "core/RecoveryStore.h"

namespace quoxa {

// The result of a write the user chose not to make: nothing was written, nothing to report.
constexpr int kWriteDeclined = -2;

// Part of a backup's name: ".name.quoxa-backup-XXXXXX" beside the file.
inline constexpr const char* kBackupInfix = ".quoxa-backup-";

// What a write in place does when no backup of the file fits anywhere.
enum class BackupPolicy {
  Ask,     // asks the user whether to write without one (No: kWriteDeclined)
  Refuse,  // writes nothing (disk full), asking nobody
  None,    // writes without one: the file is restored from a copy that exists already
};

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  // Discards an unfinished write.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void SetBackupPolicy(BackupPolicy policy) { policy_ = policy; }

  // Checks the target and prepares the write of size bytes; 0, an I/O error number, or
  // kWriteDeclined, or kResultNotRegularFile (FileIo.h) for a device, folder or pipe.
  int Begin(const std::string& path, int64_t size);
  // Appends n bytes; written receives how many were stored.
  int Write(const uint8_t* data, int64_t n, int64_t& written);
  // True when the bytes go straight into the target: an unfinished write cannot be undone.
  bool InPlace() const { return inPlace_; }
  // After Write found no room in the temporary file: true when the target is now
  // written in place, from its first byte again; result holds the error otherwise
  // (112 when the target has no room either, with nothing changed).
  bool FallBackInPlace(int& result);
  // Flushes the data, gives it modTime when set, and puts it in place of the target.
  int Commit(const std::optional<FileTime>& modTime);
  // Closes and removes the temporary file, leaving the target as it was (a write in place
  // that has begun is undone from the backup; without one it stays as far as it got).
  void Discard();

  // The file that is written (links followed) and the temporary one ("" when none).
  const std::string& TargetPath() const { return target_; }
  const std::string& TempPath() const { return temp_; }

 private:
  // 0, an error, or kTryInPlace when the temporary file cannot keep the identity or has no room.
  int BeginTemp(const struct stat* existing);
  int BeginInPlace(bool exists);
  // Takes the backup of the target opened in place; false when none fits.
  bool MakeBackup();
  bool MakeBackupIn(const std::string& pathTemplate, int64_t size);
  // The backup's bytes back into the target; true when they are all there again.
  bool PutBackupBack();
  void DropBackup();
  // The rename was refused: the finished temporary file is copied into the target in place.
  int CommitByCopy(const std::optional<FileTime>& modTime);

  PlatformFile file_;
  // A second hold on the temporary file's lock while the file itself is closed and renamed.
  int tempLock_ = -1;
  PlatformFile backup_;
  TRecoveryRecord backupRecord_;
  BackupPolicy policy_ = BackupPolicy::Ask;
  std::string target_;
  std::string temp_;
  int64_t size_ = 0;
  bool pending_ = false;   // a temporary file exists
  bool created_ = false;   // in place, the target was created by this write
  bool inPlace_ = false;
  bool targetExists_ = false;
  bool backedUp_ = false;  // a backup and its record exist
  bool touched_ = false;   // in place, bytes of the target were written
  int64_t written_ = 0;
  int64_t flushed_ = 0;
};

// Writes a whole file from memory through the writer; 0 or an I/O error number (a write the
// user declined for want of room for a backup is 112, disk full).
int WriteFileSafely(const std::string& path, const uint8_t* data, int64_t size,
                    BackupPolicy policy = BackupPolicy::Ask);

// "There is no room for a safety copy of name. ..." for a path.
std::string NoRoomForBackupText(const std::string& path);

}  // namespace quoxa
