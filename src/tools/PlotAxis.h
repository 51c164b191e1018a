#pragma once
// Arithmetic of the statistics charts: where an address lies on a plot and which addresses
// get a label, kept apart from the painting so that it can be checked without a display.

#include <cstdint>
#include <string>
#include <vector>

namespace quoxa {

// Labelled addresses from first to last (inclusive): the multiples of the smallest power of two
// that gives at most maxTicks labels, so that every label is round in hex.
std::vector<int64_t> HexTicks(int64_t first, int64_t last, int maxTicks);

// Upper-case hex digits without leading zeros ("0" for 0).
std::string HexLabel(int64_t value);

// A span of length bytes drawn over width pixels: the byte offset under pixel x (clamped to the
// span) and the pixel column of a byte offset.
struct PlotSpan {
  int64_t length = 0;
  int width = 1;
  int64_t OffsetAt(int x) const;
  int XOf(int64_t offset) const;
};

// Labels of a count axis: 0 and round numbers up to max on a linear axis, powers of ten on a
// logarithmic one.
std::vector<uint64_t> CountTicks(uint64_t max, bool logarithmic);

}  // namespace quoxa
