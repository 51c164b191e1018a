#include "core/Navigation.h"

#include "core/DocState.h"
#include "core/View.h"

namespace quoxa {

int32_t RowStart(int32_t pos) { return ((pos - 1) / BytesPerRow) * BytesPerRow + 1; }

namespace {

// Top of the last page: the last byte in the bottom row, the top row on a row boundary.
int32_t LastPageTop() {
  if (DocSize <= PageSize) return 1;
  int32_t top = DocSize - PageSize + 1;
  const int32_t r = DocSize % BytesPerRow;
  if (r != 0) top += BytesPerRow - r;
  return top;
}

}  // namespace

void ScrollToEnd() {
  LastShownAddress = DocSize;
  TopAddress = LastPageTop();
}

Cell AddressToCell(int32_t pos) {
  if (pos <= TopAddress || pos > LastShownAddress) return {};
  const int32_t row = (pos - TopAddress) / BytesPerRow;
  return {pos - TopAddress - row * BytesPerRow, row};
}

void GotoAddress(int32_t pos, bool placeCursor, bool keepView) {
  if (!ViewReady || DocBuffer == nullptr) return;
  if (pos < 1) pos = 1;
  if (pos > DocSize) pos = DocSize;
  if (LastShownAddress > DocSize) LastShownAddress = DocSize;
  const bool onScreen = TopAddress <= pos && pos <= LastShownAddress;
  if (!(keepView && onScreen)) {
    // Only positions on the last page as it is shown: its row alignment can leave the first
    // rows of the last PageSize bytes above it.
    if (pos >= LastPageTop()) {
      ScrollToEnd();
    } else {
      TopAddress = RowStart(pos);
      RecomputeLastShown();
    }
  }
  if (placeCursor) {
    const Cell cell = AddressToCell(pos);
    SetCursorCell(cell.col, cell.row);
  }
  RepaintFrom(0, 0);
  RefreshView();
  UpdateStatus();
}

void GotoTop() {
  RecomputeLastShown();
  GotoAddress(1, true, false);
  SetCursorCell(0, 0);
}

void GotoEnd() {
  ScrollToEnd();
  GotoAddress(DocSize, true, false);
  SetCursorCell(CursorCol, CursorRow);
}

}  // namespace quoxa
