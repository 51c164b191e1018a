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

bool BlockMarked() { return BlockBegin != 0 && BlockEnd != 0; }

bool MarkBlock(bool fromKey, bool forward) {
  const int32_t pos = CursorAddress();
  Commands().SetEnabled(Cmd::BlockUnmark, true);
  if (BlockBegin == 0 && BlockEnd == 0) {
    BlockBegin = pos;
    BlockDirection = 0;
    if (fromKey) BlockEnd = pos;
  } else if (!fromKey && BlockMarked()) {
    // A third Block mark starts a new block.
    BlockBegin = pos;
    BlockEnd = 0;
    BlockDirection = 0;
    RepaintGrids();
  } else if (BlockEnd == 0) {
    // Only the begin is set (one Block mark so far): this sets the other end,
    // whichever way a key points.
    BlockEnd = pos;
    if (BlockBegin > BlockEnd) std::swap(BlockBegin, BlockEnd);
  } else {
    if (forward) {
      if (pos < BlockEnd) {
        BlockBegin = pos;
        BlockDirection = -1;
      } else if (BlockDirection == -1 && pos == BlockEnd) {
        BlockDirection = 0;
        BlockBegin = pos;
      } else {
        BlockEnd = pos;
      }
    } else {
      if (pos > BlockBegin) {
        BlockEnd = pos;
        BlockDirection = +1;
      } else if (BlockDirection == +1 && pos == BlockBegin) {
        BlockDirection = 0;
        BlockEnd = pos;
      } else {
        BlockBegin = pos;
      }
    }
    if (BlockBegin > BlockEnd) std::swap(BlockBegin, BlockEnd);
  }
  const bool marked = BlockMarked();
  if (marked) RepaintGrids();
  SetBlockCommandsEnabled(marked);
  return marked;
}

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

void RestoreBlock(int32_t begin, int32_t end) {
  if (begin == 0 && end == 0) {
    UnmarkBlock();
    return;
  }
  BlockBegin = begin;
  BlockEnd = end;
  BlockDirection = 0;
  Commands().SetEnabled(Cmd::BlockUnmark, true);
  SetBlockCommandsEnabled(BlockMarked());
  RepaintGrids();
}

void ShiftBlock(int32_t newBegin) {
  BlockEnd = newBegin + BlockEnd - BlockBegin;
  BlockBegin = newBegin;
}

}  // namespace quoxa
