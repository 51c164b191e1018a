#pragma once
// The one writer of every file the program saves. A save never destroys the
// user's file and never changes what the file is.
//
// Where it keeps the file's identity (the folder may be written, the file has one
// link, and its owner, group, mode and extended attributes can be given to a new
// file), the bytes go to a temporary file in the same folder, which replaces the
// target only once it is complete and on the disk. Otherwise the file is written
// in place: the room for the new contents is reserved first, so that a full disk
// is reported before a byte of the file changed; then the bytes are written,
// flushed, and the file is cut to its new length. The in-place path is also taken
// when the temporary file finds no room.
//
// A symbolic link is kept and the file it points to is written. A target the
// user may not write, a folder that is not there, and a target locked by another
// program are reported before anything is written.

#include <optional>
#include <string>

#include "core/FileTime.h"
#include "core/PlatformFile.h"

namespace quoxa {

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  // Discards an unfinished write.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Checks the target and prepares the write of size bytes; 0, an I/O error number, or
  // kResultNotRegularFile (FileIo.h) for a device, folder or pipe.
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
  // Closes and removes the temporary file, leaving the target as it was (a write
  // in place that has begun stays as far as it got).
  void Discard();

  // The file that is written (links followed) and the temporary one ("" when none).
  const std::string& TargetPath() const { return target_; }
  const std::string& TempPath() const { return temp_; }

 private:
  // 0, an error, or kTryInPlace when the temporary file cannot keep the identity or has no room.
  int BeginTemp(const struct stat* existing);
  int BeginInPlace(bool exists);

  PlatformFile file_;
  std::string target_;
  std::string temp_;
  int64_t size_ = 0;
  bool pending_ = false;   // a temporary file exists
  bool created_ = false;   // in place, the target was created by this write
  bool inPlace_ = false;
  bool targetExists_ = false;
  int64_t written_ = 0;
  int64_t flushed_ = 0;
};

// Writes a whole file from memory through the writer; 0 or an I/O error number.
int WriteFileSafely(const std::string& path, const uint8_t* data, int64_t size);

}  // namespace quoxa
