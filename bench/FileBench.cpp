// Opening and saving a 256 MiB file, against plain read() and write() of the same bytes; saving
// one in place (it has a second link), against copying it aside and writing it over.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "BenchDocument.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/MemoryPolicy.h"

namespace {

using quoxa::bench::kBigSize;

using quoxa::bench::BenchFolder;

const std::string& ReadPath() {
  static const std::string path = BenchFolder() + "/open-256MiB.bin";
  return path;
}

const std::string& SavePath() {
  static const std::string path = BenchFolder() + "/save-256MiB.bin";
  return path;
}

const std::string& ReferencePath() {
  static const std::string path = BenchFolder() + "/reference-256MiB.bin";
  return path;
}

bool WriteAll(int fd, const uint8_t* data, int64_t n) {
  while (n > 0) {
    const ssize_t w = write(fd, data, static_cast<size_t>(n));
    if (w <= 0) return false;
    data += w;
    n -= w;
  }
  return true;
}

// Creates the file to open once (it stays for later runs) and brings it into the page cache.
bool PrepareReadFile() {
  struct stat st {};
  if (stat(ReadPath().c_str(), &st) != 0 || st.st_size != kBigSize) {
    quoxa::bench::LoadBigDocument();
    const int fd = open(ReadPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || !WriteAll(fd, quoxa::Doc().DocBuffer, kBigSize)) return false;
    close(fd);
  }
  auto warm = std::make_unique<uint8_t[]>(static_cast<size_t>(kBigSize));
  const int fd = open(ReadPath().c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = read(fd, warm.get(), kBigSize) == kBigSize;
  close(fd);
  return ok;
}

void BM_OpenFile(benchmark::State& state) {
  if (!PrepareReadFile()) return state.SkipWithError("cannot prepare the file");
  if (quoxa::Doc().DocBuffer == nullptr) quoxa::AllocDocument();
  for (auto _ : state) {
    if (quoxa::ReadFileInto(ReadPath(), false, 1) != 0) return state.SkipWithError("ReadFileInto failed");
    benchmark::DoNotOptimize(quoxa::Doc().DocBuffer[quoxa::Doc().DocSize - 1]);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadReference(benchmark::State& state) {
  if (!PrepareReadFile()) return state.SkipWithError("cannot prepare the file");
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[static_cast<size_t>(kBigSize)]);
    const int fd = open(ReadPath().c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t got = read(fd, buffer.get(), kBigSize);
    close(fd);
    if (got != kBigSize) return state.SkipWithError("short read");
    benchmark::DoNotOptimize(buffer[kBigSize - 1]);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_ReadReference)->Unit(benchmark::kMillisecond)->UseRealTime();

// One read() into a buffer that is already mapped, as the document's block is: the bare copy.
void BM_ReadReferenceMappedBuffer(benchmark::State& state) {
  if (!PrepareReadFile()) return state.SkipWithError("cannot prepare the file");
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[static_cast<size_t>(kBigSize)]());
  for (auto _ : state) {
    const int fd = open(ReadPath().c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t got = read(fd, buffer.get(), kBigSize);
    close(fd);
    if (got != kBigSize) return state.SkipWithError("short read");
    benchmark::DoNotOptimize(buffer[kBigSize - 1]);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_ReadReferenceMappedBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveFile(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    if (!quoxa::WriteFileRange(SavePath(), false, 1, quoxa::Doc().DocSize)) return state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
  unlink(SavePath().c_str());
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// A file with a second link is written in place, after its backup is on the disk.
void BM_SaveFileInPlace(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  const std::string link = SavePath() + ".link";
  if (!quoxa::WriteFileRange(SavePath(), false, 1, 0) || ::link(SavePath().c_str(), link.c_str()) != 0) {
    return state.SkipWithError("cannot prepare the file");
  }
  for (auto _ : state) {
    if (!quoxa::WriteFileRange(SavePath(), false, 1, 0)) return state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
  unlink(link.c_str());
  unlink(SavePath().c_str());
}
BENCHMARK(BM_SaveFileInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor of a save in place that survives a crash: the old bytes copied aside by the kernel
// and put on the disk, then the new ones written over the file and put on the disk.
void BM_SaveInPlaceReference(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  const std::string copy = ReferencePath() + ".copy";
  int fd = open(ReferencePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || !WriteAll(fd, quoxa::Doc().DocBuffer, kBigSize)) return state.SkipWithError("write failed");
  close(fd);
  for (auto _ : state) {
    const int in = open(ReferencePath().c_str(), O_RDWR | O_CLOEXEC);
    const int out = open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    loff_t from = 0;
    while (from < kBigSize && copy_file_range(in, &from, out, nullptr, static_cast<size_t>(kBigSize - from), 0) > 0) {
    }
    const bool ok = from == kBigSize && fsync(out) == 0 && lseek(in, 0, SEEK_SET) == 0 &&
                    WriteAll(in, quoxa::Doc().DocBuffer, kBigSize) && fsync(in) == 0;
    close(out);
    close(in);
    unlink(copy.c_str());
    if (!ok) return state.SkipWithError("copy or write failed");
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
  unlink(ReferencePath().c_str());
}
BENCHMARK(BM_SaveInPlaceReference)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes written with one write() and put on the disk with fsync(), as a save must.
void BM_WriteReference(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    const int fd = open(ReferencePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || !WriteAll(fd, quoxa::Doc().DocBuffer, kBigSize) || fsync(fd) != 0) {
      return state.SkipWithError("write failed");
    }
    close(fd);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
  unlink(ReferencePath().c_str());
}
BENCHMARK(BM_WriteReference)->Unit(benchmark::kMillisecond)->UseRealTime();

// Only into the page cache: the floor no durable save can reach.
void BM_WriteReferenceNoSync(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    const int fd = open(ReferencePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || !WriteAll(fd, quoxa::Doc().DocBuffer, kBigSize)) return state.SkipWithError("write failed");
    close(fd);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
  unlink(ReferencePath().c_str());
}
BENCHMARK(BM_WriteReferenceNoSync)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
