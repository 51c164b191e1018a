#include "core/FreeMemory.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

namespace quoxa {

namespace {

constexpr int64_t kCap = std::numeric_limits<int64_t>::max() / 4;

std::optional<int64_t> freeMemoryOverride;

// The value of one "Key:   123 kB" line in bytes, 0 when absent or unreadable.
int64_t ValueOf(std::string_view text, std::string_view key) {
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':') continue;
    size_t i = key.size() + 1;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    int64_t value = 0;
    bool digits = false;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
      digits = true;
      value = value > (kCap - 9) / 10 ? kCap : value * 10 + (line[i] - '0');
    }
    if (!digits) return 0;
    while (i < line.size() && line[i] == ' ') ++i;
    // The kernel states these in kibibytes; a bare number is taken as bytes.
    if (line.substr(i, 2) == "kB") value = value > kCap / 1024 ? kCap : value * 1024;
    return value;
  }
  return 0;
}

}  // namespace

int64_t ParseFreeMemory(std::string_view meminfo) {
  return std::min(kCap, ValueOf(meminfo, "MemAvailable") + ValueOf(meminfo, "SwapFree"));
}

int64_t FreeMemoryBytes() {
  if (freeMemoryOverride) return std::max<int64_t>(0, *freeMemoryOverride);
  std::ifstream in("/proc/meminfo");
  if (!in) return 0;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseFreeMemory(text);
}

void SetFreeMemoryOverride(std::optional<int64_t> bytes) { freeMemoryOverride = bytes; }

}  // namespace quoxa
