#include "tools/DiffMode.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "tools/ByteCompare.h"

namespace quoxa {

namespace {

// Bytes compared between two flushes of the lines found.
constexpr int64_t kDiffStep = int64_t{64} << 20;

// A file's bytes: a regular file mapped (never read whole into memory), anything else read.
class TMappedFile {
 public:
  TMappedFile() = default;
  ~TMappedFile() {
    if (map_ != nullptr) munmap(map_, size_);
  }
  TMappedFile(const TMappedFile&) = delete;
  TMappedFile& operator=(const TMappedFile&) = delete;

  // False with errno set when the file could not be read.
  bool Open(const std::string& path) {
    const int fd = path == "-" ? dup(STDIN_FILENO) : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = false;
    struct stat st {};
    if (fstat(fd, &st) != 0) {
    } else if (S_ISDIR(st.st_mode)) {
      errno = EISDIR;
    } else if (S_ISREG(st.st_mode) && st.st_size > 0) {
      size_ = static_cast<size_t>(st.st_size);
      void* map = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
      if (map != MAP_FAILED) {
        map_ = map;
        ok = true;
      }
    } else {
      ok = ReadAll(fd);
    }
    const int saved = errno;
    close(fd);
    errno = saved;
    return ok;
  }

  std::span<const uint8_t> Bytes() const {
    if (map_ != nullptr) return {static_cast<const uint8_t*>(map_), size_};
    return {read_.data(), read_.size()};
  }

 private:
  bool ReadAll(int fd) {
    uint8_t piece[1 << 16];
    for (;;) {
      const ssize_t n = read(fd, piece, sizeof piece);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) return true;
      read_.insert(read_.end(), piece, piece + n);
    }
  }

  void* map_ = nullptr;
  size_t size_ = 0;
  std::vector<uint8_t> read_;
};

}  // namespace

int RunDiffMode(std::span<const std::string> args, std::FILE* out, std::FILE* err) {
  bool sameOffsets = false;
  if (!args.empty() && args[0] == "--same-offsets") {
    sameOffsets = true;
    args = args.subspan(1);
  }
  if (args.size() != 2) {
    std::fputs(kDiffUsage, err);
    return 2;
  }
  TMappedFile files[2];
  for (int k = 0; k < 2; ++k) {
    if (!files[k].Open(args[static_cast<size_t>(k)])) {
      std::fprintf(err, "quoxa: %s: %s\n", args[static_cast<size_t>(k)].c_str(), std::strerror(errno));
      return 2;
    }
  }
  TByteCompare compare(files[0].Bytes(), files[1].Bytes(), sameOffsets);
  std::vector<DiffRange> ranges;
  bool differ = false;
  bool more = true;
  while (more) {
    more = compare.Step(kDiffStep, ranges);
    for (const DiffRange& range : ranges) std::fputs(DiffLine(range).c_str(), out);
    differ = differ || !ranges.empty();
    ranges.clear();
  }
  if (std::fflush(out) != 0 || std::ferror(out) != 0) {
    std::fprintf(err, "quoxa: write error: %s\n", std::strerror(errno));
    return 2;
  }
  return differ ? 1 : 0;
}

}  // namespace quoxa
