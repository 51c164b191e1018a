#include "tools/PlotAxis.h"

#include <algorithm>
#include <cstdio>

namespace quoxa {

std::vector<int64_t> HexTicks(int64_t first, int64_t last, int maxTicks) {
  std::vector<int64_t> ticks;
  if (last < first || maxTicks < 1) return ticks;
  const int64_t span = last - first;
  int64_t step = 1;
  while (step < (int64_t{1} << 60) && span / step + 1 > maxTicks) step *= 2;
  for (int64_t t = (first + step - 1) / step * step; t <= last; t += step) ticks.push_back(t);
  return ticks;
}

std::string HexLabel(int64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(value));
  return text;
}

int64_t PlotSpan::OffsetAt(int x) const {
  if (length <= 0 || width <= 0) return 0;
  const int64_t clamped = std::clamp(x, 0, width - 1);
  // The byte at the middle of the pixel's share of the span.
  const long double share = (static_cast<long double>(clamped) + 0.5L) / width;
  return std::clamp<int64_t>(static_cast<int64_t>(share * length), 0, length - 1);
}

int PlotSpan::XOf(int64_t offset) const {
  if (length <= 0 || width <= 0) return 0;
  const long double share = static_cast<long double>(std::clamp<int64_t>(offset, 0, length)) / length;
  return std::clamp(static_cast<int>(share * width), 0, width - 1);
}

std::vector<uint64_t> CountTicks(uint64_t max, bool logarithmic) {
  std::vector<uint64_t> ticks{0};
  if (max == 0) return ticks;
  if (logarithmic) {
    ticks = {1};
    for (uint64_t t = 10; t <= max && t < (uint64_t{1} << 62); t *= 10) ticks.push_back(t);
    return ticks;
  }
  // A step of 1, 2 or 5 times a power of ten that gives at most five steps.
  uint64_t step = 1;
  for (uint64_t decade = 1;; decade *= 10) {
    const uint64_t candidates[] = {decade, 2 * decade, 5 * decade};
    const auto fits = std::find_if(std::begin(candidates), std::end(candidates),
                                   [max](uint64_t s) { return max / s <= 5; });
    if (fits != std::end(candidates)) {
      step = *fits;
      break;
    }
  }
  for (uint64_t t = step; t <= max; t += step) ticks.push_back(t);
  return ticks;
}

}  // namespace quoxa
