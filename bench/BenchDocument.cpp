#include "BenchDocument.h"

#include <cstring>

#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/MemoryPolicy.h"
#include "core/Navigation.h"

namespace quoxa::bench {

void LoadBigDocument() {
  if (DocBuffer == nullptr) AllocDocument();
  if (DocSize != kBigSize) {
    ReserveForSize(kBigSize);
    static const char kText[] = "The quick brown fox jumps over the lazy dog 0123456789.\n";
    const size_t n = sizeof kText - 1;
    for (size_t i = 0; i < static_cast<size_t>(kBigSize); i += n) {
      std::memcpy(WritableDocBuffer() + i, kText, std::min(n, static_cast<size_t>(kBigSize) - i));
    }
    DocSize = kBigSize;
  }
  SetPageGeometry(16, 40);
  ViewReady = true;
  GotoTop();
}

}  // namespace quoxa::bench
