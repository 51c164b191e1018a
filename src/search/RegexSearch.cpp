#include "search/RegexSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>

namespace quoxa {

namespace {

// Enough for any sensible pattern; a pathological one stops with PCRE2's message instead of
// running for minutes or eating the memory.
constexpr uint32_t kMatchLimit = 10'000'000;
constexpr uint32_t kDepthLimit = 1'000'000;
constexpr uint32_t kHeapLimitKiB = 64 * 1024;
constexpr size_t kJitStackMax = size_t{8} << 20;

pcre2_code* Code(void* p) { return static_cast<pcre2_code*>(p); }
pcre2_match_data* Data(void* p) { return static_cast<pcre2_match_data*>(p); }

std::string ErrorText(int code) {
  PCRE2_UCHAR buffer[256];
  if (pcre2_get_error_message(code, buffer, sizeof buffer) < 0) return "error " + std::to_string(code);
  return reinterpret_cast<const char*>(buffer);
}

// The bytes every match must start with, where the pattern plainly begins with them: its
// ordinary characters up to the first special one, without the last when a quantifier follows.
// Empty whenever that is not plain: case folding, leading options, verbs (which change where
// matching may start), callouts, alternatives and lookbehinds (the last two conservatively,
// wherever they stand).
std::string PlainPrefix(std::string_view pattern, bool caseSensitive) {
  constexpr auto npos = std::string_view::npos;
  if (!caseSensitive || pattern.find('|') != npos || pattern.find("(?<") != npos ||
      pattern.find("(*") != npos || pattern.find("(?C") != npos) {
    return {};
  }
  size_t n = 0;
  while (n < pattern.size() && std::string_view("\\^$.[()?*+{|").find(pattern[n]) == npos) ++n;
  if (n > 0 && n < pattern.size() && std::string_view("?*+{").find(pattern[n]) != npos) --n;
  return n >= 2 ? std::string(pattern.substr(0, n)) : std::string();
}

}  // namespace

std::string InvalidRegexText(int64_t offset, const std::string& message) {
  return "Invalid regular expression at position " + std::to_string(offset) + ": " + message;
}

TRegexSearch::TRegexSearch() = default;

TRegexSearch::~TRegexSearch() { Release(); }

void TRegexSearch::Release() {
  pcre2_match_data_free(Data(matchData_));
  pcre2_match_context_free(static_cast<pcre2_match_context*>(context_));
  pcre2_jit_stack_free(static_cast<pcre2_jit_stack*>(jitStack_));
  pcre2_code_free(Code(code_));
  pcre2_code_free(Code(anchored_));
  code_ = anchored_ = matchData_ = context_ = jitStack_ = nullptr;
  prefix_.clear();
  compiled_ = false;
}

bool TRegexSearch::Prepare(std::string_view pattern, bool caseSensitive) {
  if (compiled_ && pattern == pattern_ && caseSensitive == caseSensitive_) return true;
  Release();
  pattern_ = pattern;
  caseSensitive_ = caseSensitive;
  utf_ = false;
  error_.clear();
  uint32_t options = caseSensitive ? 0 : PCRE2_CASELESS;
  int code = 0;
  PCRE2_SIZE offset = 0;
  const auto* text = reinterpret_cast<PCRE2_SPTR>(pattern.data());
  code_ = pcre2_compile(text, pattern.size(), options, &code, &offset, nullptr);
  uint32_t all = 0;
  if (code_ != nullptr && pcre2_pattern_info(Code(code_), PCRE2_INFO_ALLOPTIONS, &all) == 0 && (all & PCRE2_UTF) != 0) {
    // A pattern that asks for (*UTF): invalid UTF-8 in the document simply does not match.
    utf_ = true;
    pcre2_code_free(Code(code_));
    code_ = pcre2_compile(text, pattern.size(), options | PCRE2_MATCH_INVALID_UTF, &code, &offset, nullptr);
  }
  if (code_ == nullptr) {
    error_ = InvalidRegexText(static_cast<int64_t>(offset), ErrorText(code));
    return false;
  }
  // Without the JIT (an unsupported machine) the interpreter gives the same results, slower.
  pcre2_jit_compile(Code(code_), PCRE2_JIT_COMPLETE | PCRE2_JIT_PARTIAL_HARD);
  matchData_ = pcre2_match_data_create_from_pattern(Code(code_), nullptr);
  auto* context = pcre2_match_context_create(nullptr);
  context_ = context;
  jitStack_ = pcre2_jit_stack_create(32 * 1024, kJitStackMax, nullptr);
  if (matchData_ == nullptr || context == nullptr || jitStack_ == nullptr) {
    Release();
    error_ = ErrorText(PCRE2_ERROR_NOMEMORY);
    return false;
  }
  pcre2_set_match_limit(context, kMatchLimit);
  pcre2_set_depth_limit(context, kDepthLimit);
  pcre2_set_heap_limit(context, kHeapLimitKiB);
  pcre2_jit_stack_assign(context, nullptr, jitStack_);
  compiled_ = true;
  // PCRE2 must agree on the first byte; the anchored copy keeps its JIT, which an anchored
  // match of the unanchored code would not.
  prefix_ = utf_ ? std::string() : PlainPrefix(pattern, caseSensitive);
  uint32_t firstType = 0;
  uint32_t firstUnit = 0;
  if (!prefix_.empty() &&
      pcre2_pattern_info(Code(code_), PCRE2_INFO_FIRSTCODETYPE, &firstType) == 0 &&
      firstType == 1 &&
      pcre2_pattern_info(Code(code_), PCRE2_INFO_FIRSTCODEUNIT, &firstUnit) == 0 &&
      firstUnit == static_cast<uint8_t>(prefix_[0])) {
    anchored_ =
        pcre2_compile(text, pattern.size(), options | PCRE2_ANCHORED, &code, &offset, nullptr);
    if (anchored_ != nullptr) pcre2_jit_compile(Code(anchored_), PCRE2_JIT_COMPLETE);
  }
  if (anchored_ == nullptr) prefix_.clear();
  return true;
}

int TRegexSearch::Run(const uint8_t* data, int64_t length, int64_t from, uint32_t options) {
  // An empty document has no block; PCRE2 wants a pointer all the same.
  static const uint8_t kNothing = 0;
  return pcre2_match(Code(code_), data != nullptr ? data : &kNothing, static_cast<PCRE2_SIZE>(length),
                     static_cast<PCRE2_SIZE>(from), options, Data(matchData_),
                     static_cast<pcre2_match_context*>(context_));
}

TRegexSearch::Step TRegexSearch::Failure(int rc) {
  error_ = ErrorText(rc);
  return Step::Failed;
}

TRegexSearch::Step TRegexSearch::FirstIn(const uint8_t* data, int64_t from, int64_t windowEnd, int64_t subjectEnd,
                                         bool notEmptyAtFrom, RegexMatch& match) {
  const int64_t first = from;
  // With (*UTF) a window never ends inside a character: its start would not match at all.
  for (int i = 0; utf_ && i < 3 && windowEnd < subjectEnd && (data[windowEnd] & 0xC0) == 0x80; ++i) ++windowEnd;
  while (from <= windowEnd) {
    const uint32_t notEmpty = notEmptyAtFrom && from == first ? PCRE2_NOTEMPTY_ATSTART : 0;
    const bool partial = windowEnd < subjectEnd;
    int rc = Run(data, partial ? windowEnd : subjectEnd, from, notEmpty | (partial ? PCRE2_PARTIAL_HARD : 0));
    if (rc == PCRE2_ERROR_NOMATCH) return Step::None;
    int64_t start = 0;
    if (rc == PCRE2_ERROR_PARTIAL) {
      // The window ends inside a possible match: that one start, against all the bytes.
      start = static_cast<int64_t>(pcre2_get_ovector_pointer(Data(matchData_))[0]);
      rc = Run(data, subjectEnd, start, PCRE2_ANCHORED | (start == first ? notEmpty : 0));
      if (rc == PCRE2_ERROR_NOMATCH) {
        from = start + 1;
        continue;
      }
    }
    if (rc < 0) return Failure(rc);
    TakeGroups(rc, match);
    return Step::Found;
  }
  return Step::None;
}

void TRegexSearch::TakeGroups(int rc, RegexMatch& match) {
  const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(Data(matchData_));
  const uint32_t pairs = pcre2_get_ovector_count(Data(matchData_));
  groups_.assign(size_t{pairs} * 2, -1);
  for (uint32_t i = 0; i < pairs && i < static_cast<uint32_t>(rc); ++i) {
    if (ov[2 * i] == PCRE2_UNSET) continue;
    groups_[2 * i] = static_cast<int64_t>(ov[2 * i]);
    groups_[2 * i + 1] = static_cast<int64_t>(ov[2 * i + 1]);
  }
  // \K can put the reported start behind the end; such a match counts as empty at its end.
  match.pos = std::min(groups_[0], groups_[1]) + 1;
  match.length = std::max<int64_t>(0, groups_[1] - groups_[0]);
}

// Every match starts with prefix_, so only where the literal scanner finds it can one start;
// the anchored pattern tried there, against all the bytes, needs no windows.
TRegexSearch::Result TRegexSearch::ForwardFiltered(const uint8_t* data, int64_t size, int64_t start,
                                                   bool notEmptyAtStart, SearchProgress* progress,
                                                   bool& abort, RegexMatch& match) {
  const SearchOptions exact;
  for (int64_t from = start;;) {
    const int64_t at =
        literal_.SearchForward(prefix_, data, size, from, size, exact, progress, abort);
    if (abort) return Result::Aborted;
    if (at < 1) return Result::NotFound;
    const uint32_t options = notEmptyAtStart && at == start ? PCRE2_NOTEMPTY_ATSTART : 0;
    const int rc = pcre2_match(Code(anchored_), data, static_cast<PCRE2_SIZE>(size),
                               static_cast<PCRE2_SIZE>(at - 1), options, Data(matchData_),
                               static_cast<pcre2_match_context*>(context_));
    if (rc == PCRE2_ERROR_NOMATCH) {
      from = at + 1;
      continue;
    }
    if (rc < 0) {
      Failure(rc);
      return Result::Failed;
    }
    TakeGroups(rc, match);
    return Result::Found;
  }
}

TRegexSearch::Result TRegexSearch::Forward(const uint8_t* data, int64_t size, int64_t start, bool notEmptyAtStart,
                                           SearchProgress* progress, bool& abort, RegexMatch& match) {
  if (!compiled_ || start < 1 || start > size + 1) return Result::NotFound;
  if (prefixFilter_ && !prefix_.empty()) {
    return ForwardFiltered(data, size, start, notEmptyAtStart, progress, abort, match);
  }
  int64_t from = start - 1;
  bool notEmpty = notEmptyAtStart;
  for (;;) {
    const int64_t windowEnd = std::min(size, from + window_);
    const Step step = FirstIn(data, from, windowEnd, size, notEmpty, match);
    if (step == Step::Failed) return Result::Failed;
    if (step == Step::Found) {
      if (progress != nullptr && match.pos + match.length - 1 >= progress->due) {
        progress->Report(match.pos + match.length - 1, abort);
      }
      return abort ? Result::Aborted : Result::Found;
    }
    if (windowEnd >= size) return Result::NotFound;
    if (progress != nullptr && windowEnd >= progress->due) {
      progress->Report(windowEnd, abort);
      if (abort) return Result::Aborted;
    }
    // Every start up to the window's end failed; trying that last one again costs nothing.
    notEmpty = notEmpty && windowEnd == from;
    from = windowEnd;
  }
}

TRegexSearch::Result TRegexSearch::Backward(const uint8_t* data, int64_t end, int64_t lowest,
                                            SearchProgress* progress, bool& abort, RegexMatch& match) {
  if (!compiled_ || end < 0) return Result::NotFound;
  const int64_t low = std::max<int64_t>(lowest, 1) - 1;
  // Starts are tried window by window towards the front, growing from a small one so that a
  // count upwards over dense matches stays near the bytes it has to look at.
  int64_t width = std::min<int64_t>(window_, 4096);
  int64_t top = end - 1;  // the highest start still to try (0-based): at or before byte end
  while (top >= low) {
    const int64_t bottom = std::max(low, top - width + 1);
    bool any = false;
    RegexMatch best;
    std::vector<int64_t> bestGroups;
    int64_t from = bottom;
    while (from <= top) {
      RegexMatch found;
      // A start at the very end of a window is never reported partial: the window takes one more.
      const Step step = FirstIn(data, from, std::min(top + 1, end), end, false, found);
      if (step == Step::Failed) return Result::Failed;
      if (step == Step::None || found.pos - 1 > top) break;
      any = true;
      best = found;
      bestGroups = groups_;
      from = found.pos;  // the next start after this one
    }
    if (any) {
      groups_ = std::move(bestGroups);
      match = best;
      if (progress != nullptr && match.pos + match.length - 1 <= progress->due) {
        progress->Report(match.pos + match.length - 1, abort);
      }
      return abort ? Result::Aborted : Result::Found;
    }
    if (progress != nullptr && bottom <= progress->due) {
      progress->Report(bottom, abort);
      if (abort) return Result::Aborted;
    }
    top = bottom - 1;
    width = std::min(width * 2, window_);
  }
  return Result::NotFound;
}

int TRegexSearch::GroupAt(std::string_view text, size_t i, size_t& consumed) const {
  if (i >= text.size()) return -1;
  uint32_t count = 0;
  if (compiled_) pcre2_pattern_info(Code(code_), PCRE2_INFO_CAPTURECOUNT, &count);
  if (text[i] >= '0' && text[i] <= '9') {
    consumed = 1;
    const int n = text[i] - '0';
    return static_cast<uint32_t>(n) <= count ? n : -2;
  }
  if (text[i] != '{') return -1;
  const size_t close = text.find('}', i + 1);
  if (close == std::string_view::npos || close == i + 1) return -1;
  consumed = close - i + 1;
  const std::string name(text.substr(i + 1, close - i - 1));
  if (std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    if (name.size() > 6) return -2;
    const int n = std::stoi(name);
    return static_cast<uint32_t>(n) <= count ? n : -2;
  }
  if (!compiled_) return -2;
  const int n = pcre2_substring_number_from_name(Code(code_), reinterpret_cast<PCRE2_SPTR>(name.c_str()));
  return n >= 0 ? n : -2;
}

std::string TRegexSearch::Expand(std::string_view replacement, const uint8_t* data) const {
  std::string out;
  for (size_t i = 0; i < replacement.size(); ++i) {
    if (replacement[i] != '$') {
      out += replacement[i];
      continue;
    }
    if (i + 1 < replacement.size() && replacement[i + 1] == '$') {
      out += '$';
      ++i;
      continue;
    }
    size_t consumed = 0;
    const int group = GroupAt(replacement, i + 1, consumed);
    if (group == -1) {
      out += '$';
      continue;
    }
    i += consumed;
    const auto at = static_cast<size_t>(group) * 2;
    if (group >= 0 && at + 1 < groups_.size() && groups_[at] >= 0 && groups_[at + 1] > groups_[at]) {
      out.append(reinterpret_cast<const char*>(data) + groups_[at], static_cast<size_t>(groups_[at + 1] - groups_[at]));
    }
  }
  return out;
}

std::string TRegexSearch::CheckReplacement(std::string_view replacement) const {
  for (size_t i = 0; i < replacement.size(); ++i) {
    if (replacement[i] != '$') continue;
    if (i + 1 < replacement.size() && replacement[i + 1] == '$') {
      ++i;
      continue;
    }
    size_t consumed = 0;
    if (GroupAt(replacement, i + 1, consumed) == -2) {
      return "The replacement names a group the regular expression does not have: " +
             std::string(replacement.substr(i, consumed + 1));
    }
    i += consumed;
  }
  return {};
}

}  // namespace quoxa
