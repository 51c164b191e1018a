// The regular expression matcher over arbitrary bytes with a fixed set of patterns: the matches
// found window by window (and, for a pattern with a plain prefix, only where the literal scanner
// finds it) must be the ones found in one piece, forwards and backwards, and a pattern that can
// match empty must end.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "search/RegexSearch.h"

namespace {

const char* const kPatterns[] = {"a+b", "x*", "(\\w+)@(\\w+)", "^\\d+$", "(?m)^ab", "[\\x80-\\xff]{2,}",
                                 "(?<=a)b|\\b", "(a|ab)(c|bcd)(d*)", "(*UTF)\\x{e9}+", "\\Ka",
                                 "ab[a-c]?", "aab*", "ab\\b", "abc?", "ba(?=a)"};

std::vector<std::pair<int64_t, int64_t>> All(quoxa::TRegexSearch& re, const uint8_t* data, int64_t size) {
  std::vector<std::pair<int64_t, int64_t>> found;
  int64_t pos = 1;
  bool notEmpty = false;
  bool abort = false;
  quoxa::RegexMatch m;
  while (re.Forward(data, size, pos, notEmpty, nullptr, abort, m) == quoxa::TRegexSearch::Result::Found) {
    found.emplace_back(m.pos, m.length);
    pos = m.pos + m.length;
    notEmpty = m.length == 0;
  }
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int64_t window = 1 + data[0] % 17;
  ++data;
  --size;
  const auto n = static_cast<int64_t>(size);
  for (const char* pattern : kPatterns) {
    quoxa::TRegexSearch whole;
    whole.SetPrefixFilter(false);
    quoxa::TRegexSearch windowed;
    windowed.SetWindow(window);
    if (!whole.Prepare(pattern, true) || !windowed.Prepare(pattern, true)) std::abort();
    if (All(whole, data, n) != All(windowed, data, n)) std::abort();
    bool abort = false;
    quoxa::RegexMatch a;
    quoxa::RegexMatch b;
    const auto ra = whole.Backward(data, n, 1, nullptr, abort, a);
    const auto rb = windowed.Backward(data, n, 1, nullptr, abort, b);
    if (ra != rb || (ra == quoxa::TRegexSearch::Result::Found && (a.pos != b.pos || a.length != b.length))) {
      std::abort();
    }
  }
  return 0;
}
