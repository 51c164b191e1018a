// What an undo step brings back besides the bytes, and the journal's memory budget.
#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/MessageTexts.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "search/Replace.h"
#include "search/SearchState.h"
#include "tools/ConversionTable.h"

namespace quoxa {
namespace {

class Journaling : public ::testing::Test {
 protected:
  void SetUp() override {
    test::LoadDocument(test::Ramp(64), 8, 4);
    Doc().Journal.Reset();
  }
  void Step(const std::function<void()>& edit) {
    JournalStep step;
    edit();
  }

  test::RecorderScope rec;
};

TEST_F(Journaling, UndoBringsBackCursorBlockAndEnabledCommands) {
  EXPECT_FALSE(Commands().Enabled(Cmd::Undo));
  EXPECT_FALSE(Commands().Enabled(Cmd::Redo));
  GotoAddress(30, true, false);
  MarkBlock(false, true);
  GotoAddress(40, true, false);
  MarkBlock(false, true);
  GotoAddress(10, true, false);
  // An insert before the block's end drops the block with its message.
  Step([] {
    InsertBytes(10, 1, "xyz");
    CheckBlock(10);
  });
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{msg::kBlockNoLongerValid});
  EXPECT_FALSE(BlockMarked());
  EXPECT_TRUE(Commands().Enabled(Cmd::Undo));
  EXPECT_FALSE(Commands().Enabled(Cmd::Redo));

  ASSERT_TRUE(Doc().Journal.Undo());
  EXPECT_EQ(test::DocumentBytes(), test::Ramp(64));
  EXPECT_EQ(CursorAddress(), 10);
  EXPECT_EQ(Doc().BlockBegin, 30);
  EXPECT_EQ(Doc().BlockEnd, 40);
  EXPECT_TRUE(Commands().Enabled(Cmd::BlockDelete));
  EXPECT_FALSE(Doc().Modified);
  EXPECT_FALSE(Commands().Enabled(Cmd::Undo));
  EXPECT_TRUE(Commands().Enabled(Cmd::Redo));

  ASSERT_TRUE(Doc().Journal.Redo());
  EXPECT_EQ(CursorAddress(), 13);
  EXPECT_FALSE(BlockMarked());
  EXPECT_TRUE(Doc().Modified);
}

TEST_F(Journaling, UndoAndRedoKeepOrDropAnUntouchedBlockWithoutAWord) {
  // Ramp(64) holds 0x00..0x3F; the conversion turns 0x0A..0x0F (positions 11..16) into 'x'.
  TConversionTable table = IdentityTable();
  for (int c = 0x0A; c <= 0x0F; ++c) table[static_cast<size_t>(c)] = 'x';
  const std::function<void()> overwrite = [] { OverwriteBytes(12, "zz"); };
  const std::function<void()> remove = [] { DeleteRange(20, 4); };
  const std::function<void()> convert = [&table] {
    ConversionTable = table;
    ApplyConversion(1);
  };
  struct Case {
    const char* name;
    std::function<void()> edit;
    int64_t begin, end;            // marked before the step; 0 = none
    int64_t laterBegin, laterEnd;  // marked after the step; 0 = as it was
    bool kept;                     // the block at undo and redo
  };
  const Case cases[] = {
      {"conversion inside the block", convert, 10, 20, 0, 0, true},
      {"overwrite inside the block", overwrite, 5, 30, 0, 0, true},
      {"in place, block marked later", overwrite, 0, 0, 10, 14, true},
      {"delete behind a block marked later", remove, 0, 0, 5, 8, true},
      {"delete under a block marked later", remove, 0, 0, 15, 25, false},
      {"delete in front of a block marked later", remove, 0, 0, 30, 40, false},
  };
  for (const Case& c : cases) {
    test::LoadDocument(test::Ramp(64), 8, 4);
    Doc().Journal.Reset();
    Doc().BlockBegin = c.begin;
    Doc().BlockEnd = c.end;
    Step(c.edit);
    if (c.laterBegin != 0) {
      Doc().BlockBegin = c.laterBegin;
      Doc().BlockEnd = c.laterEnd;
    }
    const int64_t begin = Doc().BlockBegin;
    const int64_t end = Doc().BlockEnd;
    rec.messages.shown.clear();
    ASSERT_TRUE(Doc().Journal.Undo()) << c.name;
    EXPECT_EQ(Doc().BlockBegin, c.kept ? begin : 0) << c.name;
    EXPECT_EQ(Doc().BlockEnd, c.kept ? end : 0) << c.name;
    ASSERT_TRUE(Doc().Journal.Redo()) << c.name;
    EXPECT_EQ(Doc().BlockEnd, c.kept ? end : 0) << c.name;
    EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{}) << c.name;
  }
  ResetConversionTable();
}

TEST_F(Journaling, UndoOverTheLastReplacementDisablesReplaceUndo) {
  Search().FindString = std::string(1, '\x20');
  Search().ReplaceString = "QQ";
  Step([] { ReplaceNext(1, false); });
  Commands().SetEnabled(Cmd::ReplaceUndo, true);
  ASSERT_TRUE(Doc().Journal.Undo());
  EXPECT_FALSE(Commands().Enabled(Cmd::ReplaceUndo));
  EXPECT_EQ(test::DocumentBytes(), test::Ramp(64));
}

TEST_F(Journaling, OldestStepsGoFirstAndATooLargeChangeEmptiesTheJournal) {
  Doc().Journal.SetBudget(static_cast<int64_t>(sizeof(TUndoStep)) + 50);
  for (int i = 0; i < 10; ++i) Step([i] { OverwriteBytes(1 + i, "x"); });
  EXPECT_LT(Doc().Journal.UndoDepth(), 10u);
  EXPECT_GT(Doc().Journal.UndoDepth(), 0u);
  EXPECT_LE(Doc().Journal.BytesHeld(), Doc().Journal.Budget());
  while (Doc().Journal.Undo()) {
  }
  // The first overwrites are gone for good, and the loaded state is out of reach.
  EXPECT_EQ(GetByte(1), 'x');
  EXPECT_TRUE(Doc().Modified);

  Step([] { DeleteRange(1, 60); });
  EXPECT_EQ(Doc().DocSize, 4);
  EXPECT_FALSE(Doc().Journal.CanUndo());
  EXPECT_FALSE(Doc().Journal.CanRedo());
  EXPECT_FALSE(Commands().Enabled(Cmd::Undo));
  EXPECT_EQ(rec.view.notes, std::vector<std::string>{kCannotUndoNote});
}

TEST_F(Journaling, EveryRecordOfOneCommandIsOneStepAndEmptyStepsLeaveRedo) {
  Step([] {
    OverwriteBytes(1, "ab");
    InsertBytes(10, 2, "cd");
    DeleteRange(30, 3);
  });
  EXPECT_EQ(Doc().Journal.UndoDepth(), 1u);
  ASSERT_TRUE(Doc().Journal.Undo());
  EXPECT_EQ(test::DocumentBytes(), test::Ramp(64));
  Step([] { GotoAddress(3, true, false); });
  EXPECT_TRUE(Doc().Journal.CanRedo());
}

TEST_F(Journaling, UndoOfAGrowingReplaceAllGivesTheMemoryBackButKeepsEveryByte) {
  std::string big(3 << 20, 'a');
  for (size_t i = 0; i < big.size(); i += 7) big[i] = 'Q';
  test::LoadDocument(big);
  Doc().Journal.Reset();
  Search().FindString = "Q";
  Search().ReplaceString = "QQQQ";
  Step([] { ReplaceAll(1, false); });
  ASSERT_TRUE(Doc().Journal.Undo());
  EXPECT_GE(Capacity(), Doc().DocSize);
  EXPECT_LT(Capacity(), int64_t{4} << 20);
  EXPECT_EQ(test::DocumentBytes(), big);
  ASSERT_TRUE(Doc().Journal.Redo());
  ASSERT_TRUE(Doc().Journal.Undo());
  EXPECT_EQ(test::DocumentBytes(), big);
}

// A conversion keeps only what its table cannot give back; joined with other changes in one
// step it becomes splices at the right moment. Undo and redo must give the exact bytes back.
TEST_F(Journaling, ConversionStepsUndoExactlyAloneAndMixedWithOtherChanges) {
  TConversionTable upper = IdentityTable();
  for (int c = 'a'; c <= 'z'; ++c) upper[static_cast<size_t>(c)] = static_cast<uint8_t>(c - 32);
  TConversionTable dots = IdentityTable();  // many bytes to one: their originals must be kept
  for (int c = 0; c < 0x20; ++c) dots[static_cast<size_t>(c)] = '.';
  dots['x'] = 'y';
  const auto convert = [](const TConversionTable& table, int64_t from) {
    return [&table, from] {
      ConversionTable = table;
      ApplyConversion(from);
    };
  };
  const auto insert = [] { InsertBytes(50000, 3, "abc"); };
  struct Case {
    const char* name;
    std::vector<std::function<void()>> edits;
    bool compact;  // a single conversion step: far smaller than the bytes it changed
  };
  const Case cases[] = {
      {"upper alone", {convert(upper, 1)}, true},
      {"dots alone", {convert(dots, 1)}, false},
      {"upper from the middle", {convert(upper, 40001)}, true},
      {"upper twice", {convert(upper, 1), convert(upper, 1)}, false},
      {"upper then dots", {convert(upper, 1), convert(dots, 7)}, false},
      {"insert then dots", {insert, convert(dots, 1)}, false},
      {"dots then insert", {convert(dots, 1), insert}, false},
  };
  // Dense text, then mostly zeros with a letter here and there: both ways of keeping changes.
  std::string bytes;
  for (int i = 0; i < 70001; ++i) {
    bytes += i < 40000 ? "aBx\x01 zq"[i % 8] : (i % 997 == 0 ? 'm' : (i % 3 == 0 ? '\0' : 'Z'));
  }
  for (const Case& c : cases) {
    test::LoadDocument(bytes);
    Doc().Journal.Reset();
    Step([&] {
      for (const auto& edit : c.edits) edit();
    });
    const std::string after = test::DocumentBytes();
    ASSERT_NE(after, bytes) << c.name;
    if (c.compact) {
      EXPECT_LT(Doc().Journal.BytesHeld(), Doc().DocSize / 6) << c.name;
    }
    ASSERT_TRUE(Doc().Journal.Undo()) << c.name;
    EXPECT_TRUE(test::DocumentBytes() == bytes) << c.name;
    ASSERT_TRUE(Doc().Journal.Redo()) << c.name;
    EXPECT_TRUE(test::DocumentBytes() == after) << c.name;
  }
  ResetConversionTable();
}

}  // namespace
}  // namespace quoxa
