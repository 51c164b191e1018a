#pragma once
// Builds a shown document from bytes, as loading a file would.

#include <cstdint>
#include <string>

namespace quoxa::test {

// Allocates the block for bytes, copies them in, shows the first page with the
// given geometry and the cursor on position 1.
void LoadDocument(const std::string& bytes, int32_t cols = 16, int32_t rows = 10);

// n bytes counting up from 0 (mod 256).
std::string Ramp(int64_t n);

// The document's bytes.
std::string DocumentBytes();

// Allocations larger than bytes fail while this lives.
class AllocationLimit {
 public:
  explicit AllocationLimit(int64_t bytes);
  ~AllocationLimit();
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;
};

}  // namespace quoxa::test
