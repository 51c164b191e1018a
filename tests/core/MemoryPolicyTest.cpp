#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/FreeMemory.h"
#include "core/MemoryPolicy.h"
#include "core/MessageTexts.h"
#include "core/Primitives.h"

namespace quoxa {
namespace {

class MemoryPolicy : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(MemoryPolicy, RoundUpAlwaysAddsAStep) {
  EXPECT_EQ(RoundUp(0), 131072);
  EXPECT_EQ(RoundUp(1), 131072);
  EXPECT_EQ(RoundUp(131071), 131072);
  EXPECT_EQ(RoundUp(131072), 262144);
  EXPECT_EQ(RoundUp(1000000), 1048576);
}

TEST_F(MemoryPolicy, RoundUpPastThirtyTwoBitsAndNearTheLimit) {
  struct Case {
    int64_t x;
    int64_t rounded;  // -1: refused
  };
  for (const Case& c :
       {Case{2147483647LL, 2147483648LL}, Case{2147483648LL, 2147483648LL + 131072}, Case{4294967295LL, 4294967296LL},
        Case{4294967296LL, 4294967296LL + 131072}, Case{kMaxDocSize, kMaxBlockBytes}, Case{kMaxDocSize + 1, -1},
        Case{INT64_MAX, -1}, Case{-1, -1}}) {
    EXPECT_EQ(RoundUp(c.x), c.rounded) << c.x;
  }
  EXPECT_EQ(CapacityForSize(int64_t{5} << 30), (int64_t{5} << 30) + 131072);
}

TEST_F(MemoryPolicy, StartUpAllocatesTheFloor) {
  ASSERT_TRUE(AllocDocument());
  EXPECT_EQ(Capacity(), 524288);
  EXPECT_EQ(Doc().DocSize, 0);
  EXPECT_EQ(rec.busy.texts, std::vector<std::string>{"Allocating memory"});
  EXPECT_EQ(rec.busy.depth, 0);
}

TEST_F(MemoryPolicy, StartUpFailureShowsTheFatalMessage) {
  test::AllocationLimit limit(1000);
  EXPECT_FALSE(AllocDocument());
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Error allocating memory.\nProgram terminated."});
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Error);
}

TEST_F(MemoryPolicy, ShutDownReleasesTheBlock) {
  ASSERT_TRUE(AllocDocument());
  EXPECT_TRUE(FreeDocument());
  EXPECT_EQ(Doc().DocBuffer, nullptr);
  EXPECT_EQ(Doc().DocArray, nullptr);
  EXPECT_EQ(rec.busy.texts.back(), "Releasing memory");
}

TEST_F(MemoryPolicy, NewDocumentAndSmallFilesGetTheFloor) {
  ASSERT_TRUE(AllocDocument());
  ASSERT_TRUE(ReserveForSize(1));
  EXPECT_EQ(Capacity(), 524288);
  ASSERT_TRUE(ReserveForSize(0));
  EXPECT_EQ(Capacity(), 524288);
}

TEST_F(MemoryPolicy, LoadingSizesTheBlockAndMayShrinkIt) {
  ASSERT_TRUE(AllocDocument());
  ASSERT_TRUE(ReserveForSize(1000000));
  EXPECT_EQ(Capacity(), 1048576);
  ASSERT_TRUE(ReserveForSize(524288));
  EXPECT_EQ(Capacity(), 655360);
  ASSERT_TRUE(ReserveForSize(10));
  EXPECT_EQ(Capacity(), 524288);
}

TEST_F(MemoryPolicy, ADocumentTheFreeMemoryCannotHoldIsRefusedUnchanged) {
  ASSERT_TRUE(AllocDocument());
  SetFreeMemoryOverride(int64_t{1} << 30);
  EXPECT_TRUE(MemoryHolds((int64_t{1} << 30) + 524288));  // the block holds the first 512 KiB
  EXPECT_FALSE(MemoryHolds((int64_t{1} << 30) + 524289));
  EXPECT_FALSE(MemoryHolds(int64_t{5} << 30));
  EXPECT_FALSE(MemoryHolds(-1));
  // Growing the block asks the same question.
  test::LoadDocument("abc");
  EXPECT_FALSE(EnsureCapacity(int64_t{2} << 30));
  EXPECT_EQ(Capacity(), 524288);
  // A system that tells nothing leaves it to the allocation.
  SetFreeMemoryOverride(0);
  EXPECT_TRUE(MemoryHolds(int64_t{5} << 30));
  SetFreeMemoryOverride(std::nullopt);
  EXPECT_FALSE(ReserveForSize(kMaxDocSize + 1));
  EXPECT_EQ(Capacity(), 524288);
}

TEST_F(MemoryPolicy, InsertIntoAFullBlockGrowsOneStepAboveTheNewSize) {
  test::LoadDocument(std::string(524288, 'x'));
  ASSERT_EQ(Capacity(), 655360);
  Doc().DocSize = Capacity();  // fill it completely
  ASSERT_TRUE(EnsureCapacity(1));
  EXPECT_EQ(Capacity(), RoundUp(655360 + 1));
  EXPECT_EQ(Capacity(), 786432);
  EXPECT_EQ(rec.busy.texts.back(), "Allocating memory");
}

TEST_F(MemoryPolicy, InsertThatFitsDoesNotReallocate) {
  test::LoadDocument("abc");
  rec.busy.texts.clear();
  EXPECT_TRUE(EnsureCapacity(524288 - 3));
  EXPECT_EQ(Capacity(), 524288);
  EXPECT_TRUE(rec.busy.texts.empty());
  EXPECT_TRUE(EnsureCapacity(0));
}

TEST_F(MemoryPolicy, FailedGrowChangesNothing) {
  test::LoadDocument("abc");
  test::AllocationLimit limit(524288);
  EXPECT_FALSE(EnsureCapacity(524288));
  EXPECT_EQ(Capacity(), 524288);
  EXPECT_EQ(Doc().DocSize, 3);
  EXPECT_EQ(test::DocumentBytes(), "abc");
}

TEST_F(MemoryPolicy, GrowPastTheLimitFailsWithoutWrapping) {
  test::LoadDocument("abc");
  EXPECT_FALSE(EnsureCapacity(kMaxDocSize));
  EXPECT_FALSE(EnsureCapacity(INT64_MAX));
  EXPECT_EQ(Capacity(), 524288);
}

TEST_F(MemoryPolicy, DeleteFromAFloorBlockNeverReallocates) {
  test::LoadDocument(std::string(1000, 'a'));
  rec.busy.texts.clear();
  ASSERT_TRUE(DeleteRange(1, 500));
  EXPECT_EQ(Capacity(), 524288);
  EXPECT_EQ(rec.busy.texts, std::vector<std::string>{"Delete..."});
}

TEST_F(MemoryPolicy, RangeDeleteShrinksToTheFloor) {
  test::LoadDocument(test::Ramp(1000000));
  ASSERT_EQ(Capacity(), 1048576);
  rec.busy.texts.clear();
  ASSERT_TRUE(DeleteRange(1, 900000));
  EXPECT_EQ(Capacity(), 524288);
  EXPECT_EQ(Doc().DocSize, 100000);
  EXPECT_EQ(GetByte(1), static_cast<uint8_t>(900000 & 0xFF));
  EXPECT_EQ(rec.busy.texts, (std::vector<std::string>{"Delete...", "Releasing memory"}));
}

TEST_F(MemoryPolicy, RangeDeleteReallocatesEvenToTheSameSize) {
  test::LoadDocument(std::string(1000000, 'a'));
  rec.busy.texts.clear();
  ASSERT_TRUE(DeleteRange(1, 10));
  EXPECT_EQ(Capacity(), 1048576);
  EXPECT_EQ(rec.busy.texts, (std::vector<std::string>{"Delete...", "Releasing memory"}));
}

TEST_F(MemoryPolicy, FailedShrinkReportsFailureButKeepsTheDocumentConsistent) {
  test::LoadDocument(test::Ramp(1000000));
  {
    test::AllocationLimit limit(100);
    EXPECT_FALSE(DeleteRange(1, 900000));
  }
  EXPECT_EQ(Doc().DocSize, 100000);
  EXPECT_EQ(Capacity(), 1048576);
  EXPECT_EQ(GetByte(1), static_cast<uint8_t>(900000 & 0xFF));
}

TEST_F(MemoryPolicy, MemoryInformationText) {
  test::LoadDocument(std::string(1234567, 'z'));
  EXPECT_EQ(MemoryInfoText(), "Current file size: 1,234,567 bytes\nMemory allocated: 1,310,720 bytes");
}

}  // namespace
}  // namespace quoxa
