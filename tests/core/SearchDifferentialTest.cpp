// The scanner and the count against a naive scan over random documents, patterns and options.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/CodePage.h"
#include "core/DocState.h"
#include "search/QSearch.h"
#include "search/SearchEngine.h"
#include "search/SearchState.h"
#include "search/WindowFilter.h"

namespace quoxa {
namespace {

// Alphabets small enough that matches happen, some with letters in both cases and with
// bytes that fold outside ASCII (é/É, ÿ/Ÿ).
const std::string kAlphabets[] = {"ab", "aAb", "ab.", "aAbB.", "\xE9\xC9\xFF\x9F" "a", std::string("a\0b", 3)};

bool ByteMatches(uint8_t x, uint8_t p, const SearchOptions& o) {
  if (o.jokerEnabled && p == o.jokerByte) return true;
  return o.caseSensitive ? x == p : AnsiUpper(x) == AnsiUpper(p);
}

bool MatchesAt(const std::string& data, int64_t pos, const std::string& pattern, const SearchOptions& o) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (!ByteMatches(static_cast<uint8_t>(data[static_cast<size_t>(pos - 1) + i]), static_cast<uint8_t>(pattern[i]), o)) {
      return false;
    }
  }
  return true;
}

int64_t NaiveForward(const std::string& data, const std::string& pattern, int64_t start, int64_t limit,
                     const SearchOptions& o) {
  if (pattern.empty()) return -2;
  const auto m = static_cast<int64_t>(pattern.size());
  const int64_t hi = std::min<int64_t>(limit, static_cast<int64_t>(data.size()));
  for (int64_t s = std::max<int64_t>(start, 1); s + m - 1 <= hi; ++s) {
    if (MatchesAt(data, s, pattern, o)) return static_cast<int64_t>(s);
  }
  return -1;
}

int64_t NaiveBackward(const std::string& data, const std::string& pattern, int64_t end, int64_t lowest,
                      const SearchOptions& o) {
  if (pattern.empty()) return -2;
  const auto m = static_cast<int64_t>(pattern.size());
  const int64_t lo = std::max<int64_t>(lowest, 1);
  for (int64_t s = std::min<int64_t>(end, static_cast<int64_t>(data.size())) - m + 1; s >= lo; --s) {
    if (MatchesAt(data, s, pattern, o)) return static_cast<int64_t>(s);
  }
  return -1;
}

int64_t NaiveCount(const std::string& data, const std::string& pattern, bool down, int64_t start,
                   const SearchOptions& o) {
  int64_t count = 0;
  int64_t pos = start;
  for (;;) {
    const int64_t found = down ? NaiveForward(data, pattern, pos, static_cast<int64_t>(data.size()), o)
                               : NaiveBackward(data, pattern, pos, 1, o);
    if (found <= 0) return count;
    ++count;
    pos = down ? found + static_cast<int64_t>(pattern.size()) : found - 1;
  }
}

std::string RandomText(std::mt19937& rng, const std::string& alphabet, size_t length) {
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::string text(length, '\0');
  for (char& ch : text) ch = alphabet[pick(rng)];
  return text;
}

SearchOptions RandomOptions(std::mt19937& rng, const std::string& alphabet) {
  SearchOptions o;
  o.caseSensitive = rng() % 2 == 0;
  o.jokerEnabled = rng() % 3 == 0;
  o.jokerByte = static_cast<uint8_t>(rng() % 2 == 0 ? '.' : alphabet[rng() % alphabet.size()]);
  return o;
}

// Asks for a report at random distances, and sometimes at every window end.
class RandomDue final : public SearchProgress {
 public:
  RandomDue(std::mt19937& rng, bool forward) : rng_(rng), forward_(forward) { due = forward ? 0 : INT64_MAX; }
  void Report(int64_t windowEnd, bool&) override {
    const int64_t step = rng_() % 4 == 0 ? 0 : static_cast<int64_t>(rng_() % 200);
    due = forward_ ? windowEnd + step : windowEnd - step;
  }

 private:
  std::mt19937& rng_;
  bool forward_;
};

TEST(SearchDifferential, ScansAgreeWithANaiveScan) {
  std::mt19937 rng(20240607);
  TQSearch searcher;
  for (int round = 0; round < 6000; ++round) {
    const std::string& alphabet = kAlphabets[static_cast<size_t>(round) % std::size(kAlphabets)];
    const size_t size = round % 10 == 0 ? rng() % 4000 : rng() % 200;
    const std::string data = RandomText(rng, alphabet, size);
    const size_t m = round % 7 == 0 ? 1 + rng() % 40 : rng() % 6;
    // Half of the patterns are cut from the data, so that long ones match too.
    std::string pattern = RandomText(rng, alphabet, m);
    if (round % 2 == 0 && m <= size && m > 0) pattern = data.substr(rng() % (size - m + 1), m);
    const SearchOptions o = RandomOptions(rng, alphabet);
    const auto n = static_cast<int64_t>(size);
    const auto start = static_cast<int64_t>(rng() % (size + 6)) - 2;
    const auto limit = round % 3 == 0 ? n : static_cast<int64_t>(rng() % (size + 6)) - 2;
    const auto end = round % 3 == 0 ? n : static_cast<int64_t>(rng() % (size + 6)) - 2;
    const auto lowest = round % 3 == 0 ? 1 : static_cast<int64_t>(rng() % (size + 6)) - 2;
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    const int64_t expectedForward = NaiveForward(data, pattern, start, limit, o);
    const int64_t expectedBackward = NaiveBackward(data, pattern, end, lowest, o);
    for (int variant = 0; variant < 8; ++variant) {
      // 0 plain, 1 accelerated, 2 accelerated with 16-byte vectors, 3 hand-overs between
      // the pre-filter and the plain shifts moved to random places; 4..7 the same with progress.
      TQSearch::Tuning tuning;
      tuning.accelerated = variant % 4 != 0;
      if (variant % 4 == 3) {
        tuning.minStretch = 1 + static_cast<int64_t>(rng() % 40);
        tuning.denseCheck = 1 + static_cast<int64_t>(rng() % 4);
        tuning.denseSpacing = 1 + static_cast<int64_t>(rng() % 64);
        tuning.denseRun = static_cast<int64_t>(rng() % 12);
      }
      searcher.SetTuning(tuning);
      UseWideVectors(variant % 4 != 2);
      RandomDue forwardDue(rng, true);
      RandomDue backwardDue(rng, false);
      const bool withProgress = variant >= 4;
      bool abort = false;
      EXPECT_EQ(searcher.SearchForward(pattern, bytes, n, start, limit, o, withProgress ? &forwardDue : nullptr, abort),
                expectedForward)
          << "round " << round << " variant " << variant << " start " << start << " limit " << limit;
      EXPECT_EQ(searcher.SearchBackward(pattern, bytes, n, end, lowest, o, withProgress ? &backwardDue : nullptr, abort),
                expectedBackward)
          << "round " << round << " variant " << variant << " end " << end << " lowest " << lowest;
      if (HasFailure()) break;
    }
    UseWideVectors(true);
    if (HasFailure()) return;
  }
}

TEST(SearchDifferential, CountsAgreeWithANaiveCount) {
  std::mt19937 rng(4711);
  for (int round = 0; round < 1500; ++round) {
    test::RecorderScope rec;
    const std::string& alphabet = kAlphabets[static_cast<size_t>(round) % std::size(kAlphabets)];
    const size_t size = 1 + (round % 10 == 0 ? rng() % 3000 : rng() % 150);
    const std::string data = RandomText(rng, alphabet, size);
    test::LoadDocument(data);
    SearchState& s = Search();
    s.FindString = RandomText(rng, alphabet, 1 + rng() % 4);
    const SearchOptions o = RandomOptions(rng, alphabet);
    s.CaseSensitive = o.caseSensitive;
    s.JokerEnabled = o.jokerEnabled;
    s.JokerByte = o.jokerByte;
    const bool down = rng() % 2 == 0;
    const auto start = static_cast<int64_t>(1 + rng() % size);
    const CountResult counted = CountOccurrences(down, start);
    EXPECT_TRUE(counted.completed);
    EXPECT_EQ(counted.count, NaiveCount(data, s.FindString, down, start, o))
        << "round " << round << (down ? " down" : " up") << " from " << start;
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace quoxa
