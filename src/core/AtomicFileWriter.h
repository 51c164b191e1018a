#pragma once
// Writes a file so that the old one survives any failure: the bytes go to a
// temporary file in the same folder, which replaces the target only once it is
// complete and on the disk.
//
// A symbolic link is kept and the file it points to is replaced. An existing
// target keeps its permission bits (and owner, where the user may set it). A
// target the user may not write, a folder that is not there or cannot take the
// temporary file, and a target locked by another program are reported as errors
// before anything is written; the original is never truncated in place.

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

  // Checks the target and creates the temporary file; 0 or an I/O error number.
  int Begin(const std::string& path);
  // Appends n bytes; written receives how many were stored.
  int Write(const uint8_t* data, int64_t n, int64_t& written);
  // Flushes the data, gives it modTime when set, and puts it in place of the target.
  int Commit(const std::optional<FileTime>& modTime);
  // Closes and removes the temporary file, leaving the target as it was.
  void Discard();

  // The file that is replaced (links followed) and the temporary one ("" before Begin).
  const std::string& TargetPath() const { return target_; }
  const std::string& TempPath() const { return temp_; }

 private:
  PlatformFile file_;
  std::string target_;
  std::string temp_;
  bool pending_ = false;
  int64_t written_ = 0;
  int64_t flushed_ = 0;
};

}  // namespace quoxa
