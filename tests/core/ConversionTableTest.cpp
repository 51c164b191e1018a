// The .qct format, loading and saving tables, and converting the document with them.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Recorders.h"
#include "TempDir.h"
#include "TestDocument.h"
#include "core/ByteTable.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "tools/ConversionTable.h"

namespace quoxa {
namespace {

// The vectorised lookup, change mask and masked copy against the plain loops, over lengths around their
// block sizes and random tables, with each instruction set the processor has in turn.
TEST(ByteTable, TranslateAndChangedMaskAgreeWithPlainLoops) {
  std::mt19937 rng(17);
  for (const TByteKernels limit :
       {TByteKernels::Plain, TByteKernels::Ssse3, TByteKernels::Avx2, TByteKernels::Avx512}) {
    const int kernels = static_cast<int>(UseByteKernels(limit));
    for (const int64_t n : {0, 1, 15, 16, 17, 31, 32, 33, 63, 64, 65, 127, 255, 4096, 4093 + 4096}) {
      // Tables that change a third of the entries, a few, or none: the lookup skips rows left alone.
      const unsigned every = n % 3 == 0 ? 3 : n % 3 == 1 ? 60 : 0;
      std::vector<uint8_t> table(256);
      for (auto& t : table) t = static_cast<uint8_t>(every != 0 && rng() % every == 0 ? rng() : (&t - table.data()));
      std::vector<uint8_t> before(static_cast<size_t>(n));
      for (auto& b : before) b = static_cast<uint8_t>(rng());
      std::vector<uint8_t> after = before;
      TranslateBytes(after.data(), n, table.data());
      std::vector<uint16_t> mask(static_cast<size_t>(n + 15) / 16 + 1, 0xdead);
      const int64_t changed = ChangedMask(before.data(), after.data(), n, mask.data());
      int64_t expected = 0;
      for (int64_t i = 0; i < n; ++i) {
        ASSERT_EQ(after[i], table[before[i]]) << "kernels " << kernels << ", " << n << " at " << i;
        const bool differs = before[i] != after[i];
        expected += differs;
        ASSERT_EQ((mask[i / 16] >> (i % 16)) & 1, differs ? 1 : 0)
            << "kernels " << kernels << ", " << n << " at " << i;
      }
      EXPECT_EQ(changed, expected) << "kernels " << kernels << ", " << n;
      EXPECT_EQ(mask[(n + 15) / 16], 0xdead) << n << ": written past the mask";
      // Taking the changed bytes back from the original gives the original.
      TakeMasked(after.data(), before.data(), n, mask.data());
      EXPECT_TRUE(after == before) << n;
    }
  }
  UseByteKernels(TByteKernels::Avx512);
}

TEST(ConversionTableFormat, IdentityIsEmptyAndOnlyChangedEntriesAreWrittenInOrder) {
  TConversionTable table = IdentityTable();
  EXPECT_EQ(FormatConversionTable(table), "");
  table[0x84] = 0x61;
  EXPECT_EQ(FormatConversionTable(table), "84;61\r\n");
  table[0x0a] = 0xff;
  EXPECT_EQ(FormatConversionTable(table), "0A;FF\r\n84;61\r\n");
}

TEST(ConversionTableFormat, ReadingAcceptsWellFormedLinesOnly) {
  struct Case {
    const char* text;
    bool ok;
    int source;  // checked entry
    int target;
  };
  const Case cases[] = {
      {"", true, 0x84, 0x84},
      {"84;61", true, 0x84, 0x61},
      {"84;61\r\n", true, 0x84, 0x61},
      {"84;61\n", true, 0x84, 0x61},
      {"84;61\r\n84;62\r\n", true, 0x84, 0x62},
      {"8a;6f\r\n", true, 0x8a, 0x6f},
      {"84;61\r\n\r\n", false, 0x84, 0x61},
      {"\r\n84;61\r\n", false, 0x84, 0x84},
      {"84;61 \r\n", false, 0x84, 0x84},
      {"4;61\r\n", false, 0x04, 0x04},
      {"84,61\r\n", false, 0x84, 0x84},
      {"8g;61\r\n", false, 0x84, 0x84},
      {"84;61\r\n84;6100000000000000\r\n", false, 0x84, 0x61},
      {"84;\x00"
       "1\r\n",
       false, 0x84, 0x84},
  };
  for (const Case& c : cases) {
    TConversionTable table{};
    EXPECT_EQ(ParseConversionTable(c.text, table), c.ok) << c.text;
    EXPECT_EQ(table[static_cast<size_t>(c.source)], c.target) << c.text;
  }
  TConversionTable table{};
  EXPECT_FALSE(ParseConversionTable(std::string_view("84;\0" "1\r\n", 7), table));
  EXPECT_FALSE(ParseConversionTable(std::string(100000, 'x'), table));
}

class Conversion : public ::testing::Test {
 protected:
  void SetUp() override { ResetConversionTable(); }
  void TearDown() override { ResetConversionTable(); }
  test::RecorderScope rec;
  test::TempDir dir;
};

TEST_F(Conversion, SavedTablesLoadBackAndBadFilesResetTheTable) {
  ConversionTable['a'] = 'A';
  ConversionTable[0x84] = 0x61;
  ASSERT_TRUE(SaveConversionTable(dir / "t.qct"));
  EXPECT_EQ(test::TempDir::Read(dir / "t.qct"), "61;41\r\n84;61\r\n");
  const TConversionTable saved = ConversionTable;
  ResetConversionTable();
  ASSERT_TRUE(LoadConversionTable(dir / "t.qct"));
  EXPECT_EQ(ConversionTable, saved);

  ResetConversionTable();
  ASSERT_TRUE(SaveConversionTable(dir / "empty.qct"));
  EXPECT_EQ(test::TempDir::Read(dir / "empty.qct"), "");
  ConversionTable[1] = 2;
  ASSERT_TRUE(LoadConversionTable(dir / "empty.qct"));
  EXPECT_EQ(ConversionTable, IdentityTable());

  EXPECT_FALSE(LoadConversionTable(dir / "missing.qct"));
  EXPECT_FALSE(LoadConversionTable(dir.Write("bad.qct", "84;61\r\nxx\r\n")));
  EXPECT_EQ(ConversionTable[0x84], 0x61);  // the lines before the error stay
  EXPECT_FALSE(SaveConversionTable(dir.Write("plain", "x") + "/t.qct"));
}

TEST_F(Conversion, ConvertsFromThePositionCountsChangesAndIsOneUndoStep) {
  struct Case {
    int64_t first;
    const char* before;
    const char* after;
    int64_t count;
  };
  ConversionTable['a'] = 'A';
  ConversionTable['b'] = 'B';
  const Case cases[] = {
      {1, "abcab", "ABcAB", 4},
      {3, "abcab", "abcAB", 2},
      {1, "xyz", "xyz", 0},
      {6, "abcab", "abcab", 0},
  };
  for (const Case& c : cases) {
    test::LoadDocument(c.before);
    Doc().Journal.Reset();
    const ConversionResult result = ApplyConversion(c.first);
    EXPECT_EQ(test::DocumentBytes(), c.after) << c.before << " from " << c.first;
    EXPECT_EQ(result.count, c.count);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(Doc().Modified, c.count > 0);
    EXPECT_EQ(Doc().Journal.UndoDepth(), c.count > 0 ? 1u : 0u);
    if (c.count > 0) {
      Doc().Journal.Undo();
      EXPECT_EQ(test::DocumentBytes(), c.before);
    }
  }
  ASSERT_EQ(rec.progress.boxes.size(), 4u);
  EXPECT_EQ(rec.progress.boxes[0]->setup.caption, kReplacingCaption);
  EXPECT_EQ(rec.progress.boxes[0]->setup.text, kCurrentFilePosition);
}

TEST_F(Conversion, CancelKeepsWhatWasConverted) {
  ConversionTable['a'] = 'b';
  test::LoadDocument(std::string(3 << 20, 'a'));
  rec.progress.abortAfterUpdates = 1;
  const ConversionResult result = ApplyConversion(1);
  EXPECT_FALSE(result.complete);
  EXPECT_GT(result.count, 0);
  EXPECT_LT(result.count, 3 << 20);
  const std::string bytes = test::DocumentBytes();
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 'b'), result.count);
  EXPECT_EQ(bytes.find('a'), static_cast<size_t>(result.count));
}

}  // namespace
}  // namespace quoxa
