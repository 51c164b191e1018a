// The byte compare over arbitrary pairs (the first byte splits the input into the two sides):
// in both modes the ranges must rebuild the second side from the first, inside both.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/ByteCompare.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t split = std::min<size_t>(size - 1, static_cast<size_t>(data[0]) * (size - 1) / 255);
  const std::span<const uint8_t> a(data + 1, split);
  const std::span<const uint8_t> b(data + 1 + split, size - 1 - split);
  for (bool same : {false, true}) {
    std::vector<uint8_t> rebuilt;
    int64_t i = 0;
    for (const quoxa::DiffRange& r : quoxa::CompareBytes(a, b, same)) {
      if (r.offsetA < i || r.offsetA + r.lengthA > static_cast<int64_t>(a.size()) ||
          r.offsetB + r.lengthB > static_cast<int64_t>(b.size())) {
        std::abort();
      }
      rebuilt.insert(rebuilt.end(), a.begin() + i, a.begin() + r.offsetA);
      rebuilt.insert(rebuilt.end(), b.begin() + r.offsetB, b.begin() + r.offsetB + r.lengthB);
      i = r.offsetA + r.lengthA;
    }
    rebuilt.insert(rebuilt.end(), a.begin() + i, a.end());
    if (!std::equal(rebuilt.begin(), rebuilt.end(), b.begin(), b.end())) std::abort();
  }
  return 0;
}
