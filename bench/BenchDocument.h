#pragma once
// A large shown document for benchmarks, built once per process.

#include <cstdint>
#include <string>

namespace quoxa::bench {

constexpr int32_t kBigSize = 256 * 1024 * 1024;

// Loads a kBigSize document of text-like bytes (idempotent) and puts the cursor on position 1.
void LoadBigDocument();

// The folder for the benchmarks' files: beside the benchmark, on the build's file system.
std::string BenchFolder();

}  // namespace quoxa::bench
