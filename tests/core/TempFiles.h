#pragma once
// A private folder for file tests, and small helpers to make and inspect files in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "TempDir.h"
#include "core/FileTime.h"

namespace quoxa::test {

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// n bytes that repeat only after 251 (a prime), so a chunk out of place shows.
inline std::string Pattern(int64_t n, int seed = 0) {
  std::string s(static_cast<size_t>(n), '\0');
  for (int64_t i = 0; i < n; ++i) s[static_cast<size_t>(i)] = static_cast<char>((i + seed) % 251);
  return s;
}

inline FileTime ModTimeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return {static_cast<int64_t>(st.st_mtim.tv_sec), static_cast<int32_t>(st.st_mtim.tv_nsec)};
}

inline void SetModTime(const std::string& path, const FileTime& time) {
  struct timespec times[2];
  times[0] = {static_cast<time_t>(time.seconds), time.nanoseconds};
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// Seconds since the epoch of a local date and time.
inline int64_t LocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  struct tm t {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  return static_cast<int64_t>(mktime(&t));
}

inline mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Another program's hold on a file: an open file description with a whole-file lock.
class OtherProgramLock {
 public:
  OtherProgramLock(const std::string& path, short type) {
    fd_ = open(path.c_str(), type == F_WRLCK ? O_RDWR : O_RDONLY);
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    locked_ = fd_ >= 0 && fcntl(fd_, F_OFD_SETLK, &lock) == 0;
  }
  ~OtherProgramLock() {
    if (fd_ >= 0) close(fd_);
  }
  OtherProgramLock(const OtherProgramLock&) = delete;
  OtherProgramLock& operator=(const OtherProgramLock&) = delete;

  bool Locked() const { return locked_; }

 private:
  int fd_ = -1;
  bool locked_ = false;
};

// Permission checks do not bind the superuser.
inline bool RunningAsRoot() { return geteuid() == 0; }

}  // namespace quoxa::test
