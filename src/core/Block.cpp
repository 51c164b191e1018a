#include "core/Block.h"

#include <utility>

#include "core/Commands.h"
#include "core/DocState.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/View.h"

namespace quoxa {

namespace {

// Enabled together whenever a block comes to exist.
constexpr Cmd kBlockCommands[] = {Cmd::BlockDelete, Cmd::BtnDel, Cmd::BlockCopy, Cmd::BlockCopyOverwrite,
                                  Cmd::BlockMove, Cmd::WriteBlock, Cmd::Cut, Cmd::Copy, Cmd::BtnCut,
                                  Cmd::BtnCopy, Cmd::CopyHex};

}  // namespace

void SetBlockCommandsEnabled(bool on) {
  for (Cmd cmd : kBlockCommands) Commands().SetEnabled(cmd, on);
}

bool BlockMarked() { return Doc().BlockBegin != 0 && Doc().BlockEnd != 0; }

bool MarkBlock(bool fromKey, bool forward) {
  const int64_t pos = CursorAddress();
  Commands().SetEnabled(Cmd::BlockUnmark, true);
  if (Doc().BlockBegin == 0 && Doc().BlockEnd == 0) {
    Doc().BlockBegin = pos;
    Doc().BlockDirection = 0;
    if (fromKey) Doc().BlockEnd = pos;
  } else if (!fromKey && BlockMarked()) {
    // A third Block mark starts a new block.
    Doc().BlockBegin = pos;
    Doc().BlockEnd = 0;
    Doc().BlockDirection = 0;
    RepaintGrids();
  } else if (Doc().BlockEnd == 0) {
    // Only the begin is set (one Block mark so far): this sets the other end,
    // whichever way a key points.
    Doc().BlockEnd = pos;
    if (Doc().BlockBegin > Doc().BlockEnd) std::swap(Doc().BlockBegin, Doc().BlockEnd);
  } else {
    if (forward) {
      if (pos < Doc().BlockEnd) {
        Doc().BlockBegin = pos;
        Doc().BlockDirection = -1;
      } else if (Doc().BlockDirection == -1 && pos == Doc().BlockEnd) {
        Doc().BlockDirection = 0;
        Doc().BlockBegin = pos;
      } else {
        Doc().BlockEnd = pos;
      }
    } else {
      if (pos > Doc().BlockBegin) {
        Doc().BlockEnd = pos;
        Doc().BlockDirection = +1;
      } else if (Doc().BlockDirection == +1 && pos == Doc().BlockBegin) {
        Doc().BlockDirection = 0;
        Doc().BlockEnd = pos;
      } else {
        Doc().BlockBegin = pos;
      }
    }
    if (Doc().BlockBegin > Doc().BlockEnd) std::swap(Doc().BlockBegin, Doc().BlockEnd);
  }
  const bool marked = BlockMarked();
  if (marked) RepaintGrids();
  SetBlockCommandsEnabled(marked);
  return marked;
}

void UnmarkBlock() {
  Doc().BlockBegin = 0;
  Doc().BlockEnd = 0;
  SetCommandsEnabled({Cmd::BlockUnmark, Cmd::BlockDelete, Cmd::BtnDel, Cmd::BtnCut, Cmd::BtnCopy, Cmd::BlockCopy,
                      Cmd::BlockCopyOverwrite, Cmd::BlockMove, Cmd::WriteBlock},
                     false);
  RepaintGrids();
}

void CheckBlock(int64_t pos) {
  if (BlockMarked() && Doc().BlockEnd >= pos) {
    ShowInfo(msg::kBlockNoLongerValid);
    UnmarkBlock();
  }
}

void RestoreBlock(int64_t begin, int64_t end) {
  if (begin == 0 && end == 0) {
    UnmarkBlock();
    return;
  }
  Doc().BlockBegin = begin;
  Doc().BlockEnd = end;
  Doc().BlockDirection = 0;
  Commands().SetEnabled(Cmd::BlockUnmark, true);
  SetBlockCommandsEnabled(BlockMarked());
  RepaintGrids();
}

void ShiftBlock(int64_t newBegin) {
  Doc().BlockEnd = newBegin + Doc().BlockEnd - Doc().BlockBegin;
  Doc().BlockBegin = newBegin;
}

}  // namespace quoxa
