#include "core/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/FileIdentity.h"
#include "core/FileIo.h"
#include "core/FileTexts.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "core/UserFolders.h"

namespace quoxa {

namespace {

// Keeps the temporary name within the usual 255-byte limit of a file name.
constexpr size_t kMaxBaseLength = 200;

// Written data is sent to the disk in steps of this size while the rest is still
// being written, so that the final flush has little left to wait for.
constexpr int64_t kWritebackStep = 8 << 20;

// BeginTemp's answer when the target is to be written in place instead.
constexpr int kTryInPlace = -1000;

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

std::string BaseOf(const std::string& target) {
  const size_t slash = target.find_last_of('/');
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  return base.substr(0, kMaxBaseLength);
}

std::string Beside(const std::string& dir, const std::string& name) {
  return (dir == "/" ? "" : dir) + "/" + name;
}

// ".name.quoxa-": what the temporary files of a save of name begin with.
std::string TempPrefixFor(const std::string& target) { return "." + BaseOf(target) + ".quoxa-"; }

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

// The rename is on the disk only once the folder is.
void SyncDirectory(const std::string& dir) {
  const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// True when the file at path (whose status is st) could hand its identity to the open file toFd.
bool IdentityCopied(const std::string& path, const struct stat& st, int toFd) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  const bool copied = CopyIdentity(fd, st, toFd);
  close(fd);
  return copied;
}

// A file mounted over a name of its folder (a bind mount) lies on another device than the
// folder; no rename can replace it.
bool MountedOver(const std::string& path, const struct stat& st) {
  struct stat dir {};
  return stat(DirectoryOf(path).c_str(), &dir) == 0 && dir.st_dev != st.st_dev;
}

// Backups of this user that no record names: their save was killed before it recorded them, so
// it never wrote the file. Another user's backups are theirs to deal with.
void RemoveOrphanBackups(const std::string& targetDir, const std::string& base) {
  std::vector<std::string> recorded;
  for (const TRecoveryRecord& record : PendingRecoveries()) recorded.push_back(record.copy);
  const auto orphan = [&recorded](const std::string& path, const struct stat& st) {
    return st.st_uid == geteuid() &&
           std::find(recorded.begin(), recorded.end(), Absolute(path)) == recorded.end();
  };
  RemoveUnlockedLeftovers(targetDir, "." + base + kBackupInfix, orphan);
  const std::string cache = XdgDirectory("XDG_CACHE_HOME", ".cache") + "/quoxa";
  RemoveUnlockedLeftovers(cache, base + kBackupInfix, orphan);
}

}  // namespace

std::string NoRoomForBackupText(const std::string& path) {
  return FormatMsgS(msg::kNoRoomForBackup, FileNameOnly(path));
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

int AtomicFileWriter::Begin(const std::string& path, int64_t size) {
  Discard();
  written_ = flushed_ = 0;
  inPlace_ = false;
  temp_.clear();
  size_ = size;
  target_ = ResolveLinks(path);
  const std::string dir = DirectoryOf(target_);
  // What earlier saves of this file left when their program was killed.
  RemoveUnlockedLeftovers(dir, TempPrefixFor(target_));
  RemoveOrphanBackups(dir, BaseOf(target_));
  struct stat st {};
  targetExists_ = stat(target_.c_str(), &st) == 0;
  if (!targetExists_) {
    if (errno != ENOENT) return IoErrorFromErrno(errno, IoOp::Create);
    const int result = BeginTemp(nullptr);
    return result == kTryInPlace ? BeginInPlace(false) : result;
  }
  // Folders, devices and pipes are not replaced by a plain file.
  if (!S_ISREG(st.st_mode)) return kResultNotRegularFile;
  // Writing through the folder must not bypass the file's own protection; the same rule
  // opens a file read-only.
  if (const int refused = WriteProtection(target_); refused != 0) return refused;
  if (LockedByOther(target_)) return kIoSharingViolation;
  // A rename would leave other links with the old bytes.
  if (st.st_nlink == 1 && !MountedOver(target_, st) && FolderWritable(dir)) {
    const int result = BeginTemp(&st);
    if (result != kTryInPlace) return result;
  }
  return BeginInPlace(true);
}

int AtomicFileWriter::BeginTemp(const struct stat* existing) {
  temp_ = Beside(DirectoryOf(target_), TempPrefixFor(target_) + "XXXXXX");
  const int created = file_.CreateUnique(temp_);
  if (created != 0) {
    temp_.clear();
    // A folder without room, or one that refuses new names, may still let the file be written.
    return created == kIoDiskFull || created == kIoAccessDenied ? kTryInPlace : created;
  }
  pending_ = true;
  if (existing != nullptr) {
    if (!IdentityCopied(target_, *existing, file_.Descriptor())) {
      Discard();
      return kTryInPlace;
    }
  } else {
    file_.SetOwnerAndMode(0, 0, 0666 & ~CurrentUmask(), false);
  }
  const int reserved = file_.Reserve(size_);
  if (reserved != 0) {
    Discard();
    return reserved == kIoDiskFull ? kTryInPlace : reserved;
  }
  return 0;
}

int AtomicFileWriter::BeginInPlace(bool exists) {
  inPlace_ = true;
  touched_ = false;
  const int opened = exists ? file_.OpenForOverwrite(target_) : file_.CreateNew(target_);
  if (opened != 0) return opened;
  created_ = !exists;
  const int reserved = file_.Reserve(size_);
  if (reserved != 0) {
    Discard();
    return reserved;
  }
  // A new file has nothing to lose.
  if (!exists || policy_ == BackupPolicy::None || MakeBackup()) return 0;
  if (policy_ == BackupPolicy::Ask && AskYesNo(NoRoomForBackupText(target_)) == mrYes) return 0;
  Discard();
  return policy_ == BackupPolicy::Ask ? kWriteDeclined : kIoDiskFull;
}

bool AtomicFileWriter::MakeBackup() {
  const int64_t size = file_.Size();
  const std::string name = BaseOf(target_) + kBackupInfix + "XXXXXX";
  const std::string dir = DirectoryOf(target_);
  if (FolderWritable(dir) && MakeBackupIn(Beside(dir, "." + name), size)) return true;
  const std::string cache = MakeXdgProgramDirectory("XDG_CACHE_HOME", ".cache");
  return !cache.empty() && MakeBackupIn(cache + "/" + name, size);
}

bool AtomicFileWriter::MakeBackupIn(const std::string& pathTemplate, int64_t size) {
  std::string path = pathTemplate;
  // The copy is the user's alone (created 0600) and stays locked while this write lasts.
  if (backup_.CreateUnique(path) != 0) return false;
  bool ok = backup_.Reserve(size) == 0;
  if (ok) {
    const int source = open(target_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    ok = source >= 0 && backup_.CopyFrom(source, size) == 0;
    if (source >= 0) close(source);
  }
  ok = ok && backup_.Sync() == 0;
  if (ok) {
    SyncDirectory(DirectoryOf(path));
    struct stat st {};
    backupRecord_ = TRecoveryRecord{};
    backupRecord_.kind = RecoveryKind::Backup;
    backupRecord_.target = Absolute(target_);
    backupRecord_.copy = Absolute(path);
    backupRecord_.size = size;
    if (file_.Status(st)) {
      // Size and time as the file was opened: reserving room may already have touched the time.
      backupRecord_.targetState = FileStateFrom(st);
      backupRecord_.targetState->size = size;
      backupRecord_.targetState->modTime = file_.ModTime();
    }
    // Only a recorded backup is found again after a crash.
    ok = StoreRecoveryRecord(backupRecord_);
  }
  if (!ok) {
    backup_.Close();
    unlink(path.c_str());
    return false;
  }
  backedUp_ = true;
  return true;
}

bool AtomicFileWriter::PutBackupBack() {
  if (!file_.IsOpen() && file_.OpenForOverwrite(target_) != 0) return false;
  const int64_t size = backupRecord_.size;
  bool ok = file_.CopyFrom(backup_.Descriptor(), size) == 0 && file_.Truncate(size) == 0;
  if (ok && backupRecord_.targetState) file_.SetModTime(backupRecord_.targetState->modTime);
  ok = ok && file_.Sync() == 0;
  file_.Close();
  return ok;
}

void AtomicFileWriter::DropBackup() {
  if (!backedUp_) return;
  DropRecovery(backupRecord_);
  backup_.Close();
  backedUp_ = false;
}

int AtomicFileWriter::Write(const uint8_t* data, int64_t n, int64_t& written) {
  if (inPlace_) touched_ = true;
  const int result = file_.Write(data, n, written);
  written_ += written;
  if (written_ - flushed_ >= kWritebackStep) {
    file_.StartWriteback(flushed_, written_ - flushed_);
    flushed_ = written_;
  }
  return result;
}

bool AtomicFileWriter::FallBackInPlace(int& result) {
  if (inPlace_ || !pending_) return false;
  Discard();
  written_ = flushed_ = 0;
  result = BeginInPlace(targetExists_);
  return result == 0;
}

int AtomicFileWriter::Commit(const std::optional<FileTime>& modTime) {
  if (inPlace_) {
    // The bytes first, then the new end: a shorter file loses its old tail only once they are safe.
    int result = file_.Sync();
    if (result == 0) result = file_.Truncate(written_);
    // A time that cannot be set is no reason to fail the save.
    if (result == 0 && modTime) file_.SetModTime(*modTime);
    if (result == 0) result = file_.Sync();
    const int closed = file_.Close();
    if (result == 0) result = closed;
    if (result == 0) {
      created_ = false;
      touched_ = false;
      DropBackup();
    }
    return result;
  }
  if (modTime) file_.SetModTime(*modTime);
  int result = file_.Sync();
  if (result != 0) return result;
  // The temporary file stays locked until renamed: no other save takes it for a leftover.
  tempLock_ = fcntl(file_.Descriptor(), F_DUPFD_CLOEXEC, 0);
  result = file_.Close();
  if (result != 0) return result;
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int err = errno;
    if (err == EBUSY || err == EXDEV) return CommitByCopy(modTime);
    return IoErrorFromErrno(err, IoOp::Close);
  }
  pending_ = false;
  SyncDirectory(DirectoryOf(target_));
  Discard();
  return 0;
}

int AtomicFileWriter::CommitByCopy(const std::optional<FileTime>& modTime) {
  const int source = open(temp_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (source < 0) return IoErrorFromErrno(errno, IoOp::Open);
  const int64_t size = written_;
  int result = BeginInPlace(true);
  if (result == 0) {
    touched_ = true;
    result = file_.CopyFrom(source, size);
    written_ = size;
  }
  close(source);
  if (result == 0) result = Commit(modTime);
  return result;
}

void AtomicFileWriter::Discard() {
  // A write in place that changed the file and cannot finish puts the old bytes back; when even
  // that fails, the backup stays for the user to restore.
  if (inPlace_ && touched_ && backedUp_ && !PutBackupBack()) {
    backup_.Close();
    backedUp_ = false;
  }
  DropBackup();
  file_.Close();
  if (pending_) unlink(temp_.c_str());
  if (tempLock_ >= 0) close(tempLock_);
  tempLock_ = -1;
  // A file this write created is not left behind half written.
  if (created_) unlink(target_.c_str());
  pending_ = false;
  created_ = false;
  touched_ = false;
}

int WriteFileSafely(const std::string& path, const uint8_t* data, int64_t size,
                    BackupPolicy policy) {
  AtomicFileWriter writer;
  writer.SetBackupPolicy(policy);
  int result = writer.Begin(path, size);
  while (result == 0) {
    int64_t written = 0;
    result = writer.Write(data, size, written);
    if (result == 0 && written != size) result = kIoDiskFull;
    if (result != kIoDiskFull || !writer.FallBackInPlace(result)) break;
  }
  if (result == kWriteDeclined) return kIoDiskFull;
  return result == 0 ? writer.Commit(std::nullopt) : result;
}

}  // namespace quoxa
