#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Navigation.h"

namespace quoxa {
namespace {

class Navigation : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(Navigation, AShortDocumentStaysOnTheFirstPage) {
  test::LoadDocument(test::Ramp(20), 16, 10);
  GotoAddress(20, true, false);
  EXPECT_EQ(Doc().TopAddress, 1);
  EXPECT_EQ(Doc().LastShownAddress, 20);
  EXPECT_EQ(Doc().CursorCol, 3);
  EXPECT_EQ(Doc().CursorRow, 1);
}

TEST_F(Navigation, GotoInTheMiddleShowsThePositionsRowOnTop) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  GotoAddress(500, true, false);
  EXPECT_EQ(Doc().TopAddress, 497);
  EXPECT_EQ(Doc().LastShownAddress, 656);
  EXPECT_EQ(Doc().CursorCol, 3);
  EXPECT_EQ(Doc().CursorRow, 0);
  EXPECT_EQ(CursorAddress(), 500);
  EXPECT_EQ(rec.view.gridCol, 3);
  EXPECT_EQ(rec.view.gridRow, 0);
}

TEST_F(Navigation, GotoOnTheLastPageScrollsToTheEnd) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  GotoAddress(900, true, false);
  EXPECT_EQ(Doc().TopAddress, 849);
  EXPECT_EQ(Doc().LastShownAddress, 1000);
  EXPECT_EQ(CursorAddress(), 900);
}

TEST_F(Navigation, GotoAboveTheTopRowOfTheLastPageShowsThePositionsRow) {
  // 841..848 are within the last 160 bytes, but the aligned last page starts at 849.
  test::LoadDocument(test::Ramp(1000), 16, 10);
  GotoAddress(845, true, false);
  EXPECT_EQ(Doc().TopAddress, 833);
  EXPECT_EQ(CursorAddress(), 845);
  GotoAddress(849, true, false);
  EXPECT_EQ(Doc().TopAddress, 849);
  EXPECT_EQ(CursorAddress(), 849);
}

TEST_F(Navigation, ScrollToTheEndPutsTheLastByteInTheBottomRow) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  GotoEnd();
  EXPECT_EQ(Doc().TopAddress, 849);
  EXPECT_EQ(CursorAddress(), 1000);
  EXPECT_EQ(Doc().CursorRow, 9);
  EXPECT_EQ(Doc().CursorCol, 7);
}

TEST_F(Navigation, ScrollToTheEndOfAnExactMultiple) {
  test::LoadDocument(test::Ramp(320), 16, 10);
  GotoEnd();
  EXPECT_EQ(Doc().TopAddress, 161);
  EXPECT_EQ(Doc().CursorRow, 9);
  EXPECT_EQ(Doc().CursorCol, 15);
}

TEST_F(Navigation, PositionsAreClampedToTheDocument) {
  test::LoadDocument(test::Ramp(100), 16, 10);
  GotoAddress(-5, true, false);
  EXPECT_EQ(CursorAddress(), 1);
  GotoAddress(5000, true, false);
  EXPECT_EQ(CursorAddress(), 100);
}

TEST_F(Navigation, KeepViewLeavesAVisiblePositionsPageAlone) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  GotoAddress(500, true, false);
  GotoAddress(600, true, true);
  EXPECT_EQ(Doc().TopAddress, 497);
  EXPECT_EQ(CursorAddress(), 600);
  GotoAddress(700, true, true);
  EXPECT_EQ(Doc().TopAddress, 689);
}

TEST_F(Navigation, WithoutPlaceCursorOnlyThePageMoves) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  GotoAddress(500, false, false);
  EXPECT_EQ(Doc().TopAddress, 497);
  EXPECT_EQ(Doc().CursorCol, 0);
  EXPECT_EQ(Doc().CursorRow, 0);
}

TEST_F(Navigation, NothingMovesWhileNoDocumentIsShown) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  Doc().ViewReady = false;
  GotoAddress(500, true, false);
  EXPECT_EQ(Doc().TopAddress, 1);
  EXPECT_EQ(CursorAddress(), 1);
}

TEST_F(Navigation, AnEmptyDocumentShowsAnEmptyFirstPage) {
  test::LoadDocument("", 16, 10);
  GotoAddress(10, true, false);
  EXPECT_EQ(Doc().TopAddress, 1);
  EXPECT_EQ(Doc().LastShownAddress, 0);
  EXPECT_EQ(Doc().CursorCol, 0);
  EXPECT_EQ(Doc().CursorRow, 0);
}

TEST_F(Navigation, GotoRepaintsFromTheTopAndUpdatesStatus) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  rec.view.statusUpdates = 0;
  GotoAddress(500, true, false);
  EXPECT_GE(rec.view.statusUpdates, 1);
  EXPECT_GE(rec.view.repaints, 1);
}

TEST_F(Navigation, AddressToCellOffThePageIsTheFirstCell) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  GotoAddress(500, true, false);
  EXPECT_EQ(AddressToCell(100), Cell{});
  EXPECT_EQ(AddressToCell(497), Cell{});
  EXPECT_EQ(AddressToCell(656), (Cell{15, 9}));
  EXPECT_EQ(AddressToCell(657), Cell{});
  EXPECT_EQ(AddressToCell(514), (Cell{1, 1}));
}

TEST_F(Navigation, GotoTopPutsTheCursorOnTheFirstCell) {
  test::LoadDocument(test::Ramp(1000), 16, 10);
  GotoAddress(700, true, false);
  GotoTop();
  EXPECT_EQ(Doc().TopAddress, 1);
  EXPECT_EQ(CursorAddress(), 1);
}

TEST_F(Navigation, RowStartIsARowBoundary) {
  SetPageGeometry(17, 19);
  EXPECT_EQ(RowStart(1), 1);
  EXPECT_EQ(RowStart(17), 1);
  EXPECT_EQ(RowStart(18), 18);
  EXPECT_EQ(RowStart(35), 35);
}

}  // namespace
}  // namespace quoxa
