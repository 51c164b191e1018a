#pragma once
// Scrolling the page and placing the cursor: the one way the view moves.

#include <cstdint>

namespace quoxa {

struct Cell {
  int32_t col = 0;
  int32_t row = 0;
  bool operator==(const Cell&) const = default;
};

// Shows pos (clamped to the document); keepView leaves the page alone when pos is on it.
void GotoAddress(int64_t pos, bool placeCursor, bool keepView);
void GotoTop();
void GotoEnd();
// Last page with the last byte in the bottom row and the top row on a row boundary.
void ScrollToEnd();
// Cell of a position on the current page; (0, 0) when it is not on the page.
Cell AddressToCell(int64_t pos);
// First position of the row holding pos.
int64_t RowStart(int64_t pos);

}  // namespace quoxa
