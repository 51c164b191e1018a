#include "core/Navigation.h"

#include "core/DocState.h"
#include "core/View.h"

namespace quoxa {

int64_t RowStart(int64_t pos) { return ((pos - 1) / Doc().BytesPerRow) * Doc().BytesPerRow + 1; }

namespace {

// Top of the last page: the last byte in the bottom row, the top row on a row boundary.
int64_t LastPageTop() {
  if (Doc().DocSize <= Doc().PageSize) return 1;
  int64_t top = Doc().DocSize - Doc().PageSize + 1;
  const auto r = static_cast<int32_t>(Doc().DocSize % Doc().BytesPerRow);
  if (r != 0) top += Doc().BytesPerRow - r;
  return top;
}

}  // namespace

void ScrollToEnd() {
  Doc().LastShownAddress = Doc().DocSize;
  Doc().TopAddress = LastPageTop();
}

Cell AddressToCell(int64_t pos) {
  if (pos <= Doc().TopAddress || pos > Doc().LastShownAddress) return {};
  // On the page, so both fit a cell.
  const auto row = static_cast<int32_t>((pos - Doc().TopAddress) / Doc().BytesPerRow);
  return {static_cast<int32_t>(pos - Doc().TopAddress - int64_t{row} * Doc().BytesPerRow), row};
}

void GotoAddress(int64_t pos, bool placeCursor, bool keepView) {
  if (!Doc().ViewReady || Doc().DocBuffer == nullptr) return;
  if (pos < 1) pos = 1;
  if (pos > Doc().DocSize) pos = Doc().DocSize;
  if (Doc().LastShownAddress > Doc().DocSize) Doc().LastShownAddress = Doc().DocSize;
  const bool onScreen = Doc().TopAddress <= pos && pos <= Doc().LastShownAddress;
  if (!(keepView && onScreen)) {
    // Only positions on the last page as it is shown: its row alignment can leave the first
    // rows of the last PageSize bytes above it.
    if (pos >= LastPageTop()) {
      ScrollToEnd();
    } else {
      Doc().TopAddress = RowStart(pos);
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
  GotoAddress(Doc().DocSize, true, false);
  SetCursorCell(Doc().CursorCol, Doc().CursorRow);
}

}  // namespace quoxa
