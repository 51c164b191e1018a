#pragma once
// A large shown document for benchmarks, built once per process.

#include <cstdint>

namespace quoxa::bench {

constexpr int32_t kBigSize = 256 * 1024 * 1024;

// Loads a kBigSize document of text-like bytes (idempotent) and puts the cursor on position 1.
void LoadBigDocument();

}  // namespace quoxa::bench
