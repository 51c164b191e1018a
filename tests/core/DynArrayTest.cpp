#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <vector>

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

// A page mapped right behind size bytes at block (the first free one), so that the block cannot
// grow in place; nullptr when there is none.
void* BlockBehind(const uint8_t* block, int64_t size) {
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  auto at =
      (reinterpret_cast<uintptr_t>(block) + static_cast<uintptr_t>(size) + page - 1) / page * page;
  for (int tries = 0; tries < 4; ++tries, at += page) {
    void* mapped = mmap(reinterpret_cast<void*>(at), page, PROT_READ,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (mapped == reinterpret_cast<void*>(at)) return mapped;
    if (mapped != MAP_FAILED) munmap(mapped, page);
  }
  return nullptr;
}

// Growth and shrinking in place and, with a page in the way, by moving, across page and huge-page
// sizes: the block always keeps the model's bytes, and every byte up to its size can be written.
TEST(DynArray, ResizingKeepsTheBytesWhetherTheBlockGrowsInPlaceOrMoves) {
  constexpr int64_t kHuge = int64_t{2} << 20;
  const struct {
    int64_t size;
    bool blocked;  // a page right behind the block before it takes this size
  } steps[] = {{1, false},        {4097, true},       {4095, false},
               {kHuge - 1, true}, {kHuge + 1, false}, {3 * kHuge + 5, true},
               {3, false},        {7 * kHuge, true},  {0, false},
               {10, false}};
  const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  TQZDynArray a(1);
  uint8_t* p = nullptr;
  std::vector<uint8_t> model;
  for (size_t step = 0; step < std::size(steps); ++step) {
    const int64_t size = steps[step].size;
    void* blocker = steps[step].blocked ? BlockBehind(p, a.ByteSize()) : nullptr;
    const uint8_t* before = p;
    ASSERT_TRUE(a.ReAlloc(p, size)) << size;
    if (blocker != nullptr) {
      EXPECT_NE(p, before) << size;
      munmap(blocker, page);
    }
    // Bytes past the old size are undefined, as realloc's.
    model.resize(std::min(model.size(), static_cast<size_t>(size)));
    ASSERT_EQ(a.ByteSize(), size);
    ASSERT_TRUE(size == 0 ? p == nullptr : std::equal(model.begin(), model.end(), p)) << size;
    model.resize(static_cast<size_t>(size));
    for (int64_t i = 0; i < size; ++i) p[i] = model[i] = static_cast<uint8_t>(i * 31 + step);
  }
  a.DeAlloc(p);
}

}  // namespace
