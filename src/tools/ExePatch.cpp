#include "tools/ExePatch.h"

#include "core/Busy.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/View.h"
#include "search/Replace.h"
#include "search/SearchState.h"
#include "search/SearchTexts.h"
#include "tools/ToolTexts.h"
#include "widgets/HexString.h"

namespace quoxa {

PatchOutcome PatchExecutable() {
  SearchState& s = Search();
  s.FindString = HexStringToBytes(kPatchFindHex, false);
  s.ReplaceString = HexStringToBytes(kPatchReplaceHex, false);
  ReplaceResult result;
  {
    // The sequence is exact bytes: the user's case and joker options must not widen the match.
    const bool caseSensitive = s.CaseSensitive;
    const bool joker = s.JokerEnabled;
    s.CaseSensitive = true;
    s.JokerEnabled = false;
    JournalStep step;
    TProgressBox box({true, true, msg::kSearchingLabel, msg::kReplacingCaption});
    BusyScope busy("");
    // Always from the first byte: an earlier find standing there must not skip an occurrence.
    result = ReplaceNext(1, false);
    s.CaseSensitive = caseSensitive;
    s.JokerEnabled = joker;
  }
  SetCommandsEnabled({Cmd::ReplaceAgain, Cmd::ReplaceUndo}, false);
  if (result.aborted) return PatchOutcome::Cancelled;
  if (!result.found) {
    ShowInfo(msg::kNotBp7Executable);
    return PatchOutcome::NotFound;
  }
  if (!result.replaced) return PatchOutcome::NotReplaced;
  // The cursor stays: the patched byte may lie above it, where a refresh from the cursor stops.
  RepaintFromPosition(Doc().LastReplaced);
  RefreshView();
  ShowInfo(msg::kPatched);
  return PatchOutcome::Patched;
}

}  // namespace quoxa
