#include "core/Block.h"

#include "core/Commands.h"
#include "core/DocState.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/View.h"

namespace quoxa {

bool BlockMarked() { return BlockBegin != 0 && BlockEnd != 0; }

void UnmarkBlock() {
  BlockBegin = 0;
  BlockEnd = 0;
  SetCommandsEnabled({Cmd::BlockUnmark, Cmd::BlockDelete, Cmd::BtnDel, Cmd::BtnCut, Cmd::BtnCopy, Cmd::BlockCopy,
                      Cmd::BlockCopyOverwrite, Cmd::BlockMove, Cmd::WriteBlock},
                     false);
  RepaintGrids();
}

void CheckBlock(int32_t pos) {
  if (BlockMarked() && BlockEnd >= pos) {
    ShowInfo(msg::kBlockNoLongerValid);
    UnmarkBlock();
  }
}

void ShiftBlock(int32_t newBegin) {
  BlockEnd = newBegin + BlockEnd - BlockBegin;
  BlockBegin = newBegin;
}

}  // namespace quoxa
