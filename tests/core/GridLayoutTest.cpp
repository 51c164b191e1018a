#include <gtest/gtest.h>

#include "ui/main/GridLayout.h"
#include "ui/main/SizeRequests.h"

namespace quoxa {
namespace {

TWindowChrome SomeChrome() {
  TWindowChrome chrome;
  chrome.frameWidth = 4;
  chrome.frameHeight = 4;
  chrome.caption = 22;
  chrome.menu = 20;
  chrome.borderWidth = 1;
  chrome.borderHeight = 1;
  chrome.toolBar = 27;
  chrome.statusBar = 19;
  chrome.scrollBarWidth = 16;
  return chrome;
}

TEST(GridLayout, CellSizesFollowTheWidestAndTallestCharacter) {
  const TCellSizes cells = CellSizesFor(7, 13);
  EXPECT_EQ(cells.textColWidth, 11);
  EXPECT_EQ(cells.hexColWidth, 18);
  EXPECT_EQ(cells.addrColWidth, 60);
  EXPECT_EQ(cells.rowHeight, 17);
}

TEST(GridLayout, GridSizesCountLinesAndBorders) {
  EXPECT_EQ(WidthForCols(17, 18, 1), 17 * 18 + 21);
  EXPECT_EQ(HeightForRows(19, 17, 1), 19 * 17 + 23);
  EXPECT_EQ(WidthForCols(1, 60, 2), 60 + 10);
  EXPECT_EQ(WidthForCols(0, 18, 1), 4);
}

TEST(GridLayout, HexGridLeftOfTextGridAfterTheAddressColumn) {
  const TCellSizes cells = CellSizesFor(7, 13);
  const TGridGeometry g = LayoutGrids(16, 10, cells, SomeChrome(), true, false);
  EXPECT_EQ(g.addrX, 0);
  EXPECT_EQ(g.addrWidth, WidthForCols(1, 60, 1));
  EXPECT_EQ(g.hexX, g.addrWidth + 1);
  EXPECT_EQ(g.hexWidth, WidthForCols(16, 18, 1));
  EXPECT_EQ(g.textX, g.hexX + g.hexWidth + 1);
  EXPECT_EQ(g.textWidth, WidthForCols(16, 11, 1));
  EXPECT_EQ(g.scrollX, g.textX + g.textWidth + 1);
  EXPECT_EQ(g.gridHeight, HeightForRows(10, 17, 1));
  EXPECT_EQ(g.scrollHeight, g.gridHeight - 1);
}

TEST(GridLayout, TextGridLeftSwapsTheDataGrids) {
  const TCellSizes cells = CellSizesFor(7, 13);
  const TGridGeometry g = LayoutGrids(16, 10, cells, SomeChrome(), true, true);
  EXPECT_EQ(g.textX, g.addrWidth + 1);
  EXPECT_EQ(g.hexX, g.textX + g.textWidth + 1);
  EXPECT_EQ(g.scrollX, g.hexX + g.hexWidth + 1);
}

TEST(GridLayout, WithoutTheAddressColumnTheLeftGridStartsAtTheEdge) {
  const TCellSizes cells = CellSizesFor(7, 13);
  const TGridGeometry hexLeft = LayoutGrids(16, 10, cells, SomeChrome(), false, false);
  EXPECT_EQ(hexLeft.addrWidth, 0);
  EXPECT_EQ(hexLeft.hexX, 0);
  const TGridGeometry textLeft = LayoutGrids(16, 10, cells, SomeChrome(), false, true);
  EXPECT_EQ(textLeft.textX, 0);
}

TEST(GridLayout, WindowSizeAddsEverythingAroundTheGrids) {
  const TCellSizes cells = CellSizesFor(7, 13);
  const TWindowChrome chrome = SomeChrome();
  const TGridGeometry shown = LayoutGrids(16, 10, cells, chrome, true, false);
  EXPECT_EQ(shown.windowWidth, 8 + 4 + shown.textWidth + shown.hexWidth + 16 + shown.addrWidth + 2);
  EXPECT_EQ(shown.windowHeight, 8 + 22 + 20 + 2 + 27 + 19 + shown.gridHeight);
  const TGridGeometry hidden = LayoutGrids(16, 10, cells, chrome, false, false);
  EXPECT_EQ(hidden.windowWidth, 8 + 4 + hidden.textWidth + hidden.hexWidth + 16);
  TWindowChrome noToolBar = chrome;
  noToolBar.toolBar = 0;
  EXPECT_EQ(LayoutGrids(16, 10, cells, noToolBar, true, false).windowHeight, shown.windowHeight - 27);
}

// The window size of n columns and rows must give back n: resizing snaps to whole cells.
TEST(GridLayout, ColumnsAndRowsThatFitTheLaidOutWindow) {
  // Also with a dock beside the grids and one below them.
  TWindowChrome docked = SomeChrome();
  docked.sideDocks = 251;
  docked.stackedDocks = 183;
  for (const TWindowChrome& chrome : {SomeChrome(), docked}) {
    for (int width : {5, 7, 9}) {
      const TCellSizes cells = CellSizesFor(width, 2 * width);
      for (bool address : {true, false}) {
        for (int n = kMinGridCols; n <= 64; ++n) {
          const TGridGeometry g = LayoutGrids(n, n, cells, chrome, address, false);
          EXPECT_EQ(ColsThatFit(g.windowWidth, cells, chrome, address), n)
              << "width " << width << " cols " << n;
          EXPECT_EQ(RowsThatFit(g.windowHeight, cells, chrome), n)
              << "width " << width << " rows " << n;
          // Short of the next column's pitch or one pixel short of the next row still gives n.
          const TGridGeometry next = LayoutGrids(n + 1, n + 1, cells, chrome, address, false);
          const int pitch = cells.hexColWidth + cells.textColWidth + 2 * cells.gridLine;
          EXPECT_EQ(ColsThatFit(next.windowWidth - pitch, cells, chrome, address), n);
          EXPECT_EQ(ColsThatFit(g.windowWidth + pitch - 8 * cells.gridLine, cells, chrome, address),
                    n);
          EXPECT_EQ(RowsThatFit(next.windowHeight - 1, cells, chrome), n);
        }
      }
    }
  }
}

TEST(GridLayout, ANarrowOrLowWindowKeepsTenColumnsAndRows) {
  const TCellSizes cells = CellSizesFor(7, 13);
  const TWindowChrome chrome = SomeChrome();
  const TGridGeometry eight = LayoutGrids(8, 8, cells, chrome, true, false);
  EXPECT_EQ(ColsThatFit(eight.windowWidth, cells, chrome, true), kMinGridCols);
  EXPECT_EQ(RowsThatFit(eight.windowHeight, cells, chrome), kMinGridRows);
  EXPECT_EQ(ColsThatFit(0, cells, chrome, true), kMinGridCols);
  EXPECT_EQ(RowsThatFit(-50, cells, chrome), kMinGridRows);
}

// The window manager answers the default size, the font's and the stored layout's late:
// each answer settles its request and those before; only another size is the user's.
TEST(SizeRequests, LateAnswersAreNotTheUsersResizes) {
  TSizeRequests requests;
  EXPECT_FALSE(requests.Answers(620, 420));
  requests.Requested(620, 420);
  requests.Requested(553, 420);
  requests.Requested(522, 258);
  EXPECT_TRUE(requests.Answers(553, 420));  // the first answer went missing
  EXPECT_TRUE(requests.Pending());
  EXPECT_TRUE(requests.Answers(522, 258));
  EXPECT_FALSE(requests.Pending());
  EXPECT_FALSE(requests.Answers(553, 420));  // settled already: now the user's
  requests.Requested(700, 300);
  EXPECT_FALSE(requests.Answers(710, 300));
  EXPECT_FALSE(requests.Pending());
  for (int i = 0; i < 40; ++i) requests.Requested(i, i);
  EXPECT_FALSE(requests.Answers(0, 0));  // only the latest requests are remembered
  // A size asked twice in a row is one request: its one answer settles it.
  requests.Requested(862, 401);
  requests.Requested(862, 401);
  EXPECT_TRUE(requests.Answers(862, 401));
  EXPECT_FALSE(requests.Pending());
}

}  // namespace
}  // namespace quoxa
