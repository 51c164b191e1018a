#include "edit/MouseMarking.h"

#include <algorithm>

#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/View.h"

namespace quoxa {

namespace {

// The end of a marked block that stays where it is while the other follows the cursor.
int64_t AnchorOf(int64_t cursor) {
  if (BlockMarked()) {
    if (cursor == Doc().BlockBegin && cursor != Doc().BlockEnd) return Doc().BlockEnd;
    if (cursor == Doc().BlockEnd && cursor != Doc().BlockBegin) return Doc().BlockBegin;
    return Doc().BlockDirection == -1 ? Doc().BlockEnd : Doc().BlockBegin;
  }
  // One Block mark so far: its begin waits for the other end.
  return Doc().BlockBegin != 0 ? Doc().BlockBegin : cursor;
}

}  // namespace

Cell DragCell(Cell cell) {
  const int64_t pos = Doc().TopAddress + int64_t{cell.row} * Doc().BytesPerRow + cell.col;
  if (pos <= Doc().DocSize || Doc().DocSize < Doc().TopAddress) return cell;
  const int64_t last = Doc().DocSize - Doc().TopAddress;
  return {static_cast<int32_t>(last % Doc().BytesPerRow),
          static_cast<int32_t>(last / Doc().BytesPerRow)};
}

void TMouseMarking::Press(int64_t before, int64_t pos, bool shift) {
  pressed_ = true;
  last_ = pos;
  if (!shift) {
    anchor_ = pos;
    return;
  }
  anchor_ = AnchorOf(before);
  MarkTo(pos);
}

void TMouseMarking::Drag(int64_t pos) {
  if (!pressed_ || pos == last_ || pos < 1 || pos > Doc().DocSize) return;
  last_ = pos;
  MarkTo(pos);
}

void TMouseMarking::MarkTo(int64_t pos) {
  Doc().BlockBegin = std::min(anchor_, pos);
  Doc().BlockEnd = std::max(anchor_, pos);
  Doc().BlockDirection = static_cast<int8_t>(pos > anchor_ ? 1 : pos < anchor_ ? -1 : 0);
  Commands().SetEnabled(Cmd::BlockUnmark, true);
  SetBlockCommandsEnabled(true);
  RepaintGrids();
}

}  // namespace quoxa
