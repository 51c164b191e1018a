#include "tools/ChecksumRun.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "core/DocState.h"
#include "core/Progress.h"
#include "search/DocSearchProgress.h"
#include "tools/ChecksumTexts.h"

namespace quoxa {

namespace {

using Hashers = std::vector<std::unique_ptr<THasher>>;

std::chrono::milliseconds boxDelay = kChecksumBoxDelay;

// Every hasher, or the first algorithm the library refused.
bool MakeHashers(std::span<const ChecksumKind> kinds, Hashers& hashers, ChecksumKind& refused) {
  for (ChecksumKind kind : kinds) {
    hashers.push_back(MakeHasher(kind));
    if (!hashers.back()) {
      refused = kind;
      return false;
    }
  }
  return true;
}

std::vector<std::string> Finish(Hashers& hashers) {
  std::vector<std::string> values;
  for (auto& hasher : hashers) values.push_back(hasher->Finish());
  return values;
}

}  // namespace

ChecksumRun ChecksumBytes(const uint8_t* data, int64_t size, std::span<const ChecksumKind> kinds,
                          const ProgressSpec& setup, std::chrono::milliseconds delay) {
  ChecksumRun run;
  Hashers hashers;
  if (!MakeHashers(kinds, hashers, run.refused)) {
    run.status = ChecksumStatus::Refused;
    return run;
  }
  // The clock and the box are looked at only where the gauge can change, once in a hundredth.
  const auto start = std::chrono::steady_clock::now();
  std::optional<TProgressBox> box;
  int64_t due = NextGaugeChange(0, size);
  for (int64_t done = 0; done < size;) {
    const auto piece = static_cast<size_t>(std::min<int64_t>(size - done, int64_t{kChecksumPiece}));
    for (auto& hasher : hashers) hasher->Update(data + done, piece);
    done += static_cast<int64_t>(piece);
    if (done < due) continue;
    due = NextGaugeChange(done, size);
    if (!box && std::chrono::steady_clock::now() - start >= delay) box.emplace(setup);
    if (!box) continue;
    box->SetProgress(done, size, 5);
    if (box->Aborted()) {
      run.status = ChecksumStatus::Cancelled;
      return run;
    }
  }
  run.values = Finish(hashers);
  return run;
}

void SetChecksumBoxDelay(std::chrono::milliseconds delay) { boxDelay = delay; }

ChecksumRun ChecksumDocument(int64_t first, int64_t last, std::span<const ChecksumKind> kinds) {
  const int64_t size = std::max<int64_t>(0, last - first + 1);
  return ChecksumBytes(size > 0 ? Doc().DocBuffer + (first - 1) : nullptr, size, kinds,
                       {true, true, msg::kChecksumProgressText, msg::kChecksumProgressCaption}, boxDelay);
}

FileChecksums ChecksumFile(const std::string& path, std::span<const ChecksumKind> kinds) {
  FileChecksums result;
  Hashers hashers;
  ChecksumKind refused{};
  if (!MakeHashers(kinds, hashers, refused)) {
    result.error = std::string(InfoOf(refused).name) + msg::kChecksumRefused;
    return result;
  }
  const bool standardInput = path == "-";
  const int fd = standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    result.error = std::strerror(errno);
    return result;
  }
  posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  const auto buffer = std::make_unique<uint8_t[]>(kChecksumPiece);
  for (;;) {
    const ssize_t n = read(fd, buffer.get(), kChecksumPiece);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.error = std::strerror(errno);
      break;
    }
    if (n == 0) {
      result.ok = true;
      break;
    }
    for (auto& hasher : hashers) hasher->Update(buffer.get(), static_cast<size_t>(n));
  }
  if (!standardInput) close(fd);
  if (result.ok) result.values = Finish(hashers);
  return result;
}

}  // namespace quoxa
