#pragma once
// Byte statistics of the document: how often each value occurs, the Shannon entropy, and the
// entropy of consecutive windows along the file (the entropy map).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quoxa {

class TDocument;

using ByteCounts = std::array<uint64_t, 256>;

// Adds the n bytes at data to counts.
void CountBytes(const uint8_t* data, size_t n, ByteCounts& counts);

// Shannon entropy in bits per byte: 0 for no bytes or a single value, 8 when all 256 values
// occur equally often.
double EntropyOf(const ByteCounts& counts);

struct ByteSummary {
  uint64_t total = 0;
  double entropy = 0;
  int distinct = 0;
  // The most and the least frequent of the values that occur (the lowest value on a tie);
  // -1 when there are no bytes.
  int mostValue = -1;
  uint64_t mostCount = 0;
  int leastValue = -1;
  uint64_t leastCount = 0;
};

ByteSummary Summarize(const ByteCounts& counts);

// Appends the entropy of each window of n bytes at data; the last window may be shorter.
void AppendWindowEntropies(const uint8_t* data, int64_t n, int64_t window, std::vector<float>& out);

// A window that gives the map of size bytes between 512 and 1024 points (fewer for a small file):
// a power of two, at least 256 bytes so that a window can reach 8 bits per byte.
int64_t AutoEntropyWindow(int64_t size);

struct EntropyMap {
  int64_t first = 1;   // position of the first byte measured
  int64_t length = 0;  // bytes measured
  int64_t window = 0;
  std::vector<float> values;  // value i covers positions first + i * window onwards
};

// Counts positions first..last of doc. A range over 64 MiB shows the progress box; false when
// the user cancelled it (counts are then incomplete).
bool CountDocumentBytes(const TDocument& doc, int64_t first, int64_t last, ByteCounts& counts);

// The entropy map of the whole of doc with the given window (0: automatic); false when cancelled.
bool MeasureEntropyMap(const TDocument& doc, int64_t window, EntropyMap& map);

// The map as CSV text: a header, then per window its address as shown (hex and decimal, with
// baseAddress for position 1), its length and its entropy.
std::string EntropyMapCsv(const EntropyMap& map, int64_t baseAddress);

inline constexpr int64_t kStatisticsProgressFrom = int64_t{64} << 20;
inline constexpr const char* kCountingCaption = "Counting bytes...";
inline constexpr const char* kMeasuringCaption = "Measuring entropy...";

}  // namespace quoxa
