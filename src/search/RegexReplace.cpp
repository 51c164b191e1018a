// Replace all with a regular expression: every match is found first, on the bytes as they are,
// since a replacement's groups refer to them; then one pass rewrites the document, journaling
// each replacement, so that the whole is one undo step.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/Block.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/MemoryPolicy.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "search/DocSearchProgress.h"
#include "search/RegexEngine.h"
#include "search/SearchState.h"
#include "search/SearchTexts.h"

namespace quoxa {

namespace {

struct Planned {
  int64_t pos;     // of the match in the document as it was
  int64_t length;  // of the match
  int64_t text;    // start of its replacement in the pool
  int64_t size;    // of its replacement
};

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// The matches from start with their replacements; false when cancelled or stopped by a limit.
bool PlanReplacements(int64_t start, std::vector<Planned>& plan, std::string& pool) {
  ForwardDocProgress progress;
  int64_t pos = start;
  bool notEmpty = false;
  for (;;) {
    RegexMatch match;
    bool abort = false;
    const TRegexSearch::Result result = RegexSearcher().Forward(
        Doc().DocBuffer, Doc().DocSize, pos, notEmpty, CurrentProgressBox() != nullptr ? &progress : nullptr, abort,
        match);
    if (result == TRegexSearch::Result::NotFound) return true;
    if (result != TRegexSearch::Result::Found) {
      if (result == TRegexSearch::Result::Failed) ShowError(RegexStoppedText(RegexSearcher().Error()));
      return false;
    }
    const std::string text = RegexSearcher().Expand(Search().ReplaceString, Doc().DocBuffer);
    plan.push_back({match.pos, match.length, static_cast<int64_t>(pool.size()), static_cast<int64_t>(text.size())});
    pool += text;
    pos = match.pos + match.length;
    notEmpty = match.length == 0;
  }
}

}  // namespace

ReplaceAllResult RegexReplaceAll(int64_t start) {
  ReplaceAllResult result;
  if (!PrepareRegex() || start < 1) return result;
  if (TProgressBox* box = CurrentProgressBox()) box->SetText(msg::kSearchingAndReplacing, 1);
  std::vector<Planned> plan;
  std::string pool;
  if (!PlanReplacements(start, plan, pool)) {
    result.aborted = true;
    return result;
  }
  if (plan.empty()) return result;
  // The writing runs behind the reading: a gap as large as the greatest growth so far, opened
  // at the first match, keeps it there; what is left of the gap is closed at the end.
  int64_t growth = 0;
  int64_t gap = 0;
  for (const Planned& p : plan) {
    growth += p.size - p.length;
    gap = std::max(gap, growth);
  }
  JournalStep step;
  const int64_t first = plan.front().pos;
  if (gap > 0 && (!EnsureCapacity(gap) || !OpenGap(first, gap))) {
    result.failure = msg::kNoMemory;
    ShowError(result.failure);
    return result;
  }
  uint8_t* buffer = WritableDocBuffer();
  auto at = [&](int64_t pos) { return buffer + (pos - 1); };
  int64_t w = first;
  int64_t c = first + gap;
  std::string original;
  for (const Planned& p : plan) {
    const int64_t from = p.pos + gap;
    if (from > c) std::memmove(at(w), at(c), static_cast<size_t>(from - c));
    w += from - c;
    original.assign(reinterpret_cast<const char*>(at(from)), static_cast<size_t>(p.length));
    Doc().Journal.Record(w, Bytes(original), p.length, Bytes(pool) + p.text, p.size);
    if (p.size > 0) std::memmove(at(w), pool.data() + p.text, static_cast<size_t>(p.size));
    if (result.count == 0) result.first = w;
    ++result.count;
    Doc().LastFound = Doc().LastReplaced = w;
    Doc().LastFoundLength = p.length;
    Doc().UndoBytes = original;
    Doc().ReplacedBytes.assign(pool, static_cast<size_t>(p.text), static_cast<size_t>(p.size));
    w += p.size;
    c = from + p.length;
  }
  const int64_t end = Doc().DocSize;
  if (c > w) {
    // The end may be an empty match after the last byte: nothing left to move then.
    if (end >= c) std::memmove(at(w), at(c), static_cast<size_t>(end - c + 1));
    Doc().DocSize -= c - w;
  }
  Doc().Modified = true;
  if (Doc().DocSize == 0) {
    ClearDocument();
  } else {
    if (growth != 0 || gap != 0) CheckBlock(result.first);
    const int64_t last = Doc().LastFound;
    const auto r = static_cast<int64_t>(Doc().ReplacedBytes.size());
    GotoAddress(std::min(Doc().DocSize, r > 0 ? last + r - 1 : last), true, true);
  }
  return result;
}

}  // namespace quoxa
