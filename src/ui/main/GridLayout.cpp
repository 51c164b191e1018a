#include "ui/main/GridLayout.h"

#include <algorithm>

namespace quoxa {

TCellSizes CellSizesFor(int widestCharWidth, int tallestCharHeight, int gridLine, int addressDigits) {
  TCellSizes cells;
  cells.textColWidth = widestCharWidth + 4;
  cells.hexColWidth = 2 * widestCharWidth + 4;
  cells.addrColWidth = addressDigits * widestCharWidth + 4;
  cells.rowHeight = tallestCharHeight + 4;
  cells.gridLine = gridLine;
  return cells;
}

int WidthForCols(int n, int colWidth, int gridLine) { return n * colWidth + (n + 4) * gridLine; }

int HeightForRows(int n, int rowHeight, int gridLine) { return n * rowHeight + (n + 4) * gridLine; }

TGridGeometry LayoutGrids(int32_t cols, int32_t rows, const TCellSizes& cells, const TWindowChrome& chrome,
                          bool addressShown, bool textGridLeft) {
  TGridGeometry g;
  g.hexWidth = WidthForCols(cols, cells.hexColWidth, cells.gridLine);
  g.textWidth = WidthForCols(cols, cells.textColWidth, cells.gridLine);
  g.gridHeight = HeightForRows(rows, cells.rowHeight, cells.gridLine);
  g.addrWidth = addressShown ? WidthForCols(1, cells.addrColWidth, cells.gridLine) : 0;

  const int leftX = addressShown ? g.addrX + g.addrWidth + chrome.borderWidth : 0;
  const int leftWidth = textGridLeft ? g.textWidth : g.hexWidth;
  const int rightX = leftX + leftWidth + chrome.borderWidth;
  const int rightWidth = textGridLeft ? g.hexWidth : g.textWidth;
  g.hexX = textGridLeft ? rightX : leftX;
  g.textX = textGridLeft ? leftX : rightX;
  g.scrollX = rightX + rightWidth + chrome.borderWidth;
  g.scrollHeight = g.gridHeight - 1;

  g.windowWidth = 2 * chrome.frameWidth + 4 * chrome.borderWidth + g.textWidth + g.hexWidth + chrome.scrollBarWidth +
                  chrome.sideDocks;
  if (addressShown) g.windowWidth += g.addrWidth + 2 * chrome.borderWidth;
  g.windowHeight = 2 * chrome.frameHeight + chrome.caption + chrome.menu + 2 * chrome.borderHeight +
                   chrome.toolBar + chrome.statusBar + chrome.stackedDocks + g.gridHeight;
  return g;
}

int32_t ColsThatFit(int windowWidth, const TCellSizes& cells, const TWindowChrome& chrome, bool addressShown) {
  int room = windowWidth - 2 * chrome.frameWidth - 4 * chrome.borderWidth - chrome.scrollBarWidth - chrome.sideDocks;
  if (addressShown) {
    room -= 2 * chrome.borderWidth + 6 * cells.gridLine + cells.addrColWidth;
  } else {
    room -= 4 * cells.gridLine;
  }
  const int perCol = cells.hexColWidth + cells.textColWidth + 2 * cells.gridLine;
  if (perCol <= 0 || room <= 0) return kMinGridCols;
  return std::max(kMinGridCols, room / perCol);
}

int32_t RowsThatFit(int windowHeight, const TCellSizes& cells, const TWindowChrome& chrome) {
  const int room = windowHeight - 2 * chrome.frameHeight - chrome.caption - chrome.menu -
                   2 * chrome.borderHeight - chrome.toolBar - chrome.statusBar -
                   chrome.stackedDocks - 4 * cells.gridLine;
  const int perRow = cells.rowHeight + cells.gridLine;
  if (perRow <= 0 || room <= 0) return kMinGridRows;
  return std::max(kMinGridRows, room / perRow);
}

}  // namespace quoxa
