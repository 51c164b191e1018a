#include "search/QSearch.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/CodePage.h"

namespace quoxa {

TQSearch::TQSearch() {
  for (int b = 0; b < 256; ++b) {
    const uint8_t upper = AnsiUpper(static_cast<uint8_t>(b));
    upperMap_[static_cast<size_t>(b)] = upper;
    sameUpper_[upper].push_back(static_cast<uint8_t>(b));
  }
}

template <bool kCase, bool kJoker>
bool TQSearch::CompareWindow(const uint8_t* window) const {
  const auto* p = reinterpret_cast<const uint8_t*>(pattern_.data());
  if constexpr (kCase && !kJoker) {
    return std::memcmp(window, p, static_cast<size_t>(length_)) == 0;
  } else {
    const auto* upper = reinterpret_cast<const uint8_t*>(upperPattern_.data());
    for (int32_t i = length_ - 1; i >= 0; --i) {
      if (kJoker && p[i] == jokerByte_) continue;
      const bool same = kCase ? window[i] == p[i] : upperMap_[window[i]] == upper[i];
      if (!same) return false;
    }
    return true;
  }
}

bool TQSearch::Matches(uint8_t x, int32_t i) const {
  const auto p = static_cast<uint8_t>(pattern_[static_cast<size_t>(i)]);
  if (jokerEnabled_ && p == jokerByte_) return true;
  return caseSensitive_ ? x == p : upperMap_[x] == static_cast<uint8_t>(upperPattern_[static_cast<size_t>(i)]);
}

bool TQSearch::NeedsPrepare(std::string_view pattern, const SearchOptions& options) const {
  return compare_ == nullptr || pattern != pattern_ || options.caseSensitive != caseSensitive_ ||
         options.jokerEnabled != jokerEnabled_ || options.jokerByte != jokerByte_;
}

void TQSearch::Prepare(std::string_view pattern, const SearchOptions& options) {
  pattern_.assign(pattern);
  length_ = static_cast<int32_t>(std::min<size_t>(pattern.size(), INT32_MAX));
  caseSensitive_ = options.caseSensitive;
  jokerEnabled_ = options.jokerEnabled;
  jokerByte_ = options.jokerByte;
  upperPattern_.clear();
  if (!caseSensitive_) {
    upperPattern_.resize(pattern_.size());
    for (size_t i = 0; i < pattern_.size(); ++i) {
      upperPattern_[i] = static_cast<char>(upperMap_[static_cast<uint8_t>(pattern_[i])]);
    }
  }
  if (caseSensitive_) {
    compare_ = jokerEnabled_ ? &TQSearch::CompareWindow<true, true> : &TQSearch::CompareWindow<true, false>;
  } else {
    compare_ = jokerEnabled_ ? &TQSearch::CompareWindow<false, true> : &TQSearch::CompareWindow<false, false>;
  }
  BuildForwardShift();
  BuildBackwardShift();
  BuildFilter();
  ++prepareCount_;
}

void TQSearch::BuildForwardShift() {
  const int64_t m = length_;
  int64_t d = m + 1;
  if (jokerEnabled_) {
    const size_t last = pattern_.rfind(static_cast<char>(jokerByte_));
    if (last != std::string::npos) d = m - static_cast<int64_t>(last);
  }
  forwardShift_.fill(static_cast<int32_t>(std::min<int64_t>(d, INT32_MAX)));
  for (int64_t i = 0; i < m; ++i) {
    if (m - i >= d) continue;
    const auto p = static_cast<uint8_t>(pattern_[static_cast<size_t>(i)]);
    const auto shift = static_cast<int32_t>(m - i);
    if (caseSensitive_) {
      forwardShift_[p] = shift;
    } else {
      forwardShift_[AnsiUpper(p)] = shift;
      forwardShift_[AnsiLower(p)] = shift;
    }
  }
}

void TQSearch::BuildBackwardShift() {
  const int64_t m = length_;
  int64_t d = m + 1;
  if (jokerEnabled_) {
    const size_t first = pattern_.find(static_cast<char>(jokerByte_));
    if (first != std::string::npos) d = static_cast<int64_t>(first) + 1;
  }
  backwardShift_.fill(static_cast<int32_t>(std::min<int64_t>(d, INT32_MAX)));
  for (int64_t k = m; k >= 1; --k) {
    if (k >= d) continue;
    const auto p = static_cast<uint8_t>(pattern_[static_cast<size_t>(k - 1)]);
    const auto shift = static_cast<int32_t>(k);
    if (caseSensitive_) {
      backwardShift_[p] = shift;
    } else {
      backwardShift_[AnsiUpper(p)] = shift;
      backwardShift_[AnsiLower(p)] = shift;
    }
  }
}

bool TQSearch::ByteClass(int32_t i, uint8_t& a, uint8_t& b) const {
  const auto p = static_cast<uint8_t>(pattern_[static_cast<size_t>(i)]);
  if (jokerEnabled_ && p == jokerByte_) return false;
  if (caseSensitive_) {
    a = b = p;
    return true;
  }
  const std::vector<uint8_t>& same = sameUpper_[static_cast<uint8_t>(upperPattern_[static_cast<size_t>(i)])];
  if (same.empty() || same.size() > 2) return false;
  a = same.front();
  b = same.back();
  return true;
}

void TQSearch::BuildFilter() {
  filter_ = WindowFilter{};
  // The rarest position first; the second one a few bytes away from it where the pattern
  // allows, since neighbouring bytes tend to come in pairs.
  // Commonness works like a rank, so a pair of cases is about as rare as its commoner member.
  auto score = [](uint8_t a, uint8_t b) {
    return a == b ? ByteCommonness(a) : std::max(ByteCommonness(a), ByteCommonness(b)) + 10;
  };
  int32_t best = -1;
  int bestScore = INT_MAX;
  uint8_t a = 0;
  uint8_t b = 0;
  for (int32_t i = 0; i < length_; ++i) {
    if (!ByteClass(i, a, b)) continue;
    const int s = score(a, b);
    if (s <= bestScore) {
      best = i;
      bestScore = s;
      filter_.first = {i, a, b};
    }
  }
  if (best < 0) return;
  filter_.usable = true;
  filter_.second = filter_.first;
  for (int32_t distance : {std::min<int32_t>(4, std::max(best, length_ - 1 - best)), 1}) {
    int secondScore = INT_MAX;
    for (int32_t i = 0; i < length_; ++i) {
      if (i == best || std::abs(i - best) < distance || !ByteClass(i, a, b)) continue;
      const int s = score(a, b);
      if (s <= secondScore) {
        secondScore = s;
        filter_.second = {i, a, b};
      }
    }
    if (secondScore != INT_MAX) break;
  }
}

int64_t TQSearch::PlainFirst(const uint8_t* data, int64_t from, int64_t to) const {
  for (int64_t s = from; s <= to;) {
    if ((this->*compare_)(data + s)) return s;
    if (s == to) break;
    s += forwardShift_[data[s + length_]];
  }
  return -1;
}

int64_t TQSearch::PlainLast(const uint8_t* data, int64_t from, int64_t to) const {
  for (int64_t s = to; s >= from;) {
    if ((this->*compare_)(data + s)) return s;
    if (s == from) break;
    s -= backwardShift_[data[s - 1]];
  }
  return -1;
}

int64_t TQSearch::FirstMatch(const uint8_t* data, int64_t from, int64_t to) const {
  int64_t passed = 0;
  int64_t since = from;
  while (from <= to) {
    const int64_t candidate = NextCandidate(data, from, to, filter_);
    if (candidate < 0) return -1;
    if ((this->*compare_)(data + candidate)) return candidate;
    from = candidate + 1;
    if (++passed < tuning_.denseCheck) continue;
    if (from - since < passed * tuning_.denseSpacing) {
      const int64_t stop = std::min(to, from + tuning_.denseRun);
      const int64_t found = PlainFirst(data, from, stop);
      if (found >= 0) return found;
      from = stop + 1;
    }
    passed = 0;
    since = from;
  }
  return -1;
}

int64_t TQSearch::LastMatch(const uint8_t* data, int64_t from, int64_t to) const {
  int64_t passed = 0;
  int64_t since = to;
  while (from <= to) {
    const int64_t candidate = PrevCandidate(data, from, to, filter_);
    if (candidate < 0) return -1;
    if ((this->*compare_)(data + candidate)) return candidate;
    to = candidate - 1;
    if (++passed < tuning_.denseCheck) continue;
    if (since - to < passed * tuning_.denseSpacing) {
      const int64_t stop = std::max(from, to - tuning_.denseRun);
      const int64_t found = PlainLast(data, stop, to);
      if (found >= 0) return found;
      to = stop - 1;
    }
    passed = 0;
    since = to;
  }
  return -1;
}

int64_t TQSearch::SearchForward(std::string_view pattern, const uint8_t* data, int64_t size, int64_t start,
                                int64_t limit, const SearchOptions& options, SearchProgress* progress, bool& abort) {
  abort = false;
  if (pattern.empty()) return kEmptyPattern;
  if (pattern.size() > static_cast<size_t>(INT32_MAX)) return kNotFound;
  if (NeedsPrepare(pattern, options)) Prepare(pattern, options);
  if (data == nullptr || size <= 0) return kNotFound;
  const int64_t m = length_;
  const int64_t hi = std::min(limit, size);
  int64_t e = std::max<int64_t>(start, 1) + m - 1;  // window end; the window is e - m + 1 .. e
  while (e <= hi) {
    if (tuning_.accelerated && filter_.usable && (progress == nullptr || progress->due > e)) {
      // Windows ending before the next due report need no step-by-step walk.
      const int64_t quietEnd = progress == nullptr ? hi : std::min(hi, progress->due - 1);
      if (quietEnd - e + 1 >= tuning_.minStretch) {
        const int64_t found = FirstMatch(data, e - m, quietEnd - m);
        if (found >= 0) return found + 1;
        e = quietEnd + 1;
        if (e > hi) break;
        if (progress != nullptr && e >= progress->due) {
          progress->Report(e, abort);
          if (abort) return kNotFound;
        }
        continue;
      }
    }
    if ((this->*compare_)(data + (e - m))) {
      if (progress != nullptr && e >= progress->due) progress->Report(e, abort);
      return abort ? kNotFound : e - m + 1;
    }
    if (e == hi) break;
    e += forwardShift_[data[e]];  // the byte after the window, position e + 1
    if (progress != nullptr && e >= progress->due) {
      progress->Report(e, abort);
      if (abort) return kNotFound;
    }
  }
  return kNotFound;
}

int64_t TQSearch::SearchBackward(std::string_view pattern, const uint8_t* data, int64_t size, int64_t end,
                                 int64_t lowest, const SearchOptions& options, SearchProgress* progress, bool& abort) {
  abort = false;
  if (pattern.empty()) return kEmptyPattern;
  if (pattern.size() > static_cast<size_t>(INT32_MAX)) return kNotFound;
  if (NeedsPrepare(pattern, options)) Prepare(pattern, options);
  if (data == nullptr || size <= 0) return kNotFound;
  const int64_t m = length_;
  const int64_t lo = std::max<int64_t>(lowest, 1);
  int64_t e = std::min(end, size);
  while (e - m + 1 >= lo) {
    if (tuning_.accelerated && filter_.usable && (progress == nullptr || progress->due < e)) {
      const int64_t quietEnd = progress == nullptr ? lo + m - 1 : std::max(lo + m - 1, progress->due + 1);
      if (e - quietEnd + 1 >= tuning_.minStretch) {
        const int64_t found = LastMatch(data, quietEnd - m, e - m);
        if (found >= 0) return found + 1;
        e = quietEnd - 1;
        if (e - m + 1 < lo) break;
        if (progress != nullptr && e <= progress->due) {
          progress->Report(e, abort);
          if (abort) return kNotFound;
        }
        continue;
      }
    }
    if ((this->*compare_)(data + (e - m))) {
      if (progress != nullptr && e <= progress->due) progress->Report(e, abort);
      return abort ? kNotFound : e - m + 1;
    }
    if (e - m + 1 == 1) break;
    e -= backwardShift_[data[e - m - 1]];  // the byte before the window, position e - m
    if (progress != nullptr && e <= progress->due) {
      progress->Report(e, abort);
      if (abort) return kNotFound;
    }
  }
  return kNotFound;
}

}  // namespace quoxa
