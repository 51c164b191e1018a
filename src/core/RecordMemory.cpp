#include "core/RecordMemory.h"

#include <cstdlib>

#include <sys/mman.h>

namespace quoxa {

void* AllocateRecordMemory(size_t bytes) {
  void* block = nullptr;
  if (bytes >= kHugePage) {
    block = std::aligned_alloc(kHugePage, (bytes + kHugePage - 1) / kHugePage * kHugePage);
    if (block != nullptr) madvise(block, bytes, MADV_HUGEPAGE);
  } else {
    block = std::malloc(bytes == 0 ? 1 : bytes);
  }
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void FreeRecordMemory(void* block) noexcept { std::free(block); }

}  // namespace quoxa
