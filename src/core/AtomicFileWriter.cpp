#include "core/AtomicFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/FileIdentity.h"
#include "core/FileIo.h"

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

// True when the file at path (whose status is st) could hand its identity to the open file toFd.
bool IdentityCopied(const std::string& path, const struct stat& st, int toFd) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  const bool copied = CopyIdentity(fd, st, toFd);
  close(fd);
  return copied;
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

int AtomicFileWriter::Begin(const std::string& path, int64_t size) {
  Discard();
  written_ = flushed_ = 0;
  inPlace_ = false;
  temp_.clear();
  size_ = size;
  target_ = ResolveLinks(path);
  struct stat st {};
  targetExists_ = stat(target_.c_str(), &st) == 0;
  if (!targetExists_) {
    if (errno != ENOENT) return IoErrorFromErrno(errno, IoOp::Create);
    const int result = BeginTemp(nullptr);
    return result == kTryInPlace ? BeginInPlace(false) : result;
  }
  // Folders, devices and pipes are not replaced by a plain file.
  if (!S_ISREG(st.st_mode)) return kResultNotRegularFile;
  // Writing through the folder must not bypass the file's own protection.
  if (access(target_.c_str(), W_OK) != 0) return IoErrorFromErrno(errno, IoOp::Create);
  if (LockedByOther(target_)) return kIoSharingViolation;
  // A rename would leave other links with the old bytes.
  if (st.st_nlink == 1 && FolderWritable(DirectoryOf(target_))) {
    const int result = BeginTemp(&st);
    if (result != kTryInPlace) return result;
  }
  return BeginInPlace(true);
}

int AtomicFileWriter::BeginTemp(const struct stat* existing) {
  temp_ = TempTemplateFor(target_);
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
  const int opened = exists ? file_.OpenForOverwrite(target_) : file_.CreateNew(target_);
  if (opened != 0) return opened;
  created_ = !exists;
  const int reserved = file_.Reserve(size_);
  if (reserved != 0) Discard();
  return reserved;
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
    if (result == 0) created_ = false;
    return result;
  }
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
  // A file this write created is not left behind half written.
  if (created_) unlink(target_.c_str());
  pending_ = false;
  created_ = false;
}

int WriteFileSafely(const std::string& path, const uint8_t* data, int64_t size) {
  AtomicFileWriter writer;
  int result = writer.Begin(path, size);
  while (result == 0) {
    int64_t written = 0;
    result = writer.Write(data, size, written);
    if (result == 0 && written != size) result = kIoDiskFull;
    if (result != kIoDiskFull || !writer.FallBackInPlace(result)) break;
  }
  return result == 0 ? writer.Commit(std::nullopt) : result;
}

}  // namespace quoxa
