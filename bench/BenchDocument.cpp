#include "BenchDocument.h"

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/MemoryPolicy.h"
#include "core/Navigation.h"

namespace quoxa::bench {

void LoadBigDocument() {
  if (Doc().DocBuffer == nullptr) AllocDocument();
  if (Doc().DocSize != kBigSize) {
    ReserveForSize(kBigSize);
    static const char kText[] = "The quick brown fox jumps over the lazy dog 0123456789.\n";
    const size_t n = sizeof kText - 1;
    for (size_t i = 0; i < static_cast<size_t>(kBigSize); i += n) {
      std::memcpy(WritableDocBuffer() + i, kText, std::min(n, static_cast<size_t>(kBigSize) - i));
    }
    Doc().DocSize = kBigSize;
  }
  SetPageGeometry(16, 40);
  Doc().ViewReady = true;
  GotoTop();
}

std::string BenchFolder() {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string("/tmp/quoxa_bench");
  dir = dir.substr(0, dir.find_last_of('/')) + "/bench-files";
  mkdir(dir.c_str(), 0755);
  return dir;
}

}  // namespace quoxa::bench
