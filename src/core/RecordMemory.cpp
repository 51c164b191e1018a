#include "core/RecordMemory.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

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

void AdviseHugePages(void* block, size_t bytes) noexcept {
  const auto begin = reinterpret_cast<uintptr_t>(block);
  const uintptr_t first = (begin + kHugePage - 1) / kHugePage * kHugePage;
  const uintptr_t last = (begin + bytes) / kHugePage * kHugePage;
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace quoxa
