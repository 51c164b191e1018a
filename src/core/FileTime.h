#pragma once
// A file's modification time, as the file system keeps it.

#include <cstdint>

namespace quoxa {

struct FileTime {
  int64_t seconds = 0;  // since 1970-01-01 00:00 UTC
  int32_t nanoseconds = 0;

  friend bool operator==(const FileTime&, const FileTime&) = default;
};

// True when the time's local date is 1980-01-01 or later: older times are never given back to a file.
bool IsRestorableFileTime(const FileTime& time);

}  // namespace quoxa
