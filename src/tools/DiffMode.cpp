#include "tools/DiffMode.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "tools/ByteCompare.h"

namespace quoxa {

namespace {

// Bytes compared between two flushes of the lines found.
constexpr int64_t kDiffStep = int64_t{64} << 20;
// The equal start of two files is read in pieces of this size: no mapping to set up for files
// that turn out equal, as cmp does.
constexpr size_t kStreamPiece = size_t{1} << 20;

// One file of the compare: a regular file is read in pieces or mapped from an offset on, never
// read whole into memory; anything else (a pipe, standard input) is read whole.
class TDiffFile {
 public:
  TDiffFile() = default;
  ~TDiffFile() {
    if (map_ != nullptr) munmap(map_, mapSize_);
    if (fd_ >= 0) close(fd_);
  }
  TDiffFile(const TDiffFile&) = delete;
  TDiffFile& operator=(const TDiffFile&) = delete;

  // False with errno set when the file could not be opened or read.
  bool Open(const std::string& path) {
    fd_ = path == "-" ? dup(STDIN_FILENO) : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat st {};
    if (fstat(fd_, &st) != 0) return false;
    if (S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      return false;
    }
    regular_ = S_ISREG(st.st_mode);
    if (regular_) {
      size_ = st.st_size;
      return true;
    }
    return ReadAll();
  }

  bool Regular() const { return regular_; }
  int Fd() const { return fd_; }
  int64_t Size() const { return size_; }

  // The bytes from offset on (page-aligned for a regular file); false with errno set.
  bool Map(int64_t offset, std::span<const uint8_t>& bytes) {
    if (!regular_) {
      bytes = {read_.data() + offset, read_.size() - static_cast<size_t>(offset)};
      return true;
    }
    // Only what the file holds now is mapped: a page past its end would fault.
    struct stat st {};
    if (fstat(fd_, &st) != 0) return false;
    size_ = std::max<int64_t>(offset, std::min<int64_t>(size_, st.st_size));
    mapSize_ = static_cast<size_t>(size_ - offset);
    if (mapSize_ == 0) {
      bytes = {};
      return true;
    }
    void* map = mmap(nullptr, mapSize_, PROT_READ, MAP_PRIVATE, fd_, offset);
    if (map == MAP_FAILED) return false;
    map_ = map;
    madvise(map_, mapSize_, MADV_SEQUENTIAL);
    bytes = {static_cast<const uint8_t*>(map_), mapSize_};
    return true;
  }

  const std::vector<uint8_t>& Read() const { return read_; }

 private:
  bool ReadAll() {
    uint8_t piece[1 << 16];
    for (;;) {
      const ssize_t n = read(fd_, piece, sizeof piece);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      read_.insert(read_.end(), piece, piece + n);
    }
    size_ = static_cast<int64_t>(read_.size());
    return true;
  }

  int fd_ = -1;
  bool regular_ = false;
  int64_t size_ = 0;
  void* map_ = nullptr;
  size_t mapSize_ = 0;
  std::vector<uint8_t> read_;
};

// Reads up to n bytes at offset; the count read, or -1 with errno set.
int64_t ReadAt(int fd, uint8_t* buffer, size_t n, int64_t offset) {
  size_t done = 0;
  while (done < n) {
    const ssize_t got = pread(fd, buffer + done, n - done, offset + static_cast<int64_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return static_cast<int64_t>(done);
}

// Where two regular files first differ (or the shorter one's size), read in pieces; -1 with
// failed naming the file that could not be read.
int64_t StreamedEqualPrefix(TDiffFile (&files)[2], int& failed) {
  const int64_t common = std::min(files[0].Size(), files[1].Size());
  const std::unique_ptr<uint8_t[]> buffers(new uint8_t[2 * kStreamPiece]);
  uint8_t* pieces[2] = {buffers.get(), buffers.get() + kStreamPiece};
  int64_t offset = 0;
  while (offset < common) {
    const size_t n = static_cast<size_t>(std::min<int64_t>(common - offset, kStreamPiece));
    for (int k = 0; k < 2; ++k) {
      const int64_t got = ReadAt(files[k].Fd(), pieces[k], n, offset);
      if (got < 0) {
        failed = k;
        return -1;
      }
      // A file that shrank while read: what is left of it is compared through the mapping.
      if (got < static_cast<int64_t>(n)) return offset;
    }
    const int64_t equal = EqualPrefix(pieces[0], pieces[1], static_cast<int64_t>(n));
    offset += equal;
    if (equal < static_cast<int64_t>(n)) break;
  }
  return offset;
}

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
  TDiffFile files[2];
  auto trouble = [&](int k) {
    std::fprintf(err, "quoxa: %s: %s\n", args[static_cast<size_t>(k)].c_str(),
                 std::strerror(errno));
    return 2;
  };
  for (int k = 0; k < 2; ++k) {
    if (!files[k].Open(args[static_cast<size_t>(k)])) return trouble(k);
  }
  int64_t base = 0;
  if (files[0].Regular() && files[1].Regular()) {
    int failed = 0;
    const int64_t equal = StreamedEqualPrefix(files, failed);
    if (equal < 0) return trouble(failed);
    if (equal == files[0].Size() && equal == files[1].Size()) return 0;
    // The rest is mapped from the page holding the first difference.
    base = equal & ~(static_cast<int64_t>(sysconf(_SC_PAGESIZE)) - 1);
  }
  std::span<const uint8_t> bytes[2];
  for (int k = 0; k < 2; ++k) {
    if (!files[k].Map(base, bytes[k])) return trouble(k);
  }
  TByteCompare compare(bytes[0], bytes[1], sameOffsets);
  std::vector<DiffRange> ranges;
  bool differ = false;
  bool more = true;
  while (more) {
    more = compare.Step(kDiffStep, ranges);
    for (DiffRange& range : ranges) {
      range.offsetA += base;
      range.offsetB += base;
      std::fputs(DiffLine(range).c_str(), out);
    }
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
