#pragma once
// Layout arithmetic of the grid area: cell sizes from the font, grid and window
// sizes for a number of columns and rows, and how many fit into a window.

#include <cstdint>

namespace quoxa {

// Smallest number of byte columns and rows the window is resized to.
constexpr int32_t kMinGridCols = 10;
constexpr int32_t kMinGridRows = 10;

struct TCellSizes {
  int textColWidth = 12;
  int hexColWidth = 12;
  int addrColWidth = 12;
  int rowHeight = 12;
  int gridLine = 1;
};

// Cell sizes for the widest and tallest of the characters "0".."F", with an address column of
// addressDigits characters.
TCellSizes CellSizesFor(int widestCharWidth, int tallestCharHeight, int gridLine = 1, int addressDigits = 8);

// n x colWidth + (n + 4) x grid line width.
int WidthForCols(int n, int colWidth, int gridLine);
// n x rowHeight + (n + 4) x grid line width.
int HeightForRows(int n, int rowHeight, int gridLine);

// Everything around the grids that takes room in the window.
struct TWindowChrome {
  int frameWidth = 0;
  int frameHeight = 0;
  int caption = 0;
  int menu = 0;
  int borderWidth = 1;
  int borderHeight = 1;
  int toolBar = 0;
  int statusBar = 0;
  int scrollBarWidth = 16;
  int sideDocks = 0;     // width the docks beside the grids take
  int stackedDocks = 0;  // height the docks above and below the grids take
};

struct TGridGeometry {
  int addrX = 0;
  int addrWidth = 0;  // 0 when the address column is hidden
  int hexX = 0;
  int textX = 0;
  int hexWidth = 0;
  int textWidth = 0;
  int gridHeight = 0;
  int scrollX = 0;
  int scrollHeight = 0;
  int windowWidth = 0;
  int windowHeight = 0;
};

// Places the grids and the scroll bar for cols x rows and computes the window size.
TGridGeometry LayoutGrids(int32_t cols, int32_t rows, const TCellSizes& cells, const TWindowChrome& chrome,
                          bool addressShown, bool textGridLeft);

// Byte columns that fit a window width (at least kMinGridCols).
int32_t ColsThatFit(int windowWidth, const TCellSizes& cells, const TWindowChrome& chrome, bool addressShown);
// Rows that fit a window height (at least kMinGridRows).
int32_t RowsThatFit(int windowHeight, const TCellSizes& cells, const TWindowChrome& chrome);

}  // namespace quoxa
