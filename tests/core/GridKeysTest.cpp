#include <gtest/gtest.h>

#include <map>

#include "Recorders.h"
#include "FakeGrids.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "ui/main/GridKeys.h"
#include "ui/main/ViewTexts.h"

namespace quoxa {
namespace {

class GridKeys : public ::testing::Test {
 protected:
  void Load(const std::string& bytes, int32_t cols = 16, int32_t rows = 10) {
    test::LoadDocument(bytes, cols, rows);
    grids.cells.clear();
  }
  void At(int64_t pos) { GotoAddress(pos, true, true); }
  // A key pressed and released, and the keys it posted delivered.
  void Press(GridKey key, bool shift = false, bool ctrl = false) {
    keys.KeyDown(key, shift, ctrl);
    keys.KeyUp(key, shift);
    keys.RunPostedKeys();
  }
  void Type(const std::string& text) {
    keys.KeyPress(text);
    keys.RunPostedKeys();
  }
  void Overwrite(bool on) { Doc().OverwriteMode = on; }

  test::RecorderScope rec;
  test::FakeGrids grids;
  TGridKeys keys{grids};
};

TEST(GridMoveTarget, ArrowsHomeEndAndPagesWithinTheGrid) {
  Cell target;
  EXPECT_TRUE(GridMoveTarget(GridKey::Right, false, {3, 2}, 4, 5, target));
  EXPECT_EQ(target, (Cell{0, 3}));
  EXPECT_TRUE(GridMoveTarget(GridKey::Left, false, {0, 2}, 4, 5, target));
  EXPECT_EQ(target, (Cell{3, 1}));
  EXPECT_FALSE(GridMoveTarget(GridKey::Left, false, {0, 0}, 4, 5, target));
  EXPECT_FALSE(GridMoveTarget(GridKey::Right, false, {3, 4}, 4, 5, target));
  EXPECT_FALSE(GridMoveTarget(GridKey::Up, false, {1, 0}, 4, 5, target));
  EXPECT_FALSE(GridMoveTarget(GridKey::Down, false, {1, 4}, 4, 5, target));
  EXPECT_TRUE(GridMoveTarget(GridKey::PageDown, false, {1, 1}, 4, 5, target));
  EXPECT_EQ(target, (Cell{1, 4}));
  EXPECT_TRUE(GridMoveTarget(GridKey::PageUp, false, {1, 3}, 4, 5, target));
  EXPECT_EQ(target, (Cell{1, 0}));
  EXPECT_TRUE(GridMoveTarget(GridKey::Home, false, {2, 3}, 4, 5, target));
  EXPECT_EQ(target, (Cell{0, 3}));
  EXPECT_TRUE(GridMoveTarget(GridKey::Home, true, {2, 3}, 4, 5, target));
  EXPECT_EQ(target, (Cell{0, 0}));
  EXPECT_TRUE(GridMoveTarget(GridKey::End, false, {1, 3}, 4, 5, target));
  EXPECT_EQ(target, (Cell{3, 3}));
  EXPECT_TRUE(GridMoveTarget(GridKey::End, true, {1, 3}, 4, 5, target));
  EXPECT_EQ(target, (Cell{3, 4}));
  EXPECT_FALSE(GridMoveTarget(GridKey::Delete, false, {1, 3}, 4, 5, target));
}

TEST_F(GridKeys, HexDigitsOverwriteAByteAndMoveOn) {
  Load(test::Ramp(10));
  Doc().TextMode = false;
  Overwrite(true);
  At(5);
  Type("4");
  EXPECT_EQ(GetByte(5), 4);
  EXPECT_EQ(grids.HexCellText(4, 0), "4");
  EXPECT_FALSE(Doc().Modified);
  Type("1");
  EXPECT_EQ(GetByte(5), 0x41);
  EXPECT_EQ(CursorAddress(), 6);
  EXPECT_TRUE(Doc().Modified);
  EXPECT_EQ(Doc().DocSize, 10);
}

TEST_F(GridKeys, OverwritingTheLastByteKeepsTheCursorThere) {
  Load(test::Ramp(10));
  Doc().TextMode = false;
  Overwrite(true);
  At(10);
  Type("a");
  Type("b");
  EXPECT_EQ(GetByte(10), 0xAB);
  EXPECT_EQ(CursorAddress(), 10);
  EXPECT_EQ(Doc().DocSize, 10);
  Type("C");
  Type("d");
  EXPECT_EQ(GetByte(10), 0xCD);
  EXPECT_EQ(Doc().DocSize, 10);
}

TEST_F(GridKeys, InsertingATypedCharacter) {
  Load("0123456789");
  Doc().TextMode = true;
  Overwrite(false);
  At(5);
  Type("A");
  EXPECT_EQ(test::DocumentBytes(), "0123A456789");
  EXPECT_EQ(CursorAddress(), 6);
  EXPECT_TRUE(Doc().Modified);
}

TEST_F(GridKeys, TextIsTypedInTheProgramsCodePage) {
  Load("........");
  Doc().TextMode = true;
  Overwrite(true);
  Type("\xE2\x82\xAC");  // euro sign
  Type("\xC3\xA9");      // e acute
  Type("\xC5\x82");      // l with stroke: not in the code page
  Type("\x01\x1B\x7F");  // control characters are not typed (X11's Delete carries 7F)
  EXPECT_EQ(test::DocumentBytes(), "\x80\xE9?.....");
  EXPECT_EQ(CursorAddress(), 4);
}

TEST_F(GridKeys, OnlyHexDigitsCountInTheHexGrid) {
  Load("........");
  Doc().TextMode = false;
  Overwrite(true);
  Type("g");
  Type(" ");
  EXPECT_EQ(grids.HexCellText(0, 0), "2E");
  Type("f");
  EXPECT_EQ(grids.HexCellText(0, 0), "F");
  Type("x");
  Type("0");
  EXPECT_EQ(GetByte(1), 0xF0);
}

TEST_F(GridKeys, ASingleDigitThenAnArrowLeavesTheByte) {
  Load(test::Ramp(10));
  Doc().TextMode = false;
  Overwrite(true);
  At(5);
  Type("7");
  Press(GridKey::Right);
  EXPECT_EQ(GetByte(5), 4);
  EXPECT_EQ(grids.HexCellText(4, 0), "04");
  EXPECT_EQ(CursorAddress(), 6);
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(GridKeys, EscapeDropsTheUnfinishedByte) {
  Load(test::Ramp(10));
  Doc().TextMode = false;
  At(3);
  Type("9");
  Press(GridKey::Escape);
  EXPECT_EQ(grids.HexCellText(2, 0), "02");
  EXPECT_EQ(CursorAddress(), 3);
  Type("1");
  EXPECT_EQ(grids.HexCellText(2, 0), "1");
}

TEST_F(GridKeys, TypingIntoAnEmptyDocumentCreatesOneByte) {
  Load("");
  Doc().TextMode = false;
  Overwrite(true);
  Type("3");
  EXPECT_EQ(Doc().DocSize, 0);
  Press(GridKey::Escape);
  EXPECT_EQ(grids.HexCellText(0, 0), "");
  Type("3");
  Type("C");
  EXPECT_EQ(test::DocumentBytes(), "<");
  EXPECT_EQ(CursorAddress(), 1);
  EXPECT_TRUE(Doc().Modified);
  EXPECT_EQ(Doc().LastShownAddress, 1);
}

TEST_F(GridKeys, AnEmptyDocumentOnlyKnowsTabAndIns) {
  Load("");
  Doc().TextMode = true;
  Overwrite(true);
  Press(GridKey::Right);
  Press(GridKey::Down);
  Press(GridKey::Delete);
  Press(GridKey::Backspace);
  EXPECT_EQ(Doc().CursorCol, 0);
  EXPECT_EQ(Doc().CursorRow, 0);
  Press(GridKey::Tab);
  Press(GridKey::Insert);
  EXPECT_FALSE(Doc().TextMode);
  EXPECT_FALSE(Doc().OverwriteMode);
  Doc().ViewReady = false;
  Press(GridKey::Tab);
  Press(GridKey::Insert);
  Type("A");
  EXPECT_TRUE(Doc().TextMode);
  EXPECT_TRUE(Doc().OverwriteMode);
  EXPECT_EQ(Doc().DocSize, 0);
}

TEST_F(GridKeys, BackspaceRemovesTheByteBeforeTheCursor) {
  Load("abcdef");
  At(1);
  Press(GridKey::Backspace);
  EXPECT_EQ(test::DocumentBytes(), "abcdef");
  At(2);
  Press(GridKey::Backspace);
  EXPECT_EQ(test::DocumentBytes(), "bcdef");
  EXPECT_EQ(CursorAddress(), 1);
  Overwrite(false);
  At(4);
  Press(GridKey::Backspace);
  EXPECT_EQ(test::DocumentBytes(), "bcef");
  EXPECT_EQ(CursorAddress(), 3);
}

TEST_F(GridKeys, BackspaceAtTheTopLeftScrollsBackFirst) {
  Load(test::Ramp(200));
  GotoAddress(33, false, false);
  ASSERT_EQ(Doc().TopAddress, 33);
  SetCursorCell(0, 0);
  Press(GridKey::Backspace);
  EXPECT_EQ(Doc().DocSize, 199);
  EXPECT_EQ(GetByte(32), 32);
  EXPECT_EQ(Doc().TopAddress, 17);
  EXPECT_EQ(CursorAddress(), 32);
}

TEST_F(GridKeys, DeleteRemovesTheCursorByteInBothModes) {
  Load("abcdef");
  Overwrite(true);
  At(2);
  Press(GridKey::Delete);
  Overwrite(false);
  Press(GridKey::Delete);
  EXPECT_EQ(test::DocumentBytes(), "adef");
  EXPECT_EQ(CursorAddress(), 2);
  At(4);
  Press(GridKey::Delete);
  EXPECT_EQ(test::DocumentBytes(), "ade");
  EXPECT_EQ(CursorAddress(), 3);
}

// Moving keys from a start, 16 columns by 10 rows: where the cursor and the top row end up after
// each step (the cursor's cell follows from the two).
TEST_F(GridKeys, MovingKeysStayOnTheDocumentAndScrollAtThePagesEdges) {
  struct Step {
    GridKey key;
    bool ctrl;
    int times;
    int64_t cursor;  // -1: not checked
    int64_t top;     // 0: not checked
  };
  const struct {
    const char* what;
    int size;
    int64_t start;
    bool scrolled;  // the start's row shown on top rather than the first page
    std::vector<Step> steps;
  } cases[] = {
      {"Right on the last cell of the page scrolls one row", 1000, 160, false,
       {{GridKey::Right, false, 1, 161, 17}}},
      {"Right on the last byte does nothing", 20, 20, false, {{GridKey::Right, false, 1, 20, 0}}},
      {"Left on the first cell scrolls back to the row's last column", 1000, 161, true,
       {{GridKey::Left, false, 1, 160, 145}}},
      {"Left on the first byte does nothing", 1000, 1, false, {{GridKey::Left, false, 1, 1, 1}}},
      {"Left and Right wrap between rows", 100, 16, false,
       {{GridKey::Right, false, 1, 17, 0}, {GridKey::Left, false, 2, 15, 0}}},
      {"Down and Up scroll at the edges of the page", 1000, 150, false,
       {{GridKey::Down, false, 1, 166, 17},
        {GridKey::Up, false, 9, 22, 17},
        {GridKey::Up, false, 1, 6, 1},
        {GridKey::Up, false, 1, 6, 1}}},
      {"scrolling down onto a short last row keeps the cursor on a byte", 165, 160, false,
       {{GridKey::Down, false, 1, 165, 17}}},
      {"Down onto the last row stops on the last byte", 20, 10, false,
       {{GridKey::Down, false, 1, 20, 0}}},
      {"Down onto the last row keeps the column", 20, 3, false, {{GridKey::Down, false, 1, 19, 0}}},
      {"PageUp stops at the first position", 1000, 1000, true,
       {{GridKey::PageUp, false, 1, -1, 689},
        {GridKey::PageUp, false, 5, -1, 1},
        {GridKey::PageUp, false, 1, -1, 1}}},
      {"Ctrl+PageDown and Ctrl+PageUp go to the ends", 1000, 50, false,
       {{GridKey::PageDown, true, 1, 1000, 0}, {GridKey::PageUp, true, 1, 1, 1}}},
      {"End and Home on the last row stay on the document", 20, 17, false,
       {{GridKey::End, false, 1, 20, 0}, {GridKey::Home, false, 1, 17, 0}}},
      {"End, Ctrl+End and Ctrl+Home", 20, 3, false,
       {{GridKey::End, false, 1, 16, 0},
        {GridKey::End, true, 1, 20, 0},
        {GridKey::Home, true, 1, 1, 0}}},
  };
  for (const auto& c : cases) {
    Load(test::Ramp(c.size));
    GotoAddress(c.start, true, !c.scrolled);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      SCOPED_TRACE(std::string(c.what) + ", step " + std::to_string(i + 1));
      const Step& step = c.steps[i];
      for (int n = 0; n < step.times; ++n) Press(step.key, false, step.ctrl);
      if (step.cursor >= 0) {
        EXPECT_EQ(CursorAddress(), step.cursor);
      }
      if (step.top > 0) {
        EXPECT_EQ(Doc().TopAddress, step.top);
      }
    }
  }
}

TEST_F(GridKeys, PageDownKeepsTheCursorCellOnTheNextPage) {
  Load(test::Ramp(1000));
  At(20);
  Press(GridKey::PageDown);
  EXPECT_EQ(Doc().TopAddress, 161);
  EXPECT_EQ(CursorAddress(), 180);
  Press(GridKey::PageUp);
  EXPECT_EQ(Doc().TopAddress, 1);
  EXPECT_EQ(CursorAddress(), 20);
  // Onto the last page: a cell behind the last byte sends the cursor to it.
  GotoAddress(801, false, false);
  SetCursorCell(15, 9);
  Press(GridKey::PageDown);
  EXPECT_EQ(Doc().TopAddress, 849);
  EXPECT_EQ(CursorAddress(), 1000);
  Press(GridKey::PageDown);
  EXPECT_EQ(CursorAddress(), 1000);
}

TEST_F(GridKeys, TabSwitchesGridsAndInsSwitchesModes) {
  Load("abc");
  Doc().TextMode = true;
  Overwrite(true);
  At(2);
  Press(GridKey::Tab);
  EXPECT_FALSE(Doc().TextMode);
  EXPECT_EQ(CursorAddress(), 2);
  Press(GridKey::Insert);
  EXPECT_FALSE(Doc().OverwriteMode);
  EXPECT_EQ(grids.textToggles, 1);
  EXPECT_EQ(grids.overwriteToggles, 1);
}

TEST_F(GridKeys, ShiftWithArrowsMarksABlock) {
  Load(test::Ramp(100));
  At(10);
  keys.KeyDown(GridKey::Shift, true, false);
  for (int i = 0; i < 3; ++i) Press(GridKey::Right, true);
  EXPECT_EQ(Doc().BlockBegin, 10);
  EXPECT_EQ(Doc().BlockEnd, 13);
  for (int i = 0; i < 3; ++i) Press(GridKey::Left, true);
  EXPECT_EQ(Doc().BlockBegin, 10);
  EXPECT_EQ(Doc().BlockEnd, 10);
  Press(GridKey::Left, true);
  EXPECT_EQ(Doc().BlockBegin, 9);
  EXPECT_EQ(Doc().BlockEnd, 10);
  // Shift pressed with Ctrl held is part of a shortcut; pressed alone it unmarks the block.
  keys.KeyDown(GridKey::Shift, true, true);
  EXPECT_TRUE(BlockMarked());
  keys.KeyDown(GridKey::Shift, true, false);
  EXPECT_FALSE(BlockMarked());
  Press(GridKey::Down, true);
  EXPECT_EQ(Doc().BlockBegin, 9);
  EXPECT_EQ(Doc().BlockEnd, 25);
}

TEST_F(GridKeys, KeysTheProgramSendsItselfNeverMark) {
  Load(test::Ramp(100));
  Doc().TextMode = true;
  Overwrite(true);
  At(10);
  // Shift held for a capital letter: the cursor moves on, nothing is marked.
  keys.KeyDown(GridKey::Shift, true, false);
  keys.KeyDown(GridKey::Other, true, false);
  Type("Q");
  keys.KeyUp(GridKey::Other, true);
  EXPECT_EQ(GetByte(10), 'Q');
  EXPECT_EQ(CursorAddress(), 11);
  EXPECT_FALSE(BlockMarked());
  EXPECT_FALSE(keys.Synthetic());
}

TEST_F(GridKeys, InsertingInFrontOfTheBlockEndUnmarksIt) {
  Load(test::Ramp(40));
  Doc().TextMode = true;
  Overwrite(false);
  Doc().BlockBegin = 10;
  Doc().BlockEnd = 20;
  At(25);
  Type("x");
  EXPECT_EQ(Doc().DocSize, 41);
  EXPECT_TRUE(BlockMarked());
  At(20);
  Type("x");
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
  EXPECT_FALSE(BlockMarked());
}

TEST_F(GridKeys, PostedKeysComeBeforeTheNextKey) {
  Load("..........");
  Doc().TextMode = true;
  Overwrite(true);
  // Keys faster than the event loop: each posted move is delivered first.
  keys.KeyPress("a");
  keys.KeyPress("b");
  keys.KeyDown(GridKey::Other, false, false);
  keys.KeyPress("c");
  keys.KeyPress("de");
  keys.RunPostedKeys();
  EXPECT_EQ(test::DocumentBytes(), "abcde.....");
  EXPECT_EQ(CursorAddress(), 6);
  EXPECT_GT(grids.scheduled, 0);
}

TEST_F(GridKeys, ClickOnTheOtherGridSwitchesAndMovesTheCursor) {
  Load(test::Ramp(20));
  Doc().TextMode = true;
  keys.ClickInactiveGrid(true, 3, 1);
  EXPECT_FALSE(Doc().TextMode);
  EXPECT_EQ(CursorAddress(), 20);
  keys.ClickInactiveGrid(true, 9, 1);
  EXPECT_TRUE(Doc().TextMode);
  EXPECT_EQ(CursorAddress(), 20);
  keys.ClickInactiveGrid(false, 0, 0);
  EXPECT_FALSE(Doc().TextMode);
  EXPECT_EQ(CursorAddress(), 20);
}

TEST_F(GridKeys, MovingAwayRestoresAnUnfinishedByte) {
  Load(test::Ramp(20));
  Doc().TextMode = false;
  At(2);
  Type("5");
  EXPECT_TRUE(keys.SelectCell(6, 0));
  EXPECT_EQ(grids.HexCellText(1, 0), "01");
  EXPECT_EQ(CursorAddress(), 7);
  EXPECT_FALSE(keys.SelectCell(5, 1));
  EXPECT_FALSE(keys.SelectCell(-1, 0));
  EXPECT_EQ(CursorAddress(), 7);
}

TEST_F(GridKeys, TheWheelScrollsRowsWhilePossible) {
  Load(test::Ramp(1000));
  keys.Wheel(3);
  EXPECT_EQ(Doc().TopAddress, 49);
  keys.Wheel(-5);
  EXPECT_EQ(Doc().TopAddress, 1);
  keys.Wheel(100);
  EXPECT_EQ(Doc().TopAddress, 849);
}

TEST_F(GridKeys, AKeyArrivingWhileAnotherIsHandledIsDropped) {
  Load("..........");
  Doc().TextMode = true;
  Overwrite(false);
  Doc().BlockBegin = 3;
  Doc().BlockEnd = 4;
  // The block message is shown while the first character is handled; a key
  // delivered meanwhile must not start a second one.
  class ReenteringMessages final : public IMessages {
   public:
    explicit ReenteringMessages(TGridKeys& keys) : keys_(keys) {}
    int Message(const MessageRequest&) override {
      handling = keys_.Handling();
      keys_.KeyPress("Z");
      keys_.KeyDown(GridKey::Delete, false, false);
      return mrOK;
    }
    bool Input(const InputRequest&, std::string&) override { return false; }
    bool List(ListRequest&, int&) override { return false; }
    bool handling = false;

   private:
    TGridKeys& keys_;
  } reentering(keys);
  InstallMessages(&reentering);
  Type("A");
  EXPECT_TRUE(reentering.handling);
  EXPECT_EQ(test::DocumentBytes(), "A..........");
  EXPECT_EQ(CursorAddress(), 2);
}

}  // namespace
}  // namespace quoxa
