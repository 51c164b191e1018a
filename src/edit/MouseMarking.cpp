#include "edit/MouseMarking.h"

#include <algorithm>

#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/View.h"

namespace quoxa {

namespace {

// The end of a marked block that stays where it is while the other follows the cursor.
int32_t AnchorOf(int32_t cursor) {
  if (BlockMarked()) {
    if (cursor == BlockBegin && cursor != BlockEnd) return BlockEnd;
    if (cursor == BlockEnd && cursor != BlockBegin) return BlockBegin;
    return BlockDirection == -1 ? BlockEnd : BlockBegin;
  }
  // One Block mark so far: its begin waits for the other end.
  return BlockBegin != 0 ? BlockBegin : cursor;
}

}  // namespace

void TMouseMarking::Press(int32_t before, int32_t pos, bool shift) {
  pressed_ = true;
  last_ = pos;
  if (!shift) {
    anchor_ = pos;
    return;
  }
  anchor_ = AnchorOf(before);
  MarkTo(pos);
}

void TMouseMarking::Drag(int32_t pos) {
  if (!pressed_ || pos == last_ || pos < 1 || pos > DocSize) return;
  last_ = pos;
  MarkTo(pos);
}

void TMouseMarking::MarkTo(int32_t pos) {
  BlockBegin = std::min(anchor_, pos);
  BlockEnd = std::max(anchor_, pos);
  BlockDirection = static_cast<int8_t>(pos > anchor_ ? 1 : pos < anchor_ ? -1 : 0);
  Commands().SetEnabled(Cmd::BlockUnmark, true);
  SetBlockCommandsEnabled(true);
  RepaintGrids();
}

}  // namespace quoxa
