#include "edit/BlockCommands.h"

#include "core/Block.h"
#include "core/Busy.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/Journal.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/PlatformFile.h"
#include "core/Primitives.h"
#include "core/View.h"
#include "settings/Options.h"
#include "widgets/IntegerText.h"

namespace quoxa {

namespace {

int64_t BlockLength() { return Doc().BlockEnd - Doc().BlockBegin + 1; }

}  // namespace

bool DeleteBlock() {
  if (BlockMarked() && Doc().BlockBegin == 1 && Doc().BlockEnd == Doc().DocSize) {
    // Emptying the document is still an edit: it can be undone and must be saved.
    Commands().SetEnabled(Cmd::ReplaceUndo, false);
    DeleteRange(1, Doc().DocSize);
    Doc().Modified = true;
    return false;
  }
  if (!BlockMarked()) {
    ShowError(msg::kNoBlockMarked);
    return false;
  }
  Commands().SetEnabled(Cmd::ReplaceUndo, false);
  BusyScope busy(msg::kBusyDelete);
  const int64_t begin = Doc().BlockBegin;
  DeleteRange(begin, BlockLength());
  Doc().Modified = true;
  UnmarkBlock();
  GotoAddress(begin, true, true);
  return true;
}

bool CopyBlockToCursor(bool insert) {
  BusyScope busy(msg::kBusyCopy);
  if (!CopyBytesWithin(Doc().BlockBegin, BlockLength(), CursorAddress(), insert)) return false;
  Doc().Modified = true;
  return true;
}

void BlockCopyClick(Cmd cmd) {
  if (!BlockMarked()) {
    ShowError(msg::kNoBlockMarked);
    return;
  }
  const bool move = cmd == Cmd::BlockMove;
  const bool overwrite = cmd == Cmd::BlockCopyOverwrite;
  const int64_t pos = CursorAddress();
  const int64_t length = BlockLength();
  if (Doc().BlockBegin < pos && pos <= Doc().BlockEnd) {
    ShowError(msg::kCopyWithinBlock);
    return;
  }
  if (((overwrite || move) && pos == Doc().BlockBegin) || (move && pos == Doc().BlockEnd + 1)) {
    ShowInfo(msg::kBlockSamePosition);
    return;
  }
  if (overwrite && pos + length - 1 > Doc().DocSize) {
    ShowError(msg::kOverwriteBeyondEnd);
    return;
  }
  bool done = false;
  if (move) {
    // In place: the bytes between the block and the cursor change sides, nothing grows.
    BusyScope busy(msg::kBusyCopy);
    done = MoveBytes(Doc().BlockBegin, length, pos);
    if (done) Doc().Modified = true;
  } else {
    done = CopyBlockToCursor(!overwrite);
  }
  if (!done) {
    ShowError(msg::kNoMemory);
    return;
  }
  Commands().SetEnabled(Cmd::ReplaceUndo, false);
  Doc().Journal.NoteBlockPlaced();
  if (move) {
    ShiftBlock(pos < Doc().BlockBegin ? pos : pos - length);
    GotoAddress(pos, true, true);
  } else {
    ShiftBlock(pos);
    RefreshView();
  }
  RepaintGrids();
}

std::optional<int64_t> CheckBlockSize(const std::string& text) {
  const std::optional<int64_t> n = TextToInteger(text);
  if (!n || *n < 1 || *n >= Doc().DocSize || CursorAddress() + *n - 1 > Doc().DocSize) {
    ShowError(msg::kBlockSizeInvalid);
    return std::nullopt;
  }
  return n;
}

void MarkBlockOfSize(int64_t n) {
  const int64_t pos = CursorAddress();
  Doc().BlockBegin = pos;
  Doc().BlockEnd = pos + n - 1;
  Commands().SetEnabled(Cmd::BlockUnmark, true);
  SetBlockCommandsEnabled(true);
  RepaintGrids();
  UpdateStatus();
}

bool WriteBlockTo(const std::string& path) {
  Options().CurrentDir = DirectoryOf(path);
  if (!BlockMarked()) {
    ShowError(msg::kNoBlockMarked);
    return false;
  }
  return WriteFileRange(path, true, Doc().BlockBegin, BlockLength());
}

}  // namespace quoxa
