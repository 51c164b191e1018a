#include "core/QZDynArray.h"

#include <cstdlib>
#include <limits>

namespace quoxa {

namespace {

int64_t allocationLimit = -1;

// Byte size of count elements, or -1 when it does not fit 32 bits or passes the test limit.
int64_t BytesFor(int64_t count, int32_t elementSize) {
  const int64_t bytes = count * elementSize;
  if (bytes > std::numeric_limits<int32_t>::max()) return -1;
  if (allocationLimit >= 0 && bytes > allocationLimit) return -1;
  return bytes;
}

}  // namespace

void TQZDynArray::SetAllocationLimit(int64_t bytes) { allocationLimit = bytes; }

TQZDynArray::TQZDynArray(int32_t elementSize) : elementSize_(elementSize > 0 ? elementSize : 1) {}

bool TQZDynArray::Alloc(uint8_t*& ptr, int32_t count) {
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
  ptr = block;
  byteSize_ = static_cast<int32_t>(bytes);
  return true;
}

bool TQZDynArray::ReAlloc(uint8_t*& ptr, int32_t count) {
  if (count < 0) return false;
  const int64_t bytes = BytesFor(count, elementSize_);
  if (bytes < 0) return false;
  if (bytes == 0) {
    std::free(ptr);
    ptr = nullptr;
  } else {
    auto* block = static_cast<uint8_t*>(std::realloc(ptr, static_cast<size_t>(bytes)));
    if (block == nullptr) return false;
    ptr = block;
  }
  count_ = count;
  byteSize_ = static_cast<int32_t>(bytes);
  return true;
}

bool TQZDynArray::DeltaAlloc(uint8_t*& ptr, int32_t delta) {
  const int64_t count = int64_t{count_} + delta;
  if (count > std::numeric_limits<int32_t>::max()) return false;
  return ReAlloc(ptr, static_cast<int32_t>(count));
}

bool TQZDynArray::DeAlloc(uint8_t*& ptr) {
  std::free(ptr);
  ptr = nullptr;
  count_ = 0;
  byteSize_ = 0;
  return true;
}

}  // namespace quoxa
