#pragma once
// A growable block of fixed-size elements. It does not own the pointer: every
// operation takes the caller's pointer variable and updates it.

#include <cstddef>
#include <cstdint>

namespace quoxa {

// The largest block the array hands out: far beyond any memory, and small enough that the sum
// of two sizes never wraps.
constexpr int64_t kMaxBlockBytes = int64_t{1} << 60;

class TQZDynArray {
 public:
  explicit TQZDynArray(int32_t elementSize);

  bool Alloc(uint8_t*& ptr, int64_t count);
  bool ReAlloc(uint8_t*& ptr, int64_t count);
  bool DeltaAlloc(uint8_t*& ptr, int64_t delta);
  bool DeAlloc(uint8_t*& ptr);

  int32_t ElementSize() const { return elementSize_; }
  int64_t Count() const { return count_; }
  int64_t ByteSize() const { return byteSize_; }

  // Test seam: allocations of more bytes than the limit fail (negative = no limit).
  static void SetAllocationLimit(int64_t bytes);

 private:
  int32_t elementSize_;
  int64_t count_ = 0;
  int64_t byteSize_ = 0;
  // The length of the mapping that holds the block.
  size_t mapped_ = 0;
};

}  // namespace quoxa
