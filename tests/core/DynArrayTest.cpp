#include <gtest/gtest.h>

#include "TestDocument.h"
#include "core/QZDynArray.h"

using quoxa::kMaxBlockBytes;
using quoxa::TQZDynArray;

namespace {

TEST(DynArray, AllocSetsCountAndByteSize) {
  TQZDynArray a(4);
  uint8_t* p = nullptr;
  ASSERT_TRUE(a.Alloc(p, 10));
  EXPECT_NE(p, nullptr);
  EXPECT_EQ(a.Count(), 10);
  EXPECT_EQ(a.ByteSize(), 40);
  a.DeAlloc(p);
}

TEST(DynArray, AllocWithZeroOrNegativeCountFailsWithNullPointer) {
  TQZDynArray a(1);
  uint8_t dummy = 0;
  uint8_t* p = &dummy;
  EXPECT_FALSE(a.Alloc(p, 0));
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(a.Count(), 0);
  p = &dummy;
  EXPECT_FALSE(a.Alloc(p, -5));
  EXPECT_EQ(p, nullptr);
}

TEST(DynArray, ReAllocNegativeFailsAndChangesNothing) {
  TQZDynArray a(1);
  uint8_t* p = nullptr;
  ASSERT_TRUE(a.Alloc(p, 8));
  uint8_t* before = p;
  EXPECT_FALSE(a.ReAlloc(p, -1));
  EXPECT_EQ(p, before);
  EXPECT_EQ(a.Count(), 8);
  EXPECT_EQ(a.ByteSize(), 8);
  a.DeAlloc(p);
}

TEST(DynArray, ReAllocKeepsContentsUpToTheSmallerSize) {
  TQZDynArray a(1);
  uint8_t* p = nullptr;
  ASSERT_TRUE(a.Alloc(p, 4));
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(i + 1);
  ASSERT_TRUE(a.ReAlloc(p, 100000));
  EXPECT_EQ(p[3], 4);
  ASSERT_TRUE(a.ReAlloc(p, 2));
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[1], 2);
  EXPECT_EQ(a.ByteSize(), 2);
  a.DeAlloc(p);
}

TEST(DynArray, DeltaAllocGrowsFromCurrentCount) {
  TQZDynArray a(2);
  uint8_t* p = nullptr;
  ASSERT_TRUE(a.Alloc(p, 5));
  ASSERT_TRUE(a.DeltaAlloc(p, 3));
  EXPECT_EQ(a.Count(), 8);
  EXPECT_EQ(a.ByteSize(), 16);
  ASSERT_TRUE(a.DeltaAlloc(p, -6));
  EXPECT_EQ(a.Count(), 2);
  a.DeAlloc(p);
}

TEST(DynArray, DeAllocClearsPointerAndSize) {
  TQZDynArray a(1);
  uint8_t* p = nullptr;
  ASSERT_TRUE(a.Alloc(p, 16));
  EXPECT_TRUE(a.DeAlloc(p));
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(a.ByteSize(), 0);
}

TEST(DynArray, SizesPastTheLargestBlockFailWithoutWrapping) {
  TQZDynArray a(4);
  uint8_t* p = nullptr;
  EXPECT_FALSE(a.Alloc(p, kMaxBlockBytes / 4 + 1));
  EXPECT_FALSE(a.Alloc(p, int64_t{1} << 62));  // x 4 wraps to 0 in 64 bits
  EXPECT_EQ(p, nullptr);
  ASSERT_TRUE(a.Alloc(p, 4));
  EXPECT_FALSE(a.ReAlloc(p, INT64_MAX));
  EXPECT_FALSE(a.DeltaAlloc(p, INT64_MAX));
  EXPECT_EQ(a.ByteSize(), 16);
  // Sizes past 32 bits are counted as they are.
  TQZDynArray big(1);
  uint8_t* q = nullptr;
  quoxa::test::AllocationLimit limit(int64_t{5} << 30);
  EXPECT_FALSE(big.Alloc(q, (int64_t{5} << 30) + 1));
  a.DeAlloc(p);
}

TEST(DynArray, FailedReAllocLeavesBlockUntouched) {
  TQZDynArray a(1);
  uint8_t* p = nullptr;
  ASSERT_TRUE(a.Alloc(p, 64));
  p[0] = 0xAB;
  uint8_t* before = p;
  {
    quoxa::test::AllocationLimit limit(100);
    EXPECT_FALSE(a.ReAlloc(p, 101));
  }
  EXPECT_EQ(p, before);
  EXPECT_EQ(p[0], 0xAB);
  EXPECT_EQ(a.ByteSize(), 64);
  a.DeAlloc(p);
}

}  // namespace
