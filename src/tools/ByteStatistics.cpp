#include "tools/ByteStatistics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "core/Document.h"
#include "core/Progress.h"
#include "search/DocSearchProgress.h"
#include "tools/ConversionTable.h"

namespace quoxa {

namespace {

// Below this many bytes one table counts faster than clearing and adding up four.
constexpr int64_t kFourTablesFrom = 4096;
// Counts of one table stay far below 2^32 per call.
constexpr size_t kMaxPerCall = size_t{1} << 30;
// c * log2(c) for the counts of all but the largest windows.
constexpr uint32_t kLogTableSize = 1 << 16;

const std::vector<double>& CLogC() {
  static const std::vector<double> table = [] {
    std::vector<double> t(kLogTableSize);
    for (uint32_t c = 1; c < kLogTableSize; ++c) t[c] = c * std::log2(static_cast<double>(c));
    return t;
  }();
  return table;
}

double CLog(uint64_t c) {
  return c < kLogTableSize ? CLogC()[c] : static_cast<double>(c) * std::log2(static_cast<double>(c));
}

// H = log2 N - (sum of c log2 c) / N, kept inside 0..8 against rounding.
template <typename Count>
double EntropyFrom(const Count* counts, uint64_t total) {
  if (total == 0) return 0;
  double sum = 0;
  for (int v = 0; v < 256; ++v) sum += CLog(counts[v]);
  const double h = std::log2(static_cast<double>(total)) - sum / static_cast<double>(total);
  return std::clamp(h, 0.0, 8.0);
}

// Four tables, one per byte lane: a run of one value no longer waits on its own increments.
void CountFourTables(const uint8_t* p, size_t n, uint32_t (&t)[4][256]) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    ++t[0][w & 0xFF];
    ++t[1][(w >> 8) & 0xFF];
    ++t[2][(w >> 16) & 0xFF];
    ++t[3][(w >> 24) & 0xFF];
    ++t[0][(w >> 32) & 0xFF];
    ++t[1][(w >> 40) & 0xFF];
    ++t[2][(w >> 48) & 0xFF];
    ++t[3][w >> 56];
  }
  for (; i < n; ++i) ++t[0][p[i]];
}

double WindowEntropy(const uint8_t* p, int64_t n) {
  if (n < kFourTablesFrom) {
    uint32_t one[256] = {};
    for (int64_t i = 0; i < n; ++i) ++one[p[i]];
    return EntropyFrom(one, static_cast<uint64_t>(n));
  }
  ByteCounts counts{};
  CountBytes(p, static_cast<size_t>(n), counts);
  return EntropyFrom(counts.data(), static_cast<uint64_t>(n));
}

// Runs work over length bytes in chunks of a multiple of unit, ending chunks where the gauge
// changes; the progress box opens only for long runs. False when cancelled.
template <typename Work>
bool InChunks(int64_t length, int64_t unit, const char* caption, Work work) {
  std::optional<TProgressBox> box;
  if (length > kStatisticsProgressFrom) box.emplace(ProgressSpec{true, true, kCurrentFilePosition, caption});
  const int64_t chunk = std::max<int64_t>(unit, (int64_t{4} << 20) / unit * unit);
  for (int64_t done = 0; done < length;) {
    int64_t end = std::min(length, done + chunk);
    if (box) {
      const int64_t change = NextGaugeChange(done, length);
      // Whole units only, so that no window is split between two chunks.
      if (change < end) end = std::min(length, std::max(done + unit, (change + unit - 1) / unit * unit));
    }
    work(done, end - done);
    done = end;
    if (box) {
      box->SetProgress(done, length, 5);
      if (box->Aborted() && done < length) return false;
    }
  }
  return true;
}

}  // namespace

void CountBytes(const uint8_t* data, size_t n, ByteCounts& counts) {
  while (n > 0) {
    const size_t m = std::min(n, kMaxPerCall);
    uint32_t t[4][256] = {};
    CountFourTables(data, m, t);
    for (int v = 0; v < 256; ++v) counts[v] += uint64_t{t[0][v]} + t[1][v] + t[2][v] + t[3][v];
    data += m;
    n -= m;
  }
}

double EntropyOf(const ByteCounts& counts) {
  uint64_t total = 0;
  for (uint64_t c : counts) total += c;
  return EntropyFrom(counts.data(), total);
}

ByteSummary Summarize(const ByteCounts& counts) {
  ByteSummary s;
  for (int v = 0; v < 256; ++v) {
    const uint64_t c = counts[v];
    if (c == 0) continue;
    s.total += c;
    ++s.distinct;
    if (s.mostValue < 0 || c > s.mostCount) s.mostValue = v, s.mostCount = c;
    if (s.leastValue < 0 || c < s.leastCount) s.leastValue = v, s.leastCount = c;
  }
  s.entropy = EntropyOf(counts);
  return s;
}

void AppendWindowEntropies(const uint8_t* data, int64_t n, int64_t window, std::vector<float>& out) {
  if (window <= 0) return;
  for (int64_t at = 0; at < n; at += window) {
    out.push_back(static_cast<float>(WindowEntropy(data + at, std::min(window, n - at))));
  }
}

int64_t AutoEntropyWindow(int64_t size) {
  int64_t window = 256;
  while (window * 1024 < size) window *= 2;
  return window;
}

bool CountDocumentBytes(const TDocument& doc, int64_t first, int64_t last, ByteCounts& counts) {
  counts.fill(0);
  first = std::max<int64_t>(first, 1);
  last = std::min(last, doc.DocSize);
  if (doc.DocBuffer == nullptr || last < first) return true;
  const uint8_t* base = doc.DocBuffer + (first - 1);
  return InChunks(last - first + 1, 1, kCountingCaption, [&](int64_t at, int64_t n) {
    CountBytes(base + at, static_cast<size_t>(n), counts);
  });
}

bool MeasureEntropyMap(const TDocument& doc, int64_t window, EntropyMap& map) {
  EntropyMap result;
  result.length = doc.DocBuffer != nullptr ? doc.DocSize : 0;
  result.window = window > 0 ? window : AutoEntropyWindow(result.length);
  result.values.reserve(static_cast<size_t>((result.length + result.window - 1) / result.window));
  const bool done = InChunks(result.length, result.window, kMeasuringCaption, [&](int64_t at, int64_t n) {
    AppendWindowEntropies(doc.DocBuffer + at, n, result.window, result.values);
  });
  if (done) map = std::move(result);
  return done;
}

std::string EntropyMapCsv(const EntropyMap& map, int64_t baseAddress) {
  std::string text = "address_hex,address,length,entropy\n";
  char line[96];
  for (size_t i = 0; i < map.values.size(); ++i) {
    const int64_t offset = static_cast<int64_t>(i) * map.window;
    const int64_t address = map.first - 1 + baseAddress + offset;
    const int64_t length = std::min(map.window, map.length - offset);
    std::snprintf(line, sizeof line, "%llX,%lld,%lld,%.4f\n", static_cast<unsigned long long>(address),
                  static_cast<long long>(address), static_cast<long long>(length), map.values[i]);
    text += line;
  }
  return text;
}

}  // namespace quoxa
