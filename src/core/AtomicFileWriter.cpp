#include "core/AtomicFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quoxa {

namespace {

// Keeps the temporary name within the usual 255-byte limit of a file name.
constexpr size_t kMaxBaseLength = 200;

// Written data is sent to the disk in steps of this size while the rest is still
// being written, so that the final flush has little left to wait for.
constexpr int64_t kWritebackStep = 8 << 20;

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

std::string TempTemplateFor(const std::string& target) {
  const size_t slash = target.find_last_of('/');
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  const std::string dir = DirectoryOf(target);
  return (dir == "/" ? "" : dir) + "/." + base.substr(0, kMaxBaseLength) + ".quoxa-XXXXXX";
}

// The rename is on the disk only once the folder is.
void SyncDirectory(const std::string& dir) {
  const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

int AtomicFileWriter::Begin(const std::string& path) {
  Discard();
  written_ = flushed_ = 0;
  target_ = ResolveLinks(path);
  struct stat st {};
  const bool exists = stat(target_.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return IoErrorFromErrno(errno, IoOp::Create);
  if (exists) {
    // Folders, devices and pipes are not replaced by a plain file.
    if (!S_ISREG(st.st_mode)) return kIoAccessDenied;
    // Replacing through the folder must not bypass the file's own protection.
    if (access(target_.c_str(), W_OK) != 0) return IoErrorFromErrno(errno, IoOp::Create);
    if (LockedByOther(target_)) return kIoSharingViolation;
  }
  temp_ = TempTemplateFor(target_);
  const int created = file_.CreateUnique(temp_);
  if (created != 0) {
    temp_.clear();
    return created;
  }
  pending_ = true;
  if (exists) {
    file_.SetOwnerAndMode(st.st_uid, st.st_gid, st.st_mode & 07777, true);
  } else {
    file_.SetOwnerAndMode(0, 0, 0666 & ~CurrentUmask(), false);
  }
  return 0;
}

int AtomicFileWriter::Write(const uint8_t* data, int64_t n, int64_t& written) {
  const int result = file_.Write(data, n, written);
  written_ += written;
  if (written_ - flushed_ >= kWritebackStep) {
    file_.StartWriteback(flushed_, written_ - flushed_);
    flushed_ = written_;
  }
  return result;
}

int AtomicFileWriter::Commit(const std::optional<FileTime>& modTime) {
  // A time that cannot be set is no reason to fail the save.
  if (modTime) file_.SetModTime(*modTime);
  int result = file_.Sync();
  if (result != 0) return result;
  result = file_.Close();
  if (result != 0) return result;
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) return IoErrorFromErrno(errno, IoOp::Close);
  pending_ = false;
  SyncDirectory(DirectoryOf(target_));
  return 0;
}

void AtomicFileWriter::Discard() {
  file_.Close();
  if (pending_) unlink(temp_.c_str());
  pending_ = false;
}

}  // namespace quoxa
