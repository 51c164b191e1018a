#include "core/QZDynArray.h"

#include <cstdlib>

#include "core/RecordMemory.h"

namespace quoxa {

namespace {

int64_t allocationLimit = -1;

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
  uint8_t* block = bytes < 0 ? nullptr : static_cast<uint8_t*>(std::malloc(static_cast<size_t>(bytes)));
  if (block == nullptr) {
    ptr = nullptr;
    byteSize_ = 0;
    return false;
  }
  // Huge pages: a block of gigabytes is faulted in several times, and given back hundreds of
  // times, faster than in small pages.
  AdviseHugePages(block, static_cast<size_t>(bytes));
  ptr = block;
  byteSize_ = bytes;
  return true;
}

bool TQZDynArray::ReAlloc(uint8_t*& ptr, int64_t count) {
  if (count < 0) return false;
  const int64_t bytes = BytesFor(count, elementSize_);
  if (bytes < 0) return false;
  if (bytes == 0) {
    std::free(ptr);
    ptr = nullptr;
  } else {
    auto* block = static_cast<uint8_t*>(std::realloc(ptr, static_cast<size_t>(bytes)));
    if (block == nullptr) return false;
    AdviseHugePages(block, static_cast<size_t>(bytes));
    ptr = block;
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
  std::free(ptr);
  ptr = nullptr;
  count_ = 0;
  byteSize_ = 0;
  return true;
}

}  // namespace quoxa
