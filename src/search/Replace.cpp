#include "search/Replace.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "core/Block.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/FreeMemory.h"
#include "core/Journal.h"
#include "core/MemoryPolicy.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "search/DocSearchProgress.h"
#include "search/SearchEngine.h"
#include "search/SearchState.h"
#include "search/SearchTexts.h"

namespace quoxa {

namespace {

// Most occurrence positions a replace all keeps between its count and its replacing (64 MiB).
constexpr size_t kMaxRecorded = (size_t{64} << 20) / sizeof(int64_t);

uint8_t* At(int64_t pos) { return WritableDocBuffer() + (pos - 1); }

// Where replacements are made, the edits of the core tell the search what they reach.
const bool replaceUndoHooked = (InstallReplaceUndoHook(&DropReplaceUndo), true);

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Journals the replacement about to be written at pos over the bytes SaveFoundBytes kept;
// pos counts the replacements before it as made.
void JournalReplacement(int64_t pos) {
  const SearchState& s = Search();
  Doc().Journal.Record(pos, Bytes(Doc().UndoBytes), static_cast<int64_t>(Doc().UndoBytes.size()),
                       Bytes(s.ReplaceString), static_cast<int64_t>(s.ReplaceString.size()));
}

int64_t FindLength() { return static_cast<int64_t>(Search().FindString.size()); }
int64_t ReplaceLength() { return static_cast<int64_t>(Search().ReplaceString.size()); }

void ShowProgressText(const char* text) {
  if (TProgressBox* box = CurrentProgressBox()) box->SetText(text, 1);
}

// Bookkeeping of one replacement written at pos.
void Record(int64_t pos, ReplaceAllResult& result) {
  const auto at = pos;
  if (result.count == 0) result.first = at;
  ++result.count;
  Doc().LastFound = at;
  Doc().LastReplaced = at;
}

// Makes the occurrence of length f at pos r bytes long, keeping its first r bytes' room. On a
// failure, shown to the user, gives back the message shown; else nullptr.
const char* ResizeAt(int64_t pos, int64_t f, int64_t r) {
  const char* failure = nullptr;
  if (r > f) {
    if (!OpenGap(pos, r - f)) failure = msg::kNoMemory;
  } else if (r < f) {
    const int64_t before = Doc().DocSize;
    // A failed shrink of the block still removed the bytes; only a refusal leaves them.
    if (!RemoveRange(pos, f - r) && Doc().DocSize == before) failure = msg::kInvalidOperation;
  }
  if (failure != nullptr) ShowError(failure);
  return failure;
}

// The next occurrence at or after pos in a loop of searches; 0 when none or cancelled.
int64_t NextOccurrence(int64_t pos, SearchProgress& progress, ReplaceAllResult& result) {
  if (pos > Doc().DocSize) return 0;
  const int64_t lastFound = Doc().LastFound;
  const FindResult found = FindNextWith(pos, false, progress);
  if (found.aborted) {
    // An occurrence found together with the cancel is dropped, and it must not be where the
    // cursor goes: positions behind the replacements made are about to move.
    Doc().LastFound = lastFound;
    result.aborted = true;
    return 0;
  }
  return found.found ? found.pos : 0;
}

ReplaceAllResult ReplaceEqual(int64_t start) {
  ReplaceAllResult result;
  ShowProgressText(msg::kSearchingAndReplacing);
  const int64_t f = FindLength();
  ForwardDocProgress progress;
  int64_t pos = start;
  while (const int64_t at = NextOccurrence(pos, progress, result)) {
    SaveFoundBytes(at);
    JournalReplacement(at);
    WriteReplacement(at);
    Record(at, result);
    pos = at + f;
  }
  return result;
}

// One forward pass: the bytes between occurrences move down to the write position w as whole
// stretches, each replacement is written behind them; the tail follows once at the end, also
// after a cancel, so that the document is consistent at every stop.
ReplaceAllResult ReplaceShorter(int64_t start) {
  ReplaceAllResult result;
  ShowProgressText(msg::kSearchingAndReplacing);
  const int64_t f = FindLength();
  const int64_t r = ReplaceLength();
  ForwardDocProgress progress;
  int64_t w = start;
  int64_t c = start;
  while (const int64_t at = NextOccurrence(c, progress, result)) {
    SaveFoundBytes(at);
    if (MoveBytesDown(c, at - 1, w)) w += at - c;
    JournalReplacement(w);
    WriteReplacement(w);
    Record(w, result);
    c = at + f;
    w += r;
  }
  if (w != c) MoveBytesDown(c, Doc().DocSize, w);
  Doc().DocSize -= (f - r) * result.count;
  if (Doc().DocSize == 0) ClearDocument();
  return result;
}

// How many of n replacements, each growing the document by d, fit: into the memory the system
// has free and the block's unused room, and below the largest document. Asks the user
// when not all of them fit; 0 means none is made, and failure holds the message shown.
int64_t ReplacementsThatFit(int64_t n, int64_t d, std::string& failure) {
  const int64_t room = Capacity() - Doc().DocSize;
  const int64_t available = std::min(FreeMemoryBytes() + room, kMaxDocSize - Doc().DocSize);
  if (n <= available / d) return n;
  const int64_t m = available / d;
  if (m <= 0) {
    failure = msg::kNoMemory;
    ShowError(failure);
    return 0;
  }
  const std::string question = FormatMsgN(FormatMsgN(msg::kReplaceMemoryQuestion, n), m);
  if (AskYesNo(question) == mrYes) return m;
  failure = question;
  return 0;
}

// Step 1 of the longer case: the occurrences from start, counted as CountOccurrences counts
// them. Their positions are kept while the list stays small, so that step 2 need not search
// the same bytes again; positions is empty when they were too many.
int64_t CountAndRecord(int64_t start, std::vector<int64_t>& positions, ReplaceAllResult& result) {
  const int64_t f = FindLength();
  ForwardDocProgress progress;
  bool recording = true;
  int64_t n = 0;
  int64_t pos = start;
  while (const int64_t at = NextOccurrence(pos, progress, result)) {
    ++n;
    if (recording) {
      try {
        recording = positions.size() < kMaxRecorded;
        if (recording) positions.push_back(at);
      } catch (const std::bad_alloc&) {
        recording = false;
      }
      if (!recording) std::vector<int64_t>().swap(positions);
    }
    pos = at + f;
  }
  return n;
}

// Counts first, opens the whole growth once at the start, then fills the gap from its front
// as in the shorter case: the document moves up once and the stretches down once.
ReplaceAllResult ReplaceLonger(int64_t start) {
  ReplaceAllResult result;
  const int64_t f = FindLength();
  const int64_t r = ReplaceLength();
  const int64_t d = r - f;
  ShowProgressText(msg::kStepCounting);
  std::vector<int64_t> positions;
  const int64_t counted = CountAndRecord(start, positions, result);
  if (result.aborted || counted == 0) return result;
  const int64_t n = ReplacementsThatFit(counted, d, result.failure);
  if (n == 0) return result;
  if (!EnsureCapacity(n * d) || !OpenGap(start, n * d)) {
    result.failure = msg::kNoMemory;
    ShowError(result.failure);
    return result;
  }
  ShowProgressText(msg::kStepReplacing);
  ForwardDocProgress progress;
  const int64_t shift = n * d;
  int64_t w = start;
  int64_t c = start + shift;
  while (result.count < n) {
    int64_t at = 0;
    if (positions.empty()) {
      at = NextOccurrence(c, progress, result);
      if (at == 0) break;
    } else {
      at = positions[static_cast<size_t>(result.count)] + shift;
      if (CurrentProgressBox() != nullptr && at + f - 1 >= progress.due) {
        bool abort = false;
        progress.Report(at + f - 1, abort);
        if (abort) {
          result.aborted = true;
          break;
        }
      }
    }
    SaveFoundBytes(at);
    if (MoveBytesDown(c, at - 1, w)) w += at - c;
    JournalReplacement(w);
    WriteReplacement(w);
    Record(w, result);
    c = at + f;
    w += r;
  }
  if (w != c) {
    MoveBytesDown(c, Doc().DocSize, w);
    Doc().DocSize -= (n - result.count) * d;
  }
  return result;
}

}  // namespace

void SaveFoundBytes(int64_t pos) {
  if (pos < 1 || pos > Doc().DocSize) {
    Doc().UndoBytes.clear();
    return;
  }
  const int64_t length = std::min<int64_t>(FindLength(), Doc().DocSize - pos + 1);
  Doc().UndoBytes.assign(reinterpret_cast<const char*>(At(pos)), static_cast<size_t>(length));
}

bool WriteReplacement(int64_t pos) {
  const std::string& replacement = Search().ReplaceString;
  const auto r = static_cast<int64_t>(replacement.size());
  if (pos < 1 || pos + r - 1 > Doc().DocSize) return false;
  if (r > 0) std::memcpy(At(pos), replacement.data(), replacement.size());
  Doc().ReplacedBytes = replacement;
  return true;
}

bool MoveBytesDown(int64_t from, int64_t to, int64_t dest) {
  if (from < 1 || dest < 1 || to > Doc().DocSize || dest > Doc().DocSize || to < from) return false;
  if (dest + (to - from) > Doc().DocSize) return false;
  std::memmove(At(dest), At(from), static_cast<size_t>(to - from + 1));
  return true;
}

ReplaceResult ReplaceNext(int64_t pos, bool continuing) {
  const int64_t f = FindLength();
  const int64_t r = ReplaceLength();
  ReplaceResult result;
  result.pos = pos;
  if (pos + f - 1 > Doc().DocSize) return result;
  const FindResult found = FindNext(pos, continuing);
  if (found.aborted) {
    result.aborted = true;
    return result;
  }
  if (!found.found) return result;
  result.found = true;
  pos = found.pos;
  result.pos = pos;
  // Once found, a replacement is carried out whole.
  if (TProgressBox* box = CurrentProgressBox()) {
    box->SetText(msg::kReplacingLabel, 1);
    box->EnableCancel(false);
  }
  SaveFoundBytes(pos);
  JournalStep step;
  if (const char* failure = ResizeAt(pos, f, r)) {
    result.failure = failure;
    return result;
  }
  // The journal takes the bytes from the copies, so the resize may come first.
  JournalReplacement(pos);
  WriteReplacement(pos);
  Doc().LastFound = pos;
  Doc().LastReplaced = pos;
  Doc().Modified = true;
  result.replaced = true;
  if (r > 0) result.pos = pos + r - 1;
  return result;
}

int64_t ReplaceAllStart() {
  const SearchState& s = Search();
  if (!s.FromCursor) return 1;
  const int64_t cursor = CursorAddress();
  // A regular expression's replacement has the length its groups gave it.
  const int64_t r = s.RegexEnabled ? static_cast<int64_t>(Doc().ReplacedBytes.size()) : ReplaceLength();
  if (r > 0 && Doc().LastReplaced != 0 && cursor == Doc().LastReplaced + r - 1) return cursor + 1;
  return cursor;
}

ReplaceAllResult ReplaceAll(int64_t start, bool useScope) {
  if (useScope) start = ReplaceAllStart();
  const int64_t f = FindLength();
  const int64_t r = ReplaceLength();
  if (f == 0 || start < 1) return {};
  JournalStep step;
  ReplaceAllResult result;
  if (r == f) {
    result = ReplaceEqual(start);
  } else if (r < f) {
    result = ReplaceShorter(start);
  } else {
    result = ReplaceLonger(start);
  }
  if (result.count > 0) {
    Doc().Modified = true;
    // Positions behind the first replacement moved.
    if (r != f) CheckBlock(result.first);
    const int64_t last = Doc().LastFound;
    GotoAddress(r > 0 ? last + r - 1 : last, true, true);
  }
  return result;
}

bool UndoReplacement() {
  const int64_t at = Doc().LastReplaced;
  if (at == 0) return true;
  GotoAddress(at, false, true);
  const std::string written = Doc().ReplacedBytes;
  const std::string original = Doc().UndoBytes;
  const auto r = static_cast<int64_t>(written.size());
  const auto f = static_cast<int64_t>(original.size());
  // Only the very bytes written at LastReplaced are taken back; an edit over them ends the undo.
  const bool inPlace = at >= 1 && at + r - 1 <= Doc().DocSize && at <= Doc().DocSize + 1 &&
                       (r == 0 || std::memcmp(At(at), written.data(), written.size()) == 0);
  if (inPlace) {
    JournalStep step;
    if (ResizeAt(at, r, f) != nullptr) return false;
    Doc().Journal.Record(at, Bytes(written), r, Bytes(original), f);
    if (f > 0) std::memcpy(At(at), original.data(), original.size());
    Doc().Modified = true;
    if (r != f) CheckBlock(at);
    Doc().LastFound = at;
    Doc().UndoBytes = written;
    Doc().ReplacedBytes = original;
  }
  GotoAddress(at, true, true);
  Doc().LastReplaced = 0;
  return true;
}

}  // namespace quoxa
