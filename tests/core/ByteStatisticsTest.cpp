// Byte counts, entropy and the entropy map against values worked out independently.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "tools/ByteStatistics.h"
#include "tools/PlotAxis.h"

namespace quoxa {
namespace {

using test::Ramp;

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

ByteCounts CountsOf(const std::string& s) {
  ByteCounts counts{};
  CountBytes(Bytes(s), s.size(), counts);
  return counts;
}

std::string AllValues(int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += Ramp(256);
  return s;
}

std::string Random(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen());
  return s;
}

TEST(ByteStatistics, EntropyAndSummaryOfConstructedInputs) {
  std::string ramp16;
  for (int i = 0; i < 16; ++i) ramp16 += std::string(static_cast<size_t>(i + 1), static_cast<char>(i));
  // Expected entropies from python3: -sum(p * log2(p)) over collections.Counter(bytes).
  struct Row {
    std::string bytes;
    double entropy;
    int distinct, most, least;
    uint64_t mostCount, leastCount;
  } rows[] = {
      {"", 0, 0, -1, -1, 0, 0},
      {std::string(1000, '\0'), 0, 1, 0, 0, 1000, 1000},
      {AllValues(4), 8, 256, 0, 0, 4, 4},
      {std::string("\0\0\0\1", 4), 0.811278124459, 2, 0, 1, 3, 1},
      {"The quick brown fox jumps over the lazy dog", 4.431965045349, 28, ' ', 'T', 8, 1},
      {ramp16, 3.761288316327, 16, 15, 0, 16, 1},
      {Ramp(128) + Ramp(128) + Ramp(128) + std::string(100, '\0'), 6.248242850757, 128, 0, 1, 103, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes.substr(0, 20));
    const ByteSummary s = Summarize(CountsOf(row.bytes));
    EXPECT_NEAR(s.entropy, row.entropy, 1e-9);
    EXPECT_EQ(s.total, row.bytes.size());
    EXPECT_EQ(s.distinct, row.distinct);
    EXPECT_EQ(s.mostValue, row.most);
    EXPECT_EQ(s.mostCount, row.mostCount);
    EXPECT_EQ(s.leastValue, row.least);
    EXPECT_EQ(s.leastCount, row.leastCount);
  }
}

TEST(ByteStatistics, FourTableCountMatchesOneByteAtATime) {
  for (size_t n : {size_t{0}, size_t{1}, size_t{7}, size_t{8}, size_t{9}, size_t{4097}, size_t{100003}}) {
    const std::string s = Random(n, static_cast<unsigned>(n)) + std::string(n % 13, 'x');
    ByteCounts naive{};
    for (unsigned char c : s) ++naive[c];
    ByteCounts counts{};
    counts[7] = 5;  // counts add to what is there
    naive[7] += 5;
    CountBytes(Bytes(s), s.size(), counts);
    EXPECT_EQ(counts, naive) << "length " << s.size();
  }
}

TEST(ByteStatistics, WindowsSplitAtTheirBoundariesAndTheLastMayBeShort) {
  const std::string twoValues = std::string(50, 'a') + std::string(50, 'b');
  struct Row {
    std::string bytes;
    int64_t window;
    std::vector<float> expected;
  } rows[] = {
      {"", 256, {}},
      {twoValues, 256, {1}},  // shorter than one window
      {std::string(256, '\0') + Ramp(256) + twoValues, 256, {0, 8, 1}},
      {std::string(4096, '\0') + AllValues(16), 4096, {0, 8}},  // the four-table path
      {Ramp(256) + Ramp(1), 128, {7, 7, 0}},
  };
  for (const Row& row : rows) {
    std::vector<float> out;
    AppendWindowEntropies(Bytes(row.bytes), static_cast<int64_t>(row.bytes.size()), row.window, out);
    ASSERT_EQ(out.size(), row.expected.size()) << row.bytes.size();
    for (size_t i = 0; i < out.size(); ++i) EXPECT_NEAR(out[i], row.expected[i], 1e-6) << i;
  }
  struct Auto {
    int64_t size, window;
  } autos[] = {{0, 256}, {1000, 256}, {256 << 10, 256}, {(256 << 10) + 1, 512}, {3 << 20, 4096},
               {int64_t{256} << 20, 256 << 10}, {int64_t{5} << 30, int64_t{8} << 20}};
  for (const Auto& a : autos) EXPECT_EQ(AutoEntropyWindow(a.size), a.window) << a.size;
}

TEST(ByteStatistics, DocumentRangesMapsAndCsv) {
  test::RecorderScope rec;
  test::LoadDocument(std::string(300, '\0') + Ramp(256));
  ByteCounts counts;
  ASSERT_TRUE(CountDocumentBytes(Doc(), 301, 556, counts));
  EXPECT_EQ(Summarize(counts).entropy, 8);
  ASSERT_TRUE(CountDocumentBytes(Doc(), 301, 300, counts));  // an empty block
  EXPECT_EQ(Summarize(counts).total, 0u);
  EXPECT_TRUE(rec.progress.boxes.empty());  // small work shows no box

  EntropyMap map;
  ASSERT_TRUE(MeasureEntropyMap(Doc(), 300, map));
  EXPECT_EQ(EntropyMapCsv(map, 1),
            "address_hex,address,length,entropy\n"
            "1,1,300,0.0000\n"
            "12D,301,256,8.0000\n");
}

TEST(ByteStatistics, LongWorkShowsTheBoxAndCancelKeepsTheOldMap) {
  test::RecorderScope rec;
  test::LoadDocument(std::string((64 << 20) + 1, 'q'));
  rec.progress.abortAfterUpdates = 2;
  EntropyMap map;
  map.window = 7;
  EXPECT_FALSE(MeasureEntropyMap(Doc(), 0, map));
  EXPECT_EQ(map.window, 7);
  ByteCounts counts;
  EXPECT_FALSE(CountDocumentBytes(Doc(), 1, Doc().DocSize, counts));
  ASSERT_EQ(rec.progress.boxes.size(), 2u);
  EXPECT_EQ(rec.progress.boxes[0]->setup.caption, kMeasuringCaption);
  EXPECT_EQ(rec.progress.boxes[1]->setup.caption, kCountingCaption);
  EXPECT_EQ(rec.progress.boxes[0]->gauge, (std::vector<int>{5, 10}));

  rec.progress.abortAfterUpdates = -1;
  ASSERT_TRUE(MeasureEntropyMap(Doc(), 0, map));
  EXPECT_EQ(map.window, 128 << 10);
  EXPECT_EQ(map.values.size(), 513u);
  EXPECT_EQ(rec.progress.boxes.back()->gauge.size(), 20u);
}

TEST(PlotAxis, TicksAreRoundAndPixelsMapBothWays) {
  EXPECT_EQ(HexTicks(0, 0x2FFFFF, 8), (std::vector<int64_t>{0, 0x80000, 0x100000, 0x180000, 0x200000, 0x280000}));
  EXPECT_EQ(HexTicks(1, 0x2FF, 4), (std::vector<int64_t>{0x100, 0x200}));
  EXPECT_EQ(HexTicks(5, 5, 4), (std::vector<int64_t>{5}));
  EXPECT_EQ(HexLabel(0x1F0000), "1F0000");
  EXPECT_EQ(CountTicks(1234, false), (std::vector<uint64_t>{0, 500, 1000}));
  EXPECT_EQ(CountTicks(7, false), (std::vector<uint64_t>{0, 2, 4, 6}));
  EXPECT_EQ(CountTicks(123456, true), (std::vector<uint64_t>{1, 10, 100, 1000, 10000, 100000}));
  EXPECT_EQ(CountTicks(0, true), (std::vector<uint64_t>{0}));
  // Every pixel of a span shows a byte inside it, and the byte's own pixel is that pixel.
  for (const PlotSpan span : {PlotSpan{3 << 20, 700}, PlotSpan{5, 700}, PlotSpan{int64_t{5} << 30, 997}}) {
    EXPECT_EQ(span.OffsetAt(-10), span.OffsetAt(0));
    EXPECT_EQ(span.OffsetAt(span.width + 10), span.OffsetAt(span.width - 1));
    for (int x = 0; x < span.width; x += 7) {
      const int64_t offset = span.OffsetAt(x);
      ASSERT_TRUE(offset >= 0 && offset < span.length);
      if (span.length >= span.width) {
        EXPECT_EQ(span.XOf(offset), x) << span.length << " " << x;
      }
    }
  }
}

}  // namespace
}  // namespace quoxa
