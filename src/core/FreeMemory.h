#pragma once
// How much memory the document block could still grow into, for the replace-all check:
// MemAvailable + SwapFree of /proc/meminfo.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quoxa {

// Free bytes the system reports; 0 when it reports nothing usable.
int64_t FreeMemoryBytes();

// MemAvailable + SwapFree in bytes from the text of /proc/meminfo; keys that are missing or
// malformed count 0, and the sum is capped so that it never wraps.
int64_t ParseFreeMemory(std::string_view meminfo);

// Tests fix the figure; nullopt returns to the system's.
void SetFreeMemoryOverride(std::optional<int64_t> bytes);

}  // namespace quoxa
