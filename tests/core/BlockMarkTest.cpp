#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Navigation.h"

namespace quoxa {
namespace {

class BlockMark : public ::testing::Test {
 protected:
  void SetUp() override { test::LoadDocument(test::Ramp(100), 16, 10); }

  static void At(int64_t pos) { GotoAddress(pos, true, true); }

  // Shift with a movement key: marked before the cursor moves and again after.
  static void ShiftMove(int64_t to, bool forward) {
    MarkBlock(true, forward);
    At(to);
    MarkBlock(true, forward);
  }

  static void ExpectBlock(int64_t begin, int64_t end) {
    EXPECT_EQ(Doc().BlockBegin, begin);
    EXPECT_EQ(Doc().BlockEnd, end);
  }

  test::RecorderScope rec;
};

TEST_F(BlockMark, MarkingTwiceGivesTheBlockInEitherOrder) {
  At(10);
  EXPECT_FALSE(MarkBlock(false, true));
  ExpectBlock(10, 0);
  At(5);
  EXPECT_TRUE(MarkBlock(false, true));
  ExpectBlock(5, 10);
}

TEST_F(BlockMark, AThirdMarkStartsANewBlock) {
  At(10);
  MarkBlock(false, true);
  At(20);
  MarkBlock(false, true);
  const int repaints = rec.view.gridRepaints;
  At(30);
  EXPECT_FALSE(MarkBlock(false, true));
  ExpectBlock(30, 0);
  EXPECT_GT(rec.view.gridRepaints, repaints);
  EXPECT_FALSE(Commands().Enabled(Cmd::BlockDelete));
  EXPECT_TRUE(Commands().Enabled(Cmd::BlockUnmark));
}

TEST_F(BlockMark, ShiftRightThreeTimesFromTenMarksTenToThirteen) {
  At(10);
  ShiftMove(11, true);
  ShiftMove(12, true);
  ShiftMove(13, true);
  ExpectBlock(10, 13);
  ShiftMove(12, false);
  ShiftMove(11, false);
  ShiftMove(10, false);
  ExpectBlock(10, 10);
  ShiftMove(9, false);
  ExpectBlock(9, 10);
}

TEST_F(BlockMark, MovingBackOverTheAnchorReversesTheDirection) {
  At(10);
  ShiftMove(11, true);
  ShiftMove(12, true);
  ExpectBlock(10, 12);
  // Back over the anchor: the end stays at the anchor, the begin follows.
  ShiftMove(11, false);
  ShiftMove(10, false);
  ShiftMove(9, false);
  ShiftMove(8, false);
  ExpectBlock(8, 10);
  EXPECT_EQ(Doc().BlockDirection, 0);
  ShiftMove(9, true);
  ExpectBlock(9, 10);
  EXPECT_EQ(Doc().BlockDirection, -1);
  ShiftMove(10, true);
  ShiftMove(11, true);
  ExpectBlock(10, 11);
}

TEST_F(BlockMark, RowsAtOnceExtendTheBlock) {
  At(10);
  ShiftMove(26, true);
  ExpectBlock(10, 26);
  ShiftMove(42, true);
  ExpectBlock(10, 42);
  ShiftMove(26, false);
  ExpectBlock(10, 26);
}

TEST_F(BlockMark, ABlockEnablesItsCommandsAndUnmarkDisablesThem) {
  const Cmd dependent[] = {Cmd::BlockDelete, Cmd::BtnDel, Cmd::BlockCopy, Cmd::BlockCopyOverwrite, Cmd::BlockMove,
                           Cmd::WriteBlock,  Cmd::Cut,    Cmd::Copy,      Cmd::BtnCut,             Cmd::BtnCopy,
                           Cmd::CopyHex};
  UnmarkBlock();
  for (Cmd cmd : dependent) Commands().SetEnabled(cmd, false);
  At(10);
  MarkBlock(false, true);
  EXPECT_TRUE(Commands().Enabled(Cmd::BlockUnmark));
  for (Cmd cmd : dependent) EXPECT_FALSE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  At(12);
  MarkBlock(false, true);
  for (Cmd cmd : dependent) EXPECT_TRUE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  UnmarkBlock();
  ExpectBlock(0, 0);
  for (Cmd cmd : {Cmd::BlockUnmark, Cmd::BlockDelete, Cmd::BtnDel, Cmd::BtnCut, Cmd::BtnCopy, Cmd::BlockCopy,
                  Cmd::BlockCopyOverwrite, Cmd::BlockMove, Cmd::WriteBlock}) {
    EXPECT_FALSE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  }
  // The clipboard entries check for a block themselves.
  for (Cmd cmd : {Cmd::Cut, Cmd::Copy, Cmd::CopyHex}) EXPECT_TRUE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
}

TEST_F(BlockMark, AKeyAfterTheFirstMarkSetsTheOtherEnd) {
  At(20);
  MarkBlock(false, true);
  At(15);
  EXPECT_TRUE(MarkBlock(true, false));
  ExpectBlock(15, 20);
}

}  // namespace
}  // namespace quoxa
