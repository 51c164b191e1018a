#include "core/PlatformFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <vector>

namespace quoxa {

namespace {

struct IoFault {
  int err = 0;
  int64_t afterBytes = 0;
  int64_t doneBytes = 0;
  int strikes = -1;
};

IoFault readFault;
IoFault writeFault;
IoFault reserveFault;
int closeFaultErr = 0;

// The fault's error, counting one strike; after its last strike it is gone.
int Strike(IoFault& fault) {
  const int err = fault.err;
  if (fault.strikes > 0 && --fault.strikes == 0) fault = {};
  return err;
}

// Bytes the fault lets through before it strikes (n when there is none).
int64_t AllowedBy(const IoFault& fault, int64_t n) {
  if (fault.err == 0) return n;
  return std::clamp<int64_t>(fault.afterBytes - fault.doneBytes, 0, n);
}

// One read() or write() never asks for more than this.
constexpr int64_t kMaxTransfer = 0x40000000;

int MapOrUnmapped(IoOp op) { return IoErrorFromErrno(errno, op); }

// File systems of the kernel's own: their files show a size of 0 (or of a page) whatever they
// hold, and writing them sets what the kernel does rather than storing bytes.
bool IsPseudoFileSystem(const struct statfs& fs) {
  switch (static_cast<uint64_t>(fs.f_type)) {
    case 0x9fa0:      // proc
    case 0x62656572:  // sysfs
    case 0x64626720:  // debugfs
    case 0x74726163:  // tracefs
    case 0x73636673:  // securityfs
    case 0x27e0eb:    // cgroup
    case 0x63677270:  // cgroup2
    case 0x62656570:  // configfs
    case 0xde5e81e4:  // efivarfs
    case 0x6165676c:  // pstore
    case 0xcafe4a11:  // bpf
    case 0xf97cff8c:  // selinuxfs
    case 0x43415d53:  // smackfs
    case 0x42494e4d:  // binfmt_misc
    case 0x65735543:  // fusectl
      return true;
    default:
      return false;
  }
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

int IoErrorFromErrno(int err, IoOp op) {
  if (op == IoOp::Lock && (err == EAGAIN || err == EACCES)) return kIoSharingViolation;
  switch (err) {
    case ENOENT:
      // Creating in a folder that is not there: the path, not the file, is missing.
      return op == IoOp::Create ? kIoPathNotFound : kIoFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kIoPathNotFound;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kIoAccessDenied;
    case EBADF:
      return 6;
    case ENOMEM:
      return 8;
    case EXDEV:
      return 17;
    case EROFS:
      return 19;
    case ENXIO:
    case ENODEV:
      return 21;
    case ESPIPE:
      return 25;
    case EIO:
      return op == IoOp::Open || op == IoOp::Read ? kIoReadFault : kIoWriteFault;
    case ETXTBSY:
      return kIoSharingViolation;
    case ESTALE:
      return 55;
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTDOWN:
    case EHOSTUNREACH:
      return 59;
    case EEXIST:
      return 80;
    case EINVAL:
      return kIoInvalidParameter;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kIoDiskFull;
    default:
      return kUnmappedIoError;
  }
}

int64_t FileSizeOf(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return -1;
  return S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0;
}

int WriteProtection(const std::string& path) {
  if (access(path.c_str(), W_OK) != 0) {
    return errno == ENOENT ? 0 : IoErrorFromErrno(errno, IoOp::Create);
  }
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  // The superuser passes every access check; a file nobody may write still counts as protected.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || IsPseudoFile(path)) {
    return kIoAccessDenied;
  }
  return 0;
}

bool IsWriteProtected(const std::string& path) {
  const int refused = WriteProtection(path);
  return refused == kIoAccessDenied || refused == 19;
}

bool IsPseudoFile(const std::string& path) {
  struct statfs fs {};
  return statfs(path.c_str(), &fs) == 0 && IsPseudoFileSystem(fs);
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string ResolveLinks(const std::string& path) {
  std::string target = path;
  // The kernel's own limit; a longer chain fails later with ELOOP.
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    std::vector<char> link(static_cast<size_t>(std::max<off_t>(st.st_size, 0)) + PATH_MAX + 1);
    const ssize_t n = readlink(target.c_str(), link.data(), link.size() - 1);
    if (n <= 0) return target;
    const std::string to(link.data(), static_cast<size_t>(n));
    if (to.front() == '/') {
      target = to;
    } else {
      const std::string dir = DirectoryOf(target);
      target = (dir == "/" ? "" : dir) + "/" + to;
    }
  }
  return target;
}

bool FolderWritable(const std::string& dir) { return access(dir.c_str(), W_OK | X_OK) == 0; }

bool LockedByOther(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  bool held = fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
  // flock() locks are invisible to the query above; trying one is the only way to see them.
  if (!held && flock(fd, LOCK_EX | LOCK_NB) != 0) held = errno == EWOULDBLOCK;
  close(fd);
  return held;
}

int RemoveUnlockedLeftovers(
    const std::string& folder, const std::string& prefix,
    const std::function<bool(const std::string& path, const struct stat& st)>& removable) {
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return 0;
  int removed = 0;
  while (const struct dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    bool generated = true;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
      generated = generated && std::isalnum(static_cast<unsigned char>(name[i]));
    }
    if (!generated) continue;
    const std::string path = (folder == "/" ? "" : folder) + "/" + name;
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) continue;
    struct stat held {};
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    // A lock taken means no running writer holds the file; the name must still be that file.
    if (fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && (!removable || removable(path, held)) &&
        fcntl(fd, F_OFD_SETLK, &lock) == 0) {
      struct stat named {};
      if (lstat(path.c_str(), &named) == 0 && SameFile(named, held) && unlink(path.c_str()) == 0) {
        ++removed;
      }
    }
    close(fd);
  }
  closedir(listing);
  return removed;
}

PlatformFile::~PlatformFile() {
  if (fd_ >= 0) close(fd_);
}

int PlatformFile::OpenForReading(const std::string& path, bool shared) {
  Close();
  // Non-blocking, so that a FIFO cannot hang the open; such files are refused below.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return MapOrUnmapped(IoOp::Open);
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    const int err = MapOrUnmapped(IoOp::Open);
    close(fd);
    return err;
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    return kIoAccessDenied;
  }
  if (shared) {
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
      const int err = errno;
      // File systems without such locks are read without one.
      if (err == EAGAIN || err == EACCES) {
        close(fd);
        return IoErrorFromErrno(err, IoOp::Lock);
      }
    }
    // Programs that lock with flock() are kept from writing the same way.
    if (flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
      close(fd);
      return kIoSharingViolation;
    }
  }
  posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  struct statfs fs {};
  sizeUntold_ = st.st_size == 0 || (fstatfs(fd, &fs) == 0 && IsPseudoFileSystem(fs));
  fd_ = fd;
  size_ = st.st_size;
  modTime_ = {static_cast<int64_t>(st.st_mtim.tv_sec), static_cast<int32_t>(st.st_mtim.tv_nsec)};
  return 0;
}

int PlatformFile::CreateUnique(std::string& pathTemplate) {
  Close();
  std::vector<char> name(pathTemplate.begin(), pathTemplate.end());
  name.push_back('\0');
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return MapOrUnmapped(IoOp::Create);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  // File systems without such locks go without; the file is as good.
  [[maybe_unused]] const int locked = fcntl(fd, F_OFD_SETLK, &lock);
  pathTemplate.assign(name.data());
  fd_ = fd;
  size_ = 0;
  return 0;
}

int PlatformFile::OpenForOverwrite(const std::string& path) {
  Close();
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return MapOrUnmapped(IoOp::Create);
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return kIoAccessDenied;
  }
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (fcntl(fd, F_OFD_SETLK, &lock) != 0 && (errno == EAGAIN || errno == EACCES)) {
    close(fd);
    return kIoSharingViolation;
  }
  fd_ = fd;
  size_ = st.st_size;
  modTime_ = {static_cast<int64_t>(st.st_mtim.tv_sec), static_cast<int32_t>(st.st_mtim.tv_nsec)};
  return 0;
}

int PlatformFile::CreateNew(const std::string& path) {
  Close();
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) return MapOrUnmapped(IoOp::Create);
  fd_ = fd;
  size_ = 0;
  return 0;
}

int PlatformFile::Read(uint8_t* data, int64_t n, int64_t& got) {
  got = 0;
  const int64_t allowed = AllowedBy(readFault, n);
  while (got < allowed) {
    const ssize_t r = read(fd_, data + got, static_cast<size_t>(std::min(allowed - got, kMaxTransfer)));
    if (r < 0) {
      if (errno == EINTR) continue;
      return MapOrUnmapped(IoOp::Read);
    }
    if (r == 0) break;  // end of the file
    got += r;
  }
  readFault.doneBytes += got;
  if (got == allowed && allowed < n) return IoErrorFromErrno(Strike(readFault), IoOp::Read);
  return 0;
}

int PlatformFile::Write(const uint8_t* data, int64_t n, int64_t& written) {
  written = 0;
  const int64_t allowed = AllowedBy(writeFault, n);
  while (written < allowed) {
    const ssize_t r = write(fd_, data + written, static_cast<size_t>(std::min(allowed - written, kMaxTransfer)));
    if (r < 0) {
      if (errno == EINTR) continue;
      return MapOrUnmapped(IoOp::Write);
    }
    // A regular file that takes nothing has no room left.
    if (r == 0) break;
    written += r;
  }
  writeFault.doneBytes += written;
  if (written == allowed && allowed < n) return IoErrorFromErrno(Strike(writeFault), IoOp::Write);
  return written < n ? kIoDiskFull : 0;
}

int PlatformFile::Reserve(int64_t size) {
  if (reserveFault.err != 0) return IoErrorFromErrno(Strike(reserveFault), IoOp::Reserve);
  if (size <= 0) return 0;
  int r = 0;
  do {
    r = fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
  } while (r != 0 && errno == EINTR);
  if (r == 0) return 0;
  if (errno != EOPNOTSUPP && errno != ENOSYS) return MapOrUnmapped(IoOp::Reserve);
  // A file system that cannot reserve: the free space must at least hold what the file lacks.
  struct statvfs vfs {};
  struct stat st {};
  if (fstatvfs(fd_, &vfs) != 0 || fstat(fd_, &st) != 0) return 0;
  const int64_t missing = size - static_cast<int64_t>(st.st_blocks) * 512;
  const auto available = static_cast<uint64_t>(vfs.f_bavail) * vfs.f_frsize;
  return missing > 0 && static_cast<uint64_t>(missing) > available ? kIoDiskFull : 0;
}

int PlatformFile::Truncate(int64_t size) {
  while (ftruncate(fd_, static_cast<off_t>(size)) != 0) {
    if (errno != EINTR) return MapOrUnmapped(IoOp::Write);
  }
  return 0;
}

int PlatformFile::CopyFrom(int sourceFd, int64_t size) {
  loff_t in = 0;
  loff_t out = 0;
  // The kernel copies without the bytes passing through here, or shares the blocks.
  while (in < size) {
    const ssize_t n =
        copy_file_range(sourceFd, &in, fd_, &out,
                        static_cast<size_t>(std::min<int64_t>(size - in, kMaxTransfer)), 0);
    if (n > 0) continue;
    if (n == 0) return kIoReadFault;
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
      return MapOrUnmapped(IoOp::Write);
    }
    break;
  }
  std::vector<uint8_t> buffer(
      static_cast<size_t>(std::min<int64_t>(std::max<int64_t>(size - in, 0), 1 << 20)));
  while (in < size) {
    const ssize_t got = pread(
        sourceFd, buffer.data(),
        static_cast<size_t>(std::min<int64_t>(size - in, static_cast<int64_t>(buffer.size()))), in);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return MapOrUnmapped(IoOp::Read);
    if (got == 0) return kIoReadFault;
    for (ssize_t put = 0; put < got;) {
      const ssize_t n = pwrite(fd_, buffer.data() + put, static_cast<size_t>(got - put), out);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return MapOrUnmapped(IoOp::Write);
      if (n == 0) return kIoDiskFull;
      put += n;
      out += n;
    }
    in += got;
  }
  return 0;
}

bool PlatformFile::Status(struct stat& st) const { return fd_ >= 0 && fstat(fd_, &st) == 0; }

void PlatformFile::SetOwnerAndMode(uid_t owner, gid_t group, mode_t mode, bool withOwner) {
  // Ownership first: changing it may clear the set-id bits that the mode then restores.
  // Only a privileged user may give a file away; otherwise the file is the user's own.
  if (withOwner && fchown(fd_, owner, group) != 0) {
    [[maybe_unused]] const int groupOnly = fchown(fd_, static_cast<uid_t>(-1), group);
  }
  [[maybe_unused]] const int modeSet = fchmod(fd_, mode);
}

int PlatformFile::SetModTime(const FileTime& time) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(time.seconds);
  times[1].tv_nsec = time.nanoseconds;
  return futimens(fd_, times) == 0 ? 0 : MapOrUnmapped(IoOp::Close);
}

void PlatformFile::StartWriteback(int64_t offset, int64_t n) {
  sync_file_range(fd_, offset, n, SYNC_FILE_RANGE_WRITE);
}

int PlatformFile::Sync() {
  if (closeFaultErr != 0) return IoErrorFromErrno(closeFaultErr, IoOp::Close);
  while (fsync(fd_) != 0) {
    if (errno != EINTR) return MapOrUnmapped(IoOp::Close);
  }
  return 0;
}

int PlatformFile::Close() {
  if (fd_ < 0) return 0;
  const int r = close(fd_);
  fd_ = -1;
  if (closeFaultErr != 0) return IoErrorFromErrno(closeFaultErr, IoOp::Close);
  // After EINTR the descriptor is gone all the same and nothing was lost.
  if (r != 0 && errno != EINTR) return MapOrUnmapped(IoOp::Close);
  return 0;
}

void InjectIoFaultForTesting(IoOp op, int err, int64_t afterBytes, int strikes) {
  switch (op) {
    case IoOp::Read:
      readFault = {err, afterBytes, 0, strikes};
      break;
    case IoOp::Write:
      writeFault = {err, afterBytes, 0, strikes};
      break;
    case IoOp::Reserve:
      reserveFault = {err, 0, 0, strikes};
      break;
    case IoOp::Close:
      closeFaultErr = err;
      break;
    default:
      break;
  }
}

void ClearIoFaultsForTesting() {
  readFault = {};
  writeFault = {};
  reserveFault = {};
  closeFaultErr = 0;
}

}  // namespace quoxa
