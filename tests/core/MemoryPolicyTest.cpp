#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
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

TEST_F(MemoryPolicy, RoundUpNearTheLimitRefusesInsteadOfWrapping) {
  EXPECT_EQ(RoundUp(2147483647LL - 131072), 2147352576LL);  // 16383 steps fit
  EXPECT_EQ(RoundUp(2147352576LL), -1);
  EXPECT_EQ(RoundUp(2147483647LL), -1);
  EXPECT_EQ(CapacityForSize(2147483648LL), -1);
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

TEST_F(MemoryPolicy, LoadingAFileOfTwoGigabytesIsRefusedUnchanged) {
  ASSERT_TRUE(AllocDocument());
  EXPECT_FALSE(ReserveForSize(2147483648LL));
  EXPECT_FALSE(ReserveForSize(2147483647LL));
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
  EXPECT_FALSE(EnsureCapacity(2147483647LL));
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
