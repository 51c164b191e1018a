#include "search/SearchCommands.h"

#include "core/Block.h"
#include "core/Busy.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "search/DocSearchProgress.h"
#include "search/RegexEngine.h"
#include "search/Replace.h"
#include "search/SearchEngine.h"
#include "search/SearchState.h"
#include "search/SearchTexts.h"

namespace quoxa {

namespace {

ProgressSpec SearchingBox() { return {true, true, msg::kCurrentFilePosition, msg::kSearchingCaption}; }
ProgressSpec ReplacingBox() { return {true, true, msg::kSearchingLabel, msg::kReplacingCaption}; }

// The outcome of one search: the cursor on the occurrence, or the message.
void ShowFound(const FindResult& found) {
  if (found.aborted) return;
  if (found.found) {
    GotoAddress(found.pos, true, true);
  } else {
    ShowInfo(msg::kStringNotFound);
  }
}

}  // namespace

int64_t FindDownStart(bool fromMenu) { return fromMenu || Search().FromCursor ? CursorAddress() : 1; }

int64_t FindUpStart(bool fromMenu) { return fromMenu || Search().FromCursor ? CursorAddress() : Doc().DocSize; }

int64_t CountStart() {
  if (Search().FromCursor) return CursorAddress();
  return Search().SearchDown ? 1 : Doc().DocSize;
}

int64_t ReplaceAgainStart(bool fromMenu) { return FindDownStart(fromMenu); }

void FindAgainDown(bool fromMenu) {
  const int64_t start = FindDownStart(fromMenu);
  FindResult found;
  {
    TProgressBox box(SearchingBox());
    ForwardDocProgress progress;
    found = Search().RegexEnabled ? RegexFindNext(start, true, progress) : FindNext(start, true);
  }
  ShowFound(found);
}

void FindAgainUp(bool fromMenu) {
  const int64_t start = FindUpStart(fromMenu);
  FindResult found;
  {
    TProgressBox box(SearchingBox());
    BackwardDocProgress progress;
    found = Search().RegexEnabled ? RegexFindPrevious(start, progress) : FindPrevious(start);
  }
  ShowFound(found);
}

void CountCommand() {
  const int64_t start = CountStart();
  CountResult counted;
  {
    TProgressBox box(SearchingBox());
    counted = Search().RegexEnabled ? RegexCount(Search().SearchDown, start)
                                    : CountOccurrences(Search().SearchDown, start);
  }
  if (!counted.completed) return;
  if (Doc().LastFound > 0) GotoAddress(Doc().LastFound, true, true);
  ShowInfo(FormatMsgN(msg::kOccurrencesFound, counted.count));
}

void ReplaceAgainDown(bool fromMenu) {
  const int64_t start = ReplaceAgainStart(fromMenu);
  ReplaceResult result;
  {
    TProgressBox box(ReplacingBox());
    BusyScope busy("");
    result = Search().RegexEnabled ? RegexReplaceNext(start, true) : ReplaceNext(start, true);
  }
  if (result.aborted) return;
  if (!result.found) {
    ShowInfo(msg::kStringNotFound);
    return;
  }
  if (!result.replaced) return;
  if (Doc().ReplacedBytes.size() != Doc().UndoBytes.size()) CheckBlock(Doc().LastReplaced);
  Commands().SetEnabled(Cmd::ReplaceUndo, true);
  GotoAddress(result.pos, true, true);
}

void ReplaceAllCommand() {
  ReplaceAllResult result;
  {
    TProgressBox box(ReplacingBox());
    BusyScope busy("");
    result = Search().RegexEnabled ? RegexReplaceAll(ReplaceAllStart()) : ReplaceAll(0, true);
  }
  ShowInfo(FormatMsgN(msg::kOccurrencesReplaced, result.count));
}

void ReplaceUndoCommand() {
  bool undone = false;
  {
    BusyScope busy("");
    undone = UndoReplacement();
  }
  // Without memory for the bytes nothing changed, and the undo may be tried again.
  if (undone) Commands().SetEnabled(Cmd::ReplaceUndo, false);
}

void AfterFindDialog(bool accepted) {
  if (accepted) {
    if (Search().SearchDown) {
      FindAgainDown(false);
    } else {
      FindAgainUp(false);
    }
  }
  SetCommandsEnabled({Cmd::FindDown, Cmd::FindUp}, accepted);
  SetCommandsEnabled({Cmd::ReplaceAgain, Cmd::ReplaceUndo}, false);
}

void AfterReplaceDialog(ReplaceChoice choice) {
  switch (choice) {
    case ReplaceChoice::Cancel:
      SetCommandsEnabled({Cmd::ReplaceAgain, Cmd::ReplaceUndo}, false);
      return;
    case ReplaceChoice::ReplaceOne:
      ReplaceAgainDown(false);
      break;
    case ReplaceChoice::ReplaceAll:
      ReplaceAllCommand();
      break;
  }
  Commands().SetEnabled(Cmd::ReplaceAgain, true);
}

}  // namespace quoxa
