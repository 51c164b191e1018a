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
#include <functional>
#include <grp.h>
#include <string>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

// Another program's hold on a file: an open file description with a whole-file
// record lock (F_RDLCK, F_WRLCK) or, withFlock, a flock() lock (LOCK_SH, LOCK_EX).
class OtherProgramLock {
 public:
  OtherProgramLock(const std::string& path, short type, bool withFlock = false) {
    const bool exclusive = withFlock ? type == LOCK_EX : type == F_WRLCK;
    fd_ = open(path.c_str(), exclusive && !withFlock ? O_RDWR : O_RDONLY);
    if (fd_ < 0) return;
    if (withFlock) {
      locked_ = flock(fd_, type | LOCK_NB) == 0;
      return;
    }
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    locked_ = fcntl(fd_, F_OFD_SETLK, &lock) == 0;
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

// The user and group "nobody", whom a test run as root becomes to meet permissions.
constexpr uid_t kNobody = 65534;

// Runs fn as an ordinary user: as "nobody" in a child process when the tests run as
// root, else directly. The user has state and cache folders of their own. fn's result
// (0..255), or -1 when the child failed.
inline int AsOrdinaryUser(const std::function<int()>& fn) {
  if (!RunningAsRoot()) return fn();
  TempDir own;
  if (chown(own.Path().c_str(), kNobody, kNobody) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(255);
    setenv("XDG_STATE_HOME", (own / "state").c_str(), 1);
    setenv("XDG_CACHE_HOME", (own / "cache").c_str(), 1);
    _exit(fn() & 0xff);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline ino_t InodeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st.st_ino;
}

// A small file system of its own (tmpfs), where a test may fill the disk; only the
// superuser may mount one, so Mounted() is false otherwise.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(int64_t bytes) {
    if (!RunningAsRoot() || dir_.Path().empty()) return;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    mounted_ = mount("quoxa-test", dir_.Path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) umount2(dir_.Path().c_str(), MNT_DETACH);
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  const TempDir& Dir() const { return dir_; }

 private:
  TempDir dir_;
  bool mounted_ = false;
};

}  // namespace quoxa::test
