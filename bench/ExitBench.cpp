// Closing the editor with a 300 MiB document open (the document released, every
// setting and the recently used files written anew), also after the whole document was
// copied and pasted at its end (the clipboard then holds 300 MiB, the document 600 MiB),
// against the one safe write of a settings file of the same size that it cannot do without.
#include <benchmark/benchmark.h>

#ifdef QUOXA_BENCH_GUI

#include <QApplication>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

#include "BenchApplication.h"
#include "BenchDocument.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "core/PlatformFile.h"
#include "edit/ClipboardCommands.h"
#include "settings/IniFile.h"
#include "ui/main/DocumentCommands.h"
#include "ui/main/FormMain.h"

namespace {

using quoxa::bench::BenchFolder;

constexpr int64_t kDocumentSize = 300 * 1024 * 1024;

using quoxa::bench::EnsureApplication;

const std::string& SettingsPath() {
  static const std::string path = BenchFolder() + "/exit-quoxa.ini";
  return path;
}

// The document to open: 300 MiB, made once and kept for later runs.
const std::string& DocumentPath() {
  static const std::string path = [] {
    const std::string p = BenchFolder() + "/exit-300MiB.bin";
    if (quoxa::FileSizeOf(p) != kDocumentSize) {
      const int fd = open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      std::string chunk(1 << 20, 'x');
      for (int64_t done = 0; fd >= 0 && done < kDocumentSize; done += static_cast<int64_t>(chunk.size())) {
        if (write(fd, chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size())) break;
      }
      if (fd >= 0) close(fd);
    }
    return p;
  }();
  return path;
}

void BM_CloseWith300MiBOpen(benchmark::State& state) {
  EnsureApplication();
  qputenv("QUOXA_INI", SettingsPath().c_str());
  for (auto _ : state) {
    state.PauseTiming();
    // A first run: every setting and the opened file are new to the settings file.
    unlink(SettingsPath().c_str());
    auto window = std::make_unique<quoxa::TFormMain>();
    window->show();
    window->EnsureStarted();
    window->Documents().OpenFileByName(DocumentPath(), false);
    if (quoxa::Doc().DocSize != kDocumentSize) return state.SkipWithError("the document did not open");
    QApplication::processEvents();
    state.ResumeTiming();
    window->close();
    window.reset();
  }
}
BENCHMARK(BM_CloseWith300MiBOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_CloseAfterPasteOf300MiB(benchmark::State& state) {
  EnsureApplication();
  qputenv("QUOXA_INI", SettingsPath().c_str());
  for (auto _ : state) {
    state.PauseTiming();
    unlink(SettingsPath().c_str());
    auto window = std::make_unique<quoxa::TFormMain>();
    window->show();
    window->EnsureStarted();
    window->Documents().OpenFileByName(DocumentPath(), false);
    quoxa::RestoreBlock(1, kDocumentSize);
    quoxa::CutOrCopy(false);
    quoxa::UnmarkBlock();
    quoxa::GotoAddress(kDocumentSize, true, false);
    quoxa::PasteFromClipboard();
    if (quoxa::Doc().DocSize != 2 * kDocumentSize) return state.SkipWithError("nothing was pasted");
    // Answered "No" to the save question.
    quoxa::Doc().Modified = false;
    QApplication::processEvents();
    state.ResumeTiming();
    window->close();
    window.reset();
  }
}
BENCHMARK(BM_CloseAfterPasteOf300MiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A settings file's contents written once and put on the disk: temporary file,
// fsync, rename, fsync of the folder.
void BM_OneSafeSettingsWriteReference(benchmark::State& state) {
  std::ifstream in(SettingsPath(), std::ios::binary);
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (contents.empty()) contents.assign(1500, 'k');
  const std::string temp = SettingsPath() + ".reference";
  for (auto _ : state) {
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || write(fd, contents.data(), contents.size()) != static_cast<ssize_t>(contents.size()) ||
        fsync(fd) != 0) {
      return state.SkipWithError("write failed");
    }
    close(fd);
    if (rename(temp.c_str(), (temp + ".done").c_str()) != 0) return state.SkipWithError("rename failed");
    const int folder = open(BenchFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      fsync(folder);
      close(folder);
    }
  }
  unlink((temp + ".done").c_str());
}
BENCHMARK(BM_OneSafeSettingsWriteReference)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

#endif  // QUOXA_BENCH_GUI
