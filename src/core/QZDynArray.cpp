#include "core/QZDynArray.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "core/RecordMemory.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUOXA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUOXA_ASAN 1
#endif
#endif
#ifdef QUOXA_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace quoxa {

namespace {

int64_t allocationLimit = -1;

// A sanitized build still catches an access past the end of the block, as it did in malloc's
// red zones: the mapping holds at least kGuard bytes more, and they are poisoned. The shadow
// is cleared before the pages move or go, so that nothing mapped there later looks poisoned.
#ifdef QUOXA_ASAN
constexpr size_t kGuard = 64;
void Guard(uint8_t* block, size_t bytes, size_t length) {
  ASAN_UNPOISON_MEMORY_REGION(block, bytes);
  ASAN_POISON_MEMORY_REGION(block + bytes, length - bytes);
}
void Unguard(uint8_t* block, size_t length) { ASAN_UNPOISON_MEMORY_REGION(block, length); }
#else
constexpr size_t kGuard = 0;
void Guard(uint8_t*, size_t, size_t) {}
void Unguard(uint8_t*, size_t) {}
#endif

// The block is a mapping of its own that starts on a huge-page boundary and asks for huge
// pages: gigabytes are faulted in several times, and given back hundreds of times, faster
// than in small pages, also after the block grew (a mapping moved to a start off the
// boundary would get small pages only).
size_t MappingLength(int64_t bytes) {
  static const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return (static_cast<size_t>(bytes) + kGuard + page - 1) / page * page;
}

// An inaccessible range of length bytes at a huge-page boundary, or nullptr.
void* ReserveAligned(size_t length) {
  const size_t spare = length + kHugePage;
  void* raw = mmap(nullptr, spare, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto begin = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (begin + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > begin) munmap(raw, aligned - begin);
  const uintptr_t end = begin + spare;
  if (end > aligned + length)
    munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
  return reinterpret_cast<void*>(aligned);
}

uint8_t* MapBlock(size_t length) {
  void* range = ReserveAligned(length);
  if (range == nullptr) return nullptr;
  void* block =
      mmap(range, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
  if (block == MAP_FAILED) {
    munmap(range, length);
    return nullptr;
  }
  // The whole mapping: advice on a part would split it, and a split one cannot grow.
  madvise(block, length, MADV_HUGEPAGE);
  return static_cast<uint8_t*>(block);
}

// The block at its new length, its bytes kept: in place when the addresses behind it are free
// (or it shrinks), else moved, without a copy, to a new huge-page boundary.
uint8_t* RemapBlock(uint8_t* block, size_t length, size_t newLength) {
  void* moved = mremap(block, length, newLength, 0);
  if (moved == MAP_FAILED) {
    void* range = ReserveAligned(newLength);
    if (range == nullptr) return nullptr;
    moved = mremap(block, length, newLength, MREMAP_MAYMOVE | MREMAP_FIXED, range);
    if (moved == MAP_FAILED) {
      munmap(range, newLength);
      return nullptr;
    }
  }
  madvise(moved, newLength, MADV_HUGEPAGE);
  return static_cast<uint8_t*>(moved);
}

// Byte size of count elements, or -1 when it passes the largest block or the test limit.
int64_t BytesFor(int64_t count, int32_t elementSize) {
  if (count > kMaxBlockBytes / elementSize) return -1;
  const int64_t bytes = count * elementSize;
  if (allocationLimit >= 0 && bytes > allocationLimit) return -1;
  return bytes;
}

}  // namespace

void TQZDynArray::SetAllocationLimit(int64_t bytes) { allocationLimit = bytes; }

TQZDynArray::TQZDynArray(int32_t elementSize) : elementSize_(elementSize > 0 ? elementSize : 1) {}

bool TQZDynArray::Alloc(uint8_t*& ptr, int64_t count) {
  if (count <= 0) {
    ptr = nullptr;
    count_ = 0;
    byteSize_ = 0;
    return false;
  }
  count_ = count;
  const int64_t bytes = BytesFor(count, elementSize_);
  uint8_t* block = bytes < 0 ? nullptr : MapBlock(MappingLength(bytes));
  if (block == nullptr) {
    ptr = nullptr;
    byteSize_ = 0;
    mapped_ = 0;
    return false;
  }
  ptr = block;
  byteSize_ = bytes;
  mapped_ = MappingLength(bytes);
  Guard(block, static_cast<size_t>(bytes), mapped_);
  return true;
}

bool TQZDynArray::ReAlloc(uint8_t*& ptr, int64_t count) {
  if (count < 0) return false;
  const int64_t bytes = BytesFor(count, elementSize_);
  if (bytes < 0) return false;
  const size_t length = MappingLength(bytes);
  if (bytes == 0) {
    DeAlloc(ptr);
  } else {
    if (ptr != nullptr) Unguard(ptr, mapped_);
    uint8_t* block = ptr == nullptr ? MapBlock(length) : RemapBlock(ptr, mapped_, length);
    if (block == nullptr) {
      if (ptr != nullptr) Guard(ptr, static_cast<size_t>(byteSize_), mapped_);
      return false;
    }
    ptr = block;
    mapped_ = length;
    Guard(block, static_cast<size_t>(bytes), length);
  }
  count_ = count;
  byteSize_ = bytes;
  return true;
}

bool TQZDynArray::DeltaAlloc(uint8_t*& ptr, int64_t delta) {
  if (delta > kMaxBlockBytes - count_) return false;
  return ReAlloc(ptr, count_ + delta);
}

bool TQZDynArray::DeAlloc(uint8_t*& ptr) {
  if (ptr != nullptr && mapped_ > 0) {
    Unguard(ptr, mapped_);
    munmap(ptr, mapped_);
  }
  ptr = nullptr;
  mapped_ = 0;
  count_ = 0;
  byteSize_ = 0;
  return true;
}

}  // namespace quoxa
