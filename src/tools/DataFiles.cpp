#include "tools/DataFiles.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "core/AtomicFileWriter.h"
#include "core/FileIo.h"
#include "core/MemoryPolicy.h"
#include "core/PlatformFile.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "tools/DataFormatTexts.h"

namespace quoxa {

namespace {

constexpr int kGaugeStep = 5;
// Characters of text made between two looks at Cancel.
constexpr size_t kTextChunk = 1 << 20;

int32_t ResultOf(int platformResult, int32_t unmapped) {
  return platformResult == kUnmappedIoError ? unmapped : platformResult;
}

}  // namespace

int32_t ExportToFile(const std::string& path, const TExportOptions& options, const uint8_t* data,
                     int64_t size) {
  auto text = std::make_unique<TExportText>(options, data, size);
  AtomicFileWriter writer;
  int32_t result = ResultOf(writer.Begin(path, text->TextSize()), kResultOpenFailed);
  if (result == 0) {
    // Text written over the file itself cannot be taken back: no Cancel then.
    TProgressBox box({!writer.InPlace(), true, FileNameOnly(path), msg::kExportingFile});
    std::string chunk;
    chunk.reserve(kTextChunk + 4096);
    while (result == 0 && text->Next(chunk, kTextChunk)) {
      int64_t written = 0;
      int step = writer.Write(reinterpret_cast<const uint8_t*>(chunk.data()),
                              static_cast<int64_t>(chunk.size()), written);
      chunk.clear();
      // The temporary copy found no room: the file itself is written, from its start.
      if (step == kIoDiskFull && writer.FallBackInPlace(step)) {
        text = std::make_unique<TExportText>(options, data, size);
        box.EnableCancel(false);
      }
      result = ResultOf(step, kIoWriteFault);
      box.SetProgress(text->BytesDone(), size, kGaugeStep);
      if (result == 0 && !writer.InPlace() && box.Aborted()) result = kResultWriteCancelled;
    }
  }
  if (result == 0) result = ResultOf(writer.Commit(std::nullopt), kResultCloseFailed);
  writer.Discard();
  return result;
}

int32_t ExportToDescriptor(int fd, const TExportOptions& options, const uint8_t* data,
                           int64_t size) {
  TExportText text(options, data, size);
  std::string chunk;
  while (text.Next(chunk, kTextChunk)) {
    size_t done = 0;
    while (done < chunk.size()) {
      const ssize_t n = ::write(fd, chunk.data() + done, chunk.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0)
        return ResultOf(IoErrorFromErrno(n < 0 ? errno : ENOSPC, IoOp::Write), kIoWriteFault);
      done += static_cast<size_t>(n);
    }
    chunk.clear();
  }
  return 0;
}

int32_t ReadWholeFile(const std::string& path, std::string& bytes, const ImportProgress& progress) {
  bytes.clear();
  PlatformFile file;
  int32_t result = ResultOf(file.OpenForReading(path, false), kResultOpenFailed);
  const int64_t total = file.Size();
  if (result == 0 && !FreeMemoryHolds(total)) result = kResultNoMemory;
  if (result == 0) {
    bytes.resize(static_cast<size_t>(total));
    int64_t done = 0;
    while (result == 0 && done < total) {
      int64_t got = 0;
      const int64_t chunk = std::min(total - done, kFileChunk);
      result = ResultOf(file.Read(reinterpret_cast<uint8_t*>(bytes.data()) + done, chunk, got),
                        kResultReadFailed);
      if (result == 0 && got < chunk) result = kResultReadFailed;
      done += got;
      if (result == 0 && progress && !progress(done, total)) result = kResultReadCancelled;
    }
  }
  if (file.IsOpen()) {
    const int32_t closed = ResultOf(file.Close(), kResultCloseFailed);
    if (result == 0) result = closed;
  }
  if (result != 0) bytes.clear();
  return result;
}

TImportOutcome ImportFile(const std::string& path, TDataFormat format, uint8_t fill) {
  TImportOutcome outcome;
  TProgressBox box({true, true, FileNameOnly(path), msg::kImportingFile});
  // The gauge runs over the reading of the file and the readings of its text.
  const int64_t size = FileSizeOf(path);
  const int64_t passes = HasAddresses(format) ? 2 : 1;
  const int64_t whole = size > 0 ? size * (1 + passes) : 1;
  const auto step = [&box, whole](int64_t offset) {
    box.SetProgress(offset, whole, kGaugeStep);
    return !box.Aborted();
  };
  std::string text;
  const int32_t read = ReadWholeFile(path, text, [&](int64_t done, int64_t) { return step(done); });
  if (read != 0) {
    outcome.message = ReadErrorText(read, path);
    return outcome;
  }
  const TScanResult scan = ImportText(text, format, fill, outcome.image,
                                      [&](int64_t done, int64_t) { return step(size + done); });
  outcome.ok = scan.ok;
  outcome.message = scan.cancelled ? ReadErrorText(kResultReadCancelled, path) : scan.message;
  return outcome;
}

}  // namespace quoxa
