#pragma once
// Marking a block with the mouse in the active grid: the pressed byte is the anchor, dragging
// marks from it to the byte under the mouse, and Shift+click moves the block's free end to the
// clicked byte. A plain click only moves the cursor. The block ends as Shift with the movement
// keys would leave it, so the keys can go on extending it.

#include <cstdint>

#include "core/Navigation.h"

namespace quoxa {

// The cell a drag over cell marks to: a cell behind the last byte stands for the last byte, so a
// block dragged into the empty cells ends on it however fast the mouse got there.
Cell DragCell(Cell cell);

class TMouseMarking {
 public:
  // The left button went down on the byte at pos; before is where the cursor stood until then.
  void Press(int64_t before, int64_t pos, bool shift);
  // With the button held the byte under the mouse is now pos (it moved, or the view scrolled).
  void Drag(int64_t pos);
  void Release() { pressed_ = false; }
  bool Pressed() const { return pressed_; }

 private:
  void MarkTo(int64_t pos);

  int64_t anchor_ = 0;
  int64_t last_ = 0;
  bool pressed_ = false;
};

}  // namespace quoxa
