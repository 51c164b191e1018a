#pragma once
// The POSIX file layer: open, read, write, flush and close one file, with errno
// turned into the program's I/O error numbers.
//
// Every call that can fail returns 0, an I/O error number below 250, or
// kUnmappedIoError when the system gave a reason the table has no number for
// (the caller then reports its own message).

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/FileTime.h"

namespace quoxa {

constexpr int kUnmappedIoError = -1;

// I/O error numbers the file routines produce themselves.
constexpr int kIoFileNotFound = 2;
constexpr int kIoPathNotFound = 3;
constexpr int kIoAccessDenied = 5;
constexpr int kIoWriteFault = 29;
constexpr int kIoReadFault = 30;
constexpr int kIoSharingViolation = 32;
constexpr int kIoInvalidParameter = 87;
constexpr int kIoDiskFull = 112;

// What was being done when errno was set; a few numbers depend on it.
enum class IoOp { Open, Create, Read, Write, Close, Lock, Reserve };

// The I/O error number for errno, or kUnmappedIoError.
int IoErrorFromErrno(int err, IoOp op);

// Size of a file in bytes: -1 when it does not exist, 0 for a folder or device.
int64_t FileSizeOf(const std::string& path);

// True when the file exists and the user may not write it (its read-only attribute): the
// system refuses it, nobody may write it (which binds the superuser as well), or it belongs to
// a file system of the kernel's own (/proc, /sys), which shows what it holds but is no file to
// save. Opening read-only and refusing a save follow this one rule.
bool IsWriteProtected(const std::string& path);
// 0 when the existing file may be written, else the I/O error number that refuses it.
int WriteProtection(const std::string& path);
// True when the file lies on a file system of the kernel's own (/proc, /sys and the like),
// whose files tell nothing true about their size and cannot be saved.
bool IsPseudoFile(const std::string& path);

// The file a path finally names once symbolic links are followed (the last
// component may not exist yet); the path itself when it is no link.
std::string ResolveLinks(const std::string& path);

// The folder part of a path ("." for a bare name).
std::string DirectoryOf(const std::string& path);

// True when the user may create and rename files in the folder.
bool FolderWritable(const std::string& dir);

// True when another open file description holds a lock on the file: a POSIX
// record lock or a flock() lock.
bool LockedByOther(const std::string& path);

// Removes the files in folder whose names start with prefix and end in six more characters
// (what CreateUnique made of prefix + "XXXXXX") that no open file description holds locked:
// the leftovers of writes whose program is gone. Those that removable (when given) refuses stay.
// Returns how many went.
int RemoveUnlockedLeftovers(
    const std::string& folder, const std::string& prefix,
    const std::function<bool(const std::string& path, const struct stat& st)>& removable = {});

// One open file descriptor, closed with the object.
class PlatformFile {
 public:
  PlatformFile() = default;
  ~PlatformFile();
  PlatformFile(const PlatformFile&) = delete;
  PlatformFile& operator=(const PlatformFile&) = delete;

  // Opens an existing regular file for reading. shared takes a read lock, which
  // fails with error 32 while another description holds a write lock.
  int OpenForReading(const std::string& path, bool shared);
  // Creates a new file from a template ending in "XXXXXX", which receives the name. The file
  // is held locked while open: a file of the pattern that nobody holds is a leftover.
  int CreateUnique(std::string& pathTemplate);
  // Opens an existing regular file for writing over it, holding a write lock
  // (error 32 while another description holds any lock).
  int OpenForOverwrite(const std::string& path);
  // Creates a file that must not exist yet, with the usual permissions.
  int CreateNew(const std::string& path);

  bool IsOpen() const { return fd_ >= 0; }
  // Read to its end whatever size it shows: a file of the kernel's own, or one that shows none.
  bool SizeUntold() const { return sizeUntold_; }
  // Size and modification time as they were when the file was opened.
  int64_t Size() const { return size_; }
  FileTime ModTime() const { return modTime_; }

  // Reads up to n bytes; got < n only at the end of the file or on an error.
  int Read(uint8_t* data, int64_t n, int64_t& got);
  // Writes n bytes; written < n only on an error.
  int Write(const uint8_t* data, int64_t n, int64_t& written);
  // Makes sure the first size bytes have room on the disk without changing the
  // file's size or contents; 112 when they do not fit.
  int Reserve(int64_t size);
  int Truncate(int64_t size);
  // Copies the first size bytes of the open file sourceFd over the first size bytes of this one.
  int CopyFrom(int sourceFd, int64_t size);
  // Status of the open file; false when it cannot be had.
  bool Status(struct stat& st) const;
  int Descriptor() const { return fd_; }
  // Gives the file an owner (when allowed) and permission bits.
  void SetOwnerAndMode(uid_t owner, gid_t group, mode_t mode, bool withOwner);
  int SetModTime(const FileTime& time);
  // Starts putting written bytes on the disk without waiting for them.
  void StartWriteback(int64_t offset, int64_t n);
  // Puts the data on the disk.
  int Sync();
  int Close();

 private:
  int fd_ = -1;
  int64_t size_ = 0;
  bool sizeUntold_ = false;
  FileTime modTime_;
};

// Test seam: once afterBytes bytes were read (Read) or written (Write) from now on,
// those calls fail with err; with Reserve, reserving fails; with Close, flushing
// and closing fail. The fault strikes strikes times (-1: until removed); err 0
// removes it.
void InjectIoFaultForTesting(IoOp op, int err, int64_t afterBytes = 0, int strikes = -1);
void ClearIoFaultsForTesting();

}  // namespace quoxa
