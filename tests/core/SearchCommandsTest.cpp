// The Find, Count and Replace commands: where they start, their progress boxes, messages, the
// cursor, and which Search menu commands they enable.
#include <gtest/gtest.h>

#include <cstring>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/MemoryPolicy.h"
#include "core/Navigation.h"
#include "core/FreeMemory.h"
#include "search/SearchCommands.h"
#include "search/SearchState.h"

namespace quoxa {
namespace {

using test::DocumentBytes;

class SearchCommands : public ::testing::Test {
 protected:
  void SetUp() override { SetFreeMemoryOverride(int64_t{1} << 30); }
  void TearDown() override { SetFreeMemoryOverride(std::nullopt); }

  void Load(const std::string& bytes, const std::string& find, const std::string& replacement = "") {
    test::LoadDocument(bytes, 4, 4);
    Search().FindString = find;
    Search().ReplaceString = replacement;
  }
  void PlaceCursor(int64_t pos) { GotoAddress(pos, true, false); }
  std::vector<std::string> Texts() const { return rec.messages.Texts(); }
  bool Enabled(Cmd cmd) const { return Commands().Enabled(cmd); }

  test::RecorderScope rec;
};

// ---- start positions

TEST_F(SearchCommands, TheMenuAndKeysStartAtTheCursorWhateverTheScope) {
  Load("0123456789", "x");
  PlaceCursor(5);
  Search().FromCursor = false;
  EXPECT_EQ(FindDownStart(true), 5);
  EXPECT_EQ(FindUpStart(true), 5);
  EXPECT_EQ(ReplaceAgainStart(true), 5);
  // After a dialog the scope decides: begin, or the end upwards.
  EXPECT_EQ(FindDownStart(false), 1);
  EXPECT_EQ(FindUpStart(false), 10);
  EXPECT_EQ(ReplaceAgainStart(false), 1);
  Search().FromCursor = true;
  EXPECT_EQ(FindDownStart(false), 5);
  EXPECT_EQ(FindUpStart(false), 5);
  EXPECT_EQ(ReplaceAgainStart(false), 5);
}

TEST_F(SearchCommands, CountStartsAtTheCursorOrAtTheBeginOrEndOfItsDirection) {
  Load("0123456789", "x");
  PlaceCursor(5);
  EXPECT_EQ(CountStart(), 5);
  Search().FromCursor = false;
  EXPECT_EQ(CountStart(), 1);
  Search().SearchDown = false;
  EXPECT_EQ(CountStart(), 10);
}

// ---- find

TEST_F(SearchCommands, FindAgainPutsTheCursorOnTheOccurrenceUnderASearchingBox) {
  Load("xxABxxABx", "AB");
  FindAgainDown(true);
  EXPECT_EQ(CursorAddress(), 3);
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_EQ(rec.progress.boxes[0]->setup.caption, "Searching...");
  EXPECT_EQ(rec.progress.boxes[0]->setup.text, "Current file position");
  EXPECT_TRUE(rec.progress.boxes[0]->setup.withCancel);
  EXPECT_TRUE(rec.progress.boxes[0]->closed);
  // On the occurrence just found, F3 continues behind it.
  FindAgainDown(true);
  EXPECT_EQ(CursorAddress(), 7);
  FindAgainDown(true);
  EXPECT_EQ(CursorAddress(), 7);
  EXPECT_EQ(Texts(), std::vector<std::string>{"String not found"});
  // Upwards from the occurrence found, the one before it.
  FindAgainUp(true);
  EXPECT_EQ(CursorAddress(), 3);
  FindAgainUp(true);
  EXPECT_EQ(Texts().size(), 2u);
  EXPECT_EQ(CursorAddress(), 3);
}

TEST_F(SearchCommands, OneByteFurtherF3FindsAnOverlappingOccurrence) {
  Load("xAAAx", "AA");
  FindAgainDown(true);
  EXPECT_EQ(CursorAddress(), 2);
  FindAgainDown(true);
  EXPECT_EQ(Texts(), std::vector<std::string>{"String not found"});
  PlaceCursor(3);
  FindAgainDown(true);
  EXPECT_EQ(CursorAddress(), 3);
}

TEST_F(SearchCommands, UpwardsFromACursorThatIsNoOccurrenceFindsOneEndingThere) {
  Load("xxABxx", "AB");
  PlaceCursor(4);
  FindAgainUp(true);
  EXPECT_EQ(CursorAddress(), 3);
}

TEST_F(SearchCommands, FindDialogWithScopeBeginSearchesTheWholeDocument) {
  Load("ABxxxxAB", "AB");
  PlaceCursor(5);
  Search().FromCursor = false;
  AfterFindDialog(true);
  EXPECT_EQ(CursorAddress(), 1);
  PlaceCursor(3);
  Search().SearchDown = false;
  AfterFindDialog(true);
  EXPECT_EQ(CursorAddress(), 7) << "upwards the scope starts at the end";
  EXPECT_TRUE(Texts().empty());
}

TEST_F(SearchCommands, ACancelledFindShowsNothingAndLeavesTheCursor) {
  Load(std::string(300, 'x') + "AB", "AB");
  rec.progress.abortAfterUpdates = 1;
  FindAgainDown(true);
  EXPECT_EQ(CursorAddress(), 1);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(SearchCommands, TheFindDialogDecidesFindAgainAndAlwaysEndsReplaceAgainAndUndo) {
  Load("ABAB", "AB");
  SetCommandsEnabled({Cmd::FindDown, Cmd::FindUp, Cmd::ReplaceAgain, Cmd::ReplaceUndo}, true);
  AfterFindDialog(false);
  EXPECT_FALSE(Enabled(Cmd::FindDown));
  EXPECT_FALSE(Enabled(Cmd::FindUp));
  EXPECT_FALSE(Enabled(Cmd::ReplaceAgain));
  EXPECT_FALSE(Enabled(Cmd::ReplaceUndo));
  EXPECT_TRUE(rec.progress.boxes.empty()) << "Cancel searches nothing";
  SetCommandsEnabled({Cmd::ReplaceAgain, Cmd::ReplaceUndo}, true);
  AfterFindDialog(true);
  EXPECT_TRUE(Enabled(Cmd::FindDown));
  EXPECT_TRUE(Enabled(Cmd::FindUp));
  EXPECT_FALSE(Enabled(Cmd::ReplaceAgain));
  EXPECT_FALSE(Enabled(Cmd::ReplaceUndo));
}

// ---- count

TEST_F(SearchCommands, CountShowsTheNumberWithSeparatorsAndGoesToTheLastOne) {
  std::string bytes;
  for (int i = 0; i < 1500; ++i) bytes += "AB";
  Load(bytes, "AB");
  Search().FromCursor = false;
  CountCommand();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Occurences found:\n1,500"});
  EXPECT_EQ(CursorAddress(), 2999);
  EXPECT_EQ(rec.progress.boxes.at(0)->setup.caption, "Searching...");

  Search().SearchDown = false;
  CountCommand();
  EXPECT_EQ(Texts().back(), "Occurences found:\n1,500");
  EXPECT_EQ(CursorAddress(), 1);
}

TEST_F(SearchCommands, CountOfAnAbsentStringIsZeroAndTheCursorGoesToAnEarlierFind) {
  Load("xxABxxxx", "AB");
  CountCommand();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Occurences found:\n1"});
  PlaceCursor(6);
  Search().FindString = "QQ";
  CountCommand();
  EXPECT_EQ(Texts().back(), "Occurences found:\n0");
  EXPECT_EQ(CursorAddress(), 3);

  Doc().LastFound = 0;
  PlaceCursor(6);
  CountCommand();
  EXPECT_EQ(CursorAddress(), 6);
}

TEST_F(SearchCommands, CountLeavesTheCommandsAloneAndACancelShowsNothing) {
  Load(std::string(300, 'x') + "AB", "AB");
  SetCommandsEnabled({Cmd::FindDown, Cmd::ReplaceUndo}, true);
  SetCommandsEnabled({Cmd::FindUp, Cmd::ReplaceAgain}, false);
  CountCommand();
  EXPECT_TRUE(Enabled(Cmd::FindDown));
  EXPECT_TRUE(Enabled(Cmd::ReplaceUndo));
  EXPECT_FALSE(Enabled(Cmd::FindUp));
  EXPECT_FALSE(Enabled(Cmd::ReplaceAgain));
  rec.progress.abortAfterUpdates = 1;
  CountCommand();
  EXPECT_EQ(Texts().size(), 1u);
}

// ---- replace

TEST_F(SearchCommands, ReplaceAgainGoesToTheLastByteAndEnablesUndo) {
  Load("xAxxAx", "A", "BCD");
  Commands().SetEnabled(Cmd::ReplaceUndo, false);
  ReplaceAgainDown(true);
  EXPECT_EQ(DocumentBytes(), "xBCDxxAx");
  EXPECT_EQ(CursorAddress(), 4);
  EXPECT_TRUE(Enabled(Cmd::ReplaceUndo));
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_EQ(rec.progress.boxes[0]->setup.caption, "Replacing...");
  EXPECT_EQ(rec.progress.boxes[0]->setup.text, "Searching...");
  EXPECT_EQ(rec.progress.boxes[0]->texts, std::vector<std::string>{"Replacing"});
  EXPECT_EQ(rec.busy.depth, 0);
  EXPECT_GE(rec.busy.maxDepth, 1);
  // F4 continues behind the replacement.
  ReplaceAgainDown(true);
  EXPECT_EQ(DocumentBytes(), "xBCDxxBCDx");
  EXPECT_EQ(CursorAddress(), 9);
  ReplaceAgainDown(true);
  EXPECT_EQ(Texts(), std::vector<std::string>{"String not found"});
}

TEST_F(SearchCommands, AfterADeletingReplacementF4ContinuesAtTheSamePlace) {
  Load("xAAx", "A", "");
  ReplaceAgainDown(true);
  EXPECT_EQ(DocumentBytes(), "xAx");
  EXPECT_EQ(CursorAddress(), 2);
  ReplaceAgainDown(true);
  EXPECT_EQ(DocumentBytes(), "xx");
  EXPECT_TRUE(Texts().empty());
}

TEST_F(SearchCommands, AReplacementChangingTheLengthDropsABlockBehindIt) {
  Load("xAxxxx", "A", "BB");
  Doc().BlockBegin = 4;
  Doc().BlockEnd = 5;
  ReplaceAgainDown(true);
  EXPECT_EQ(Doc().BlockBegin, 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Block no longer valid"});
}

TEST_F(SearchCommands, ReplaceAllReportsItsCountAlways) {
  Load("ABAB", "AB", "XYZ");
  ReplaceAllCommand();
  EXPECT_EQ(DocumentBytes(), "XYZXYZ");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Occurences replaced:\n2"});
  EXPECT_EQ(rec.progress.boxes.at(0)->setup.caption, "Replacing...");
  EXPECT_TRUE(rec.progress.boxes.at(0)->closed);

  // Nothing to replace, a declined memory question, or a cancel: the count all the same.
  Load("ABAB", "Q", "XYZ");
  ReplaceAllCommand();
  EXPECT_EQ(Texts().back(), "Occurences replaced:\n0");

  Load("AxAx", "A", "BBBB");
  std::memset(WritableDocBuffer() + 4, 'x', static_cast<size_t>(Capacity() - 4));
  Doc().DocSize = Capacity();
  SetFreeMemoryOverride(3);
  rec.messages.answers = {mrNo};
  ReplaceAllCommand();
  EXPECT_EQ(Texts().size(), 4u);
  EXPECT_EQ(Texts()[2], "Occurences to replace: 2;\nmemory sufficient for\n1 replacements.\nReplace them?");
  EXPECT_EQ(Texts()[3], "Occurences replaced:\n0");
  EXPECT_EQ(DocumentBytes().substr(0, 4), "AxAx");
}

TEST_F(SearchCommands, ReplaceAllAfterACancelReportsTheReplacementsMade) {
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += "xxAx";
  Load(bytes, "A", "");
  Search().FromCursor = false;
  rec.progress.abortAfterUpdates = 10;
  ReplaceAllCommand();
  ASSERT_EQ(Texts().size(), 1u);
  const int64_t removed = 400 - Doc().DocSize;
  EXPECT_GT(removed, 0);
  EXPECT_LT(removed, 100);
  EXPECT_EQ(Texts()[0], "Occurences replaced:\n" + std::to_string(removed));
}

TEST_F(SearchCommands, ReplaceAllFromTheCursorSkipsTheReplacementItStandsOn) {
  Load("AAAA", "A", "AA");
  ReplaceAgainDown(true);
  EXPECT_EQ(DocumentBytes(), "AAAAA");
  EXPECT_EQ(CursorAddress(), 2);
  ReplaceAllCommand();
  EXPECT_EQ(DocumentBytes(), std::string(8, 'A')) << "the second A of the replacement is not replaced again";
  EXPECT_EQ(Texts(), std::vector<std::string>{"Occurences replaced:\n3"});
}

TEST_F(SearchCommands, ReplaceUndoTakesBackAndDisablesItself) {
  Load("1234A678", "A", "BB");
  ReplaceAgainDown(true);
  ReplaceUndoCommand();
  EXPECT_EQ(DocumentBytes(), "1234A678");
  EXPECT_EQ(CursorAddress(), 5);
  EXPECT_FALSE(Enabled(Cmd::ReplaceUndo));
  EXPECT_EQ(rec.busy.depth, 0);
}

TEST_F(SearchCommands, ReplaceUndoWithoutMemoryStaysAvailable) {
  Load("xB", "B", "");
  ReplaceAgainDown(true);
  std::memset(WritableDocBuffer() + Doc().DocSize, 'a', static_cast<size_t>(Capacity() - Doc().DocSize));
  Doc().DocSize = Capacity();
  TQZDynArray::SetAllocationLimit(Capacity());
  ReplaceUndoCommand();
  TQZDynArray::SetAllocationLimit(-1);
  EXPECT_TRUE(Enabled(Cmd::ReplaceUndo));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Can't allocate additional memory\nto perform operation"});
}

TEST_F(SearchCommands, TheReplaceDialogDecidesReplaceAgainAndItsUndo) {
  Load("xAxA", "A", "B");
  SetCommandsEnabled({Cmd::ReplaceAgain, Cmd::ReplaceUndo}, true);
  AfterReplaceDialog(ReplaceChoice::Cancel);
  EXPECT_FALSE(Enabled(Cmd::ReplaceAgain));
  EXPECT_FALSE(Enabled(Cmd::ReplaceUndo));
  EXPECT_EQ(DocumentBytes(), "xAxA");

  // OK replaces one, from the scope's start.
  Search().FromCursor = false;
  PlaceCursor(3);
  AfterReplaceDialog(ReplaceChoice::ReplaceOne);
  EXPECT_EQ(DocumentBytes(), "xBxA");
  EXPECT_TRUE(Enabled(Cmd::ReplaceAgain));
  EXPECT_TRUE(Enabled(Cmd::ReplaceUndo));

  // Replace all leaves Replace undo as it was.
  Commands().SetEnabled(Cmd::ReplaceUndo, false);
  Commands().SetEnabled(Cmd::ReplaceAgain, false);
  AfterReplaceDialog(ReplaceChoice::ReplaceAll);
  EXPECT_EQ(DocumentBytes(), "xBxB");
  EXPECT_TRUE(Enabled(Cmd::ReplaceAgain));
  EXPECT_FALSE(Enabled(Cmd::ReplaceUndo));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Occurences replaced:\n1"});

  // OK that finds nothing still enables Replace again.
  Commands().SetEnabled(Cmd::ReplaceAgain, false);
  AfterReplaceDialog(ReplaceChoice::ReplaceOne);
  EXPECT_EQ(Texts().back(), "String not found");
  EXPECT_TRUE(Enabled(Cmd::ReplaceAgain));
}

}  // namespace
}  // namespace quoxa
