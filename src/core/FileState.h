#pragma once
// Which file a name stands for, and what it held when it was looked at: enough to tell that
// another program replaced or changed it since.

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/FileTime.h"

namespace quoxa {

// Which file a document was read from, by device and inode: the same file under another name is
// still the same file.
struct TFileId {
  uint64_t device = 0;
  uint64_t inode = 0;
  friend bool operator==(const TFileId&, const TFileId&) = default;
};

// The file's identity with its size and modification time (to the nanosecond).
struct TFileState {
  TFileId id;
  int64_t size = 0;
  FileTime modTime;
  friend bool operator==(const TFileState&, const TFileState&) = default;
};

TFileState FileStateFrom(const struct stat& st);
// The state of the file a path names (links followed); none when there is no such file.
std::optional<TFileState> FileStateOf(const std::string& path);

}  // namespace quoxa
