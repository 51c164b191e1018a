#include "core/Navigation.h"

#include "core/DocState.h"
#include "core/View.h"

namespace quoxa {

int32_t RowStart(int32_t pos) { return ((pos - 1) / BytesPerRow) * BytesPerRow + 1; }

void ScrollToEnd() {
  LastShownAddress = DocSize;
  if (DocSize > PageSize) {
    TopAddress = DocSize - PageSize + 1;
    const int32_t r = DocSize % BytesPerRow;
    if (r != 0) TopAddress += BytesPerRow - r;
  } else {
    TopAddress = 1;
  }
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
    if (int64_t{pos} >= int64_t{DocSize} - PageSize + 1) {
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
