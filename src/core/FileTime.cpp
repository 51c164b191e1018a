#include "core/FileTime.h"

#include <ctime>

namespace quoxa {

bool IsRestorableFileTime(const FileTime& time) {
  const auto seconds = static_cast<time_t>(time.seconds);
  struct tm local {};
  if (localtime_r(&seconds, &local) == nullptr) return false;
  const int64_t date = (int64_t{local.tm_year} + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
  return date >= 19800101;
}

}  // namespace quoxa
