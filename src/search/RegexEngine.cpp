#include "search/RegexEngine.h"

#include "core/DocState.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "search/DocSearchProgress.h"
#include "search/SearchState.h"
#include "search/SearchTexts.h"

namespace quoxa {

namespace {

// Where a search that continues from pos starts, and whether an empty match there would be
// the one already found (then it must not count again).
struct Start {
  int64_t pos = 0;
  bool notEmpty = false;
};

Start ContinueFrom(int64_t pos, bool continuing) {
  if (!continuing) return {pos, false};
  const bool lastEmpty = Doc().LastFoundLength == 0;
  const auto r = static_cast<int64_t>(Doc().ReplacedBytes.size());
  if (Doc().LastReplaced != 0) {
    if (r == 0 && pos == Doc().LastReplaced) return {pos, lastEmpty};
    if (r > 0 && pos == Doc().LastReplaced + r - 1) return {pos + 1, lastEmpty};
  }
  if (Doc().LastFound != 0 && pos == Doc().LastFound) {
    return lastEmpty ? Start{pos, true} : Start{pos + Doc().LastFoundLength, false};
  }
  return {pos, false};
}

SearchProgress* Reporting(SearchProgress& progress) { return CurrentProgressBox() != nullptr ? &progress : nullptr; }

// The outcome of one match for a find: a limit shows its message and ends the command like
// a cancel; a match counts only where the cursor can stand.
FindResult Take(TRegexSearch::Result result, const RegexMatch& match, int64_t pos) {
  FindResult found{pos, false, false};
  switch (result) {
    case TRegexSearch::Result::Failed:
      ShowError(RegexStoppedText(RegexSearcher().Error()));
      found.aborted = true;
      break;
    case TRegexSearch::Result::Aborted:
      found.aborted = true;
      break;
    case TRegexSearch::Result::Found:
      if (match.pos <= Doc().DocSize) {
        found.found = true;
        found.pos = match.pos;
        Doc().LastFound = match.pos;
        Doc().LastFoundLength = match.length;
      }
      break;
    case TRegexSearch::Result::NotFound:
      break;
  }
  return found;
}

}  // namespace

TRegexSearch& RegexSearcher() {
  static TRegexSearch searcher;
  return searcher;
}

bool PrepareRegex() {
  if (RegexSearcher().Prepare(Search().FindString, Search().CaseSensitive)) return true;
  ShowError(RegexSearcher().Error());
  return false;
}

std::string RegexStoppedText(const std::string& message) { return "Regular expression too complex: " + message; }

FindResult RegexFindNext(int64_t pos, bool continuing, SearchProgress& progress) {
  if (!PrepareRegex()) return {pos, false, true};
  const Start from = ContinueFrom(pos, continuing);
  RegexMatch match;
  bool abort = false;
  const TRegexSearch::Result result = RegexSearcher().Forward(Doc().DocBuffer, Doc().DocSize, from.pos,
                                                              from.notEmpty, Reporting(progress), abort, match);
  return Take(result, match, pos);
}

FindResult RegexFindPrevious(int64_t pos, SearchProgress& progress) {
  if (!PrepareRegex()) return {pos, false, true};
  const int64_t end = Doc().LastFound != 0 && pos == Doc().LastFound ? pos - 1 : pos;
  RegexMatch match;
  bool abort = false;
  const TRegexSearch::Result result =
      RegexSearcher().Backward(Doc().DocBuffer, end, 1, Reporting(progress), abort, match);
  return Take(result, match, pos);
}

CountResult RegexCount(bool down, int64_t start) {
  CountResult counted;
  if (!PrepareRegex()) return {0, false};
  if (!down) {
    BackwardDocProgress backward;
    for (int64_t pos = start;;) {
      const FindResult found = RegexFindPrevious(pos, backward);
      if (found.aborted) return {counted.count, false};
      if (!found.found) return counted;
      ++counted.count;
      pos = found.pos;
    }
  }
  ForwardDocProgress forward;
  int64_t pos = start;
  bool notEmpty = false;
  for (;;) {
    RegexMatch match;
    bool abort = false;
    const TRegexSearch::Result result =
        RegexSearcher().Forward(Doc().DocBuffer, Doc().DocSize, pos, notEmpty, Reporting(forward), abort, match);
    if (result == TRegexSearch::Result::NotFound) return counted;
    if (result != TRegexSearch::Result::Found) {
      if (result == TRegexSearch::Result::Failed) ShowError(RegexStoppedText(RegexSearcher().Error()));
      return {counted.count, false};
    }
    ++counted.count;
    // An empty match after the last byte counts, but the cursor cannot go there.
    if (match.pos <= Doc().DocSize) {
      Doc().LastFound = match.pos;
      Doc().LastFoundLength = match.length;
    }
    pos = match.pos + match.length;
    notEmpty = match.length == 0;
  }
}

ReplaceResult RegexReplaceNext(int64_t pos, bool continuing) {
  ReplaceResult result;
  result.pos = pos;
  ForwardDocProgress progress;
  const FindResult found = RegexFindNext(pos, continuing, progress);
  result.aborted = found.aborted;
  if (!found.found || found.aborted) return result;
  result.found = true;
  pos = found.pos;
  result.pos = pos;
  // Once found, a replacement is carried out whole.
  if (TProgressBox* box = CurrentProgressBox()) {
    box->SetText(msg::kReplacingLabel, 1);
    box->EnableCancel(false);
  }
  const int64_t f = Doc().LastFoundLength;
  const std::string replacement = RegexSearcher().Expand(Search().ReplaceString, Doc().DocBuffer);
  const std::string original(reinterpret_cast<const char*>(Doc().DocBuffer) + (pos - 1), static_cast<size_t>(f));
  if (!SpliceBytes(pos, f, replacement)) {
    result.failure = msg::kNoMemory;
    ShowError(result.failure);
    return result;
  }
  Doc().UndoBytes = original;
  Doc().ReplacedBytes = replacement;
  Doc().LastReplaced = pos;
  Doc().Modified = true;
  result.replaced = true;
  if (!replacement.empty()) result.pos = pos + static_cast<int64_t>(replacement.size()) - 1;
  return result;
}

}  // namespace quoxa
