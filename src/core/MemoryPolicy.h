#pragma once
// How the document block grows and shrinks: 512 KiB floor, 128 KiB steps.

#include <cstdint>
#include <string>

#include "core/QZDynArray.h"

namespace quoxa {

constexpr int32_t kGrowStep = 131072;     // 128 KiB
constexpr int32_t kMinCapacity = 524288;  // 512 KiB
// The largest document the arithmetic allows; the memory the system has is the real limit.
constexpr int64_t kMaxDocSize = kMaxBlockBytes - kGrowStep;

// (x div 131072 + 1) * 131072, or -1 when that passes the largest block.
int64_t RoundUp(int64_t x);

// Capacity for a document of size bytes: max(512 KiB, RoundUp(size)), -1 if too large.
int64_t CapacityForSize(int64_t size);

// Start-up: the 512 KiB block. On failure shows the error and returns false
// (the caller ends the program).
bool AllocDocument();
// Shut-down: releases the block; false after showing the error.
bool FreeDocument();

// Whether a document of size bytes fits: below the largest document, and the memory the block
// would have to grow by is free in the system (when the system says how much is).
bool MemoryHolds(int64_t size);

// Whether a block of size bytes apart from the document fits: below the largest document, and
// free in the system (when the system says how much is).
bool FreeMemoryHolds(int64_t size);

// Loading and New: capacity for a document of size bytes, shrinking or growing.
bool ReserveForSize(int64_t size);
// Reallocates the block to exactly bytes (under the busy text).
bool SetCapacity(int64_t bytes);

// Before inserting delta > 0 bytes, grows when needed; after deleting -delta bytes
// (before DocSize is reduced), shrinks. False when a reallocation failed.
bool EnsureCapacity(int64_t delta);

// "Current file size: ... bytes\nMemory allocated: ... bytes".
std::string MemoryInfoText();

}  // namespace quoxa
