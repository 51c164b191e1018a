#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CodePage.h"
#include "search/QSearch.h"

namespace quoxa {
namespace {

const SearchOptions kExact{true, false, 0x2E};
const SearchOptions kNoCase{false, false, 0x2E};
const SearchOptions kJoker{true, true, 0x2E};
const SearchOptions kJokerNoCase{false, true, 0x2E};

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }
int64_t Size(const std::string& s) { return static_cast<int64_t>(s.size()); }

// Records every report and asks to hear of every later window end, and of a find at the same one.
class EveryShift final : public SearchProgress {
 public:
  explicit EveryShift(bool forward, int abortAt = -1) : abortAt_(abortAt) {
    due = forward ? INT64_MIN : INT64_MAX;
  }
  void Report(int64_t windowEnd, bool& abort) override {
    ends.push_back(windowEnd);
    if (static_cast<int>(ends.size()) == abortAt_) abort = true;
    due = windowEnd;
  }
  std::vector<int64_t> ends;

 private:
  int abortAt_;
};

// Runs each scan test once with the plain scan and once with the accelerated one.
class Scan : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { searcher.SetAccelerated(GetParam()); }

  int64_t Forward(const std::string& pattern, const std::string& data, int64_t start, int64_t limit,
                  const SearchOptions& options = kExact) {
    bool abort = false;
    return searcher.SearchForward(pattern, Bytes(data), Size(data), start, limit, options, nullptr, abort);
  }
  int64_t Forward(const std::string& pattern, const std::string& data, const SearchOptions& options = kExact) {
    return Forward(pattern, data, 1, Size(data), options);
  }
  int64_t Backward(const std::string& pattern, const std::string& data, int64_t end, int64_t lowest,
                   const SearchOptions& options = kExact) {
    bool abort = false;
    return searcher.SearchBackward(pattern, Bytes(data), Size(data), end, lowest, options, nullptr, abort);
  }
  int64_t Backward(const std::string& pattern, const std::string& data, const SearchOptions& options = kExact) {
    return Backward(pattern, data, Size(data), 1, options);
  }

  TQSearch searcher;
};

INSTANTIATE_TEST_SUITE_P(PlainAndAccelerated, Scan, ::testing::Bool());

TEST(QSearchTables, UpperMapIsTheCodePageUpperCasing) {
  TQSearch s;
  for (int b = 0; b < 256; ++b) EXPECT_EQ(s.UpperMap()[b], AnsiUpper(static_cast<uint8_t>(b))) << b;
  EXPECT_EQ(s.UpperMap()['a'], 'A');
  EXPECT_EQ(s.UpperMap()['A'], 'A');
  EXPECT_EQ(s.UpperMap()[0xE9], 0xC9);  // é
  EXPECT_EQ(s.UpperMap()[0xFF], 0x9F);  // ÿ
  EXPECT_EQ(s.UpperMap()[0xDF], 0xDF);  // ß has no single upper-case byte
  EXPECT_EQ(s.UpperMap()[0xF7], 0xF7);  // ÷
}

TEST(QSearchTables, EveryByteThatFoldsLikeAnotherIsItsUpperOrLowerCase) {
  // The case-insensitive shift tables give entries only to the upper- and lower-casing of a
  // pattern byte; this is what keeps them from skipping a match.
  TQSearch s;
  for (int b = 0; b < 256; ++b) {
    for (int x = 0; x < 256; ++x) {
      if (s.UpperMap()[x] != s.UpperMap()[b]) continue;
      EXPECT_TRUE(x == AnsiUpper(static_cast<uint8_t>(b)) || x == AnsiLower(static_cast<uint8_t>(b))) << b << " " << x;
    }
  }
}

TEST(QSearchTables, CompareRoutines) {
  TQSearch s;
  s.Prepare("a.C", kNoCase);
  EXPECT_TRUE(s.Matches('A', 0));
  EXPECT_TRUE(s.Matches('a', 0));
  EXPECT_TRUE(s.Matches('.', 1));
  EXPECT_FALSE(s.Matches('x', 1));
  EXPECT_TRUE(s.Matches('c', 2));
  EXPECT_FALSE(s.Matches('d', 2));

  s.Prepare("a.C", kJokerNoCase);
  EXPECT_TRUE(s.Matches('x', 1));
  EXPECT_TRUE(s.Matches(0x00, 1));
  EXPECT_TRUE(s.Matches('c', 2));
  EXPECT_FALSE(s.Matches('x', 0));

  s.Prepare("a.C", kExact);
  EXPECT_TRUE(s.Matches('a', 0));
  EXPECT_FALSE(s.Matches('A', 0));
  EXPECT_FALSE(s.Matches('c', 2));
  EXPECT_TRUE(s.Matches('C', 2));
  EXPECT_FALSE(s.Matches('x', 1));

  s.Prepare("a.C", kJoker);
  EXPECT_TRUE(s.Matches('x', 1));
  EXPECT_FALSE(s.Matches('A', 0));

  // A letter as joker: only that very byte is a joker; its other case is a folded pattern byte.
  s.Prepare("aXA", {false, true, 'a'});
  EXPECT_TRUE(s.Matches('z', 0));
  EXPECT_TRUE(s.Matches('a', 2));
  EXPECT_TRUE(s.Matches('A', 2));
  EXPECT_FALSE(s.Matches('z', 2));
  EXPECT_TRUE(s.Matches('x', 1));
}

// Forward shifts keep a byte's rightmost occurrence, backward ones its leftmost; a byte not in the
// pattern shifts by its length + 1; the last joker (forward) or the first (backward) caps every
// shift; without case, both cases of a letter share one shift.
TEST(QSearchTables, ShiftsByTheNearestOccurrenceAndTheJoker) {
  const struct {
    const char* pattern;
    SearchOptions options;
    bool forward;
    const char* bytes;
    std::vector<int> shifts;  // of each of bytes
  } cases[] = {
      {"abcab", kExact, true, "abcAz", {2, 1, 3, 6, 6}},
      {"aB", kNoCase, true, "aAbBc", {2, 2, 1, 1, 3}},
      {"\xE9z", kNoCase, true, "\xE9\xC9", {2, 2}},  // é, É
      {"ab.cd", kJoker, true, "zab.cd", {3, 3, 3, 3, 2, 1}},
      {"ab.cd", kExact, true, "z.", {6, 3}},  // joker off: the full stop is an ordinary byte
      {"abcab", kExact, false, "abcz", {1, 2, 3, 6}},
      {"ab.cd", kJoker, false, "zabcd", {3, 1, 2, 3, 3}},
      {"Ab", kNoCase, false, "aABx", {1, 1, 2, 3}},
  };
  TQSearch s;
  for (const auto& c : cases) {
    s.Prepare(c.pattern, c.options);
    const auto& shift = c.forward ? s.ForwardShift() : s.BackwardShift();
    for (size_t i = 0; i < c.shifts.size(); ++i) {
      EXPECT_EQ(shift[static_cast<uint8_t>(c.bytes[i])], c.shifts[i])
          << c.pattern << (c.forward ? " forward, byte " : " backward, byte ") << c.bytes[i];
    }
  }
  s.Prepare("a.b.", kJoker);  // the last joker counts
  for (int b = 0; b < 256; ++b) EXPECT_EQ(s.ForwardShift()[b], 1) << b;
}

TEST(QSearchTables, TablesAreRebuiltOnlyWhenPatternOrOptionsChange) {
  TQSearch s;
  const std::string data = "xxabcxx";
  bool abort = false;
  EXPECT_EQ(s.PrepareCount(), 0);
  s.SearchForward("abc", Bytes(data), Size(data), 1, Size(data), kExact, nullptr, abort);
  EXPECT_EQ(s.PrepareCount(), 1);
  s.SearchForward("abc", Bytes(data), Size(data), 2, Size(data), kExact, nullptr, abort);
  s.SearchBackward("abc", Bytes(data), Size(data), Size(data), 1, kExact, nullptr, abort);
  EXPECT_EQ(s.PrepareCount(), 1);
  s.SearchForward("abd", Bytes(data), Size(data), 1, Size(data), kExact, nullptr, abort);
  EXPECT_EQ(s.PrepareCount(), 2);
  s.SearchForward("abd", Bytes(data), Size(data), 1, Size(data), kNoCase, nullptr, abort);
  EXPECT_EQ(s.PrepareCount(), 3);
  s.SearchForward("abd", Bytes(data), Size(data), 1, Size(data), kJokerNoCase, nullptr, abort);
  EXPECT_EQ(s.PrepareCount(), 4);
  s.SearchForward("abd", Bytes(data), Size(data), 1, Size(data), {false, true, 'b'}, nullptr, abort);
  EXPECT_EQ(s.PrepareCount(), 5);
  s.SearchForward("", Bytes(data), Size(data), 1, Size(data), kExact, nullptr, abort);
  EXPECT_EQ(s.PrepareCount(), 5);
}

TEST_P(Scan, CaseInsensitiveFindsEveryCasing) {
  EXPECT_EQ(Forward("abc", "xxABCx", kNoCase), 3);
  EXPECT_EQ(Forward("abc", "xxaBcx", kNoCase), 3);
  EXPECT_EQ(Forward("abc", "xxABCxabc", kExact), 7);
  EXPECT_EQ(Forward("abc", "xxABCxaBc", kExact), -1);
  EXPECT_EQ(Backward("abc", "abcxABCx", kNoCase), 5);
  EXPECT_EQ(Backward("abc", "abcxABCx", kExact), 1);
  EXPECT_EQ(Forward("\xE9t\xE9", "xx\xC9T\xC9", kNoCase), 3);
}

TEST_P(Scan, JokerMatchesAnyByte) {
  EXPECT_EQ(Forward("a.c", "xxabcx", kJoker), 3);
  EXPECT_EQ(Forward("a.c", "xxa.cx", kJoker), 3);
  EXPECT_EQ(Forward("a.c", "xxabcxa.c", kExact), 7);
  EXPECT_EQ(Forward("a.c", "xxa\xFF" "c", kJoker), 3);
  EXPECT_EQ(Backward("a.c", "abca.cx", kJoker), 4);
  EXPECT_EQ(Backward("a.c", "a.cabcx", kExact), 1);
  EXPECT_EQ(Forward("a.C", "xxA.c", kJokerNoCase), 3);
}

TEST_P(Scan, APatternOfJokersMatchesAtTheStart) {
  EXPECT_EQ(Forward("...", "abcdef", 2, 6, kJoker), 2);
  EXPECT_EQ(Backward("...", "abcdef", 5, 1, kJoker), 3);
  EXPECT_EQ(Forward("...", "ab", kJoker), -1);
}

TEST_P(Scan, OccurrencesRightAfterEachOther) {
  EXPECT_EQ(Forward("AB", "ABAB", 1, 4), 1);
  EXPECT_EQ(Forward("AB", "ABAB", 2, 4), 3);
  EXPECT_EQ(Backward("AB", "ABAB", 4, 1), 3);
  EXPECT_EQ(Backward("AB", "ABAB", 3, 1), 1);
}

TEST_P(Scan, PatternLengthAgainstTheDocument) {
  EXPECT_EQ(Forward("abcd", "abc"), -1);
  EXPECT_EQ(Backward("abcd", "abc"), -1);
  EXPECT_EQ(Forward("abc", "abc"), 1);
  EXPECT_EQ(Backward("abc", "abc"), 1);
}

TEST_P(Scan, TheRangeEndsAreExact) {
  const std::string data = "xxxxabc";
  EXPECT_EQ(Forward("abc", data), 5);          // ends on the last byte
  EXPECT_EQ(Forward("abc", data, 1, 6), -1);   // would need one byte more
  EXPECT_EQ(Forward("abc", data, 5, 7), 5);    // starts exactly at start
  EXPECT_EQ(Forward("abc", data, 6, 7), -1);
  EXPECT_EQ(Backward("abc", data, 7, 5), 5);   // starts exactly at lowest
  EXPECT_EQ(Backward("abc", data, 7, 6), -1);
  EXPECT_EQ(Backward("abc", data, 6, 1), -1);  // ends one after end
  EXPECT_EQ(Backward("abc", "abcxxxx", 3, 1), 1);
}

TEST_P(Scan, RangesOutsideTheDataAreCut) {
  const std::string data = "abcxxabc";
  EXPECT_EQ(Forward("abc", data, -5, 100), 1);
  EXPECT_EQ(Forward("abc", data, 2, 100), 6);
  EXPECT_EQ(Forward("abc", data, 7, 3), -1);
  EXPECT_EQ(Backward("abc", data, 100, -5), 6);
  EXPECT_EQ(Backward("abc", data, 0, 1), -1);
  bool abort = false;
  EXPECT_EQ(searcher.SearchForward("abc", nullptr, 0, 1, 0, kExact, nullptr, abort), -1);
  EXPECT_EQ(searcher.SearchBackward("abc", nullptr, 0, 0, 1, kExact, nullptr, abort), -1);
}

TEST_P(Scan, EmptyPatternGivesMinusTwo) {
  EXPECT_EQ(Forward("", "abc"), -2);
  EXPECT_EQ(Backward("", "abc"), -2);
  bool abort = false;
  EXPECT_EQ(searcher.SearchForward("", nullptr, 0, 1, 0, kExact, nullptr, abort), -2);
}

TEST_P(Scan, ProgressIsReportedAfterEveryShiftAndOnTheFind) {
  // Windows end at 3 (mismatch, the byte after it shifts by 4), 7 (shift 2), 9 (found).
  const std::string data = "zzzzzzabc";
  EveryShift progress(true);
  bool abort = false;
  EXPECT_EQ(searcher.SearchForward("abc", Bytes(data), Size(data), 1, Size(data), kExact, &progress, abort), 7);
  EXPECT_FALSE(abort);
  EXPECT_EQ(progress.ends, (std::vector<int64_t>{7, 9, 9}));

  // Backward: ends at 9 (the byte before the window, 'z', shifts by 4), 5 ('b': 2), 3 (found).
  const std::string up = "abczzzzzz";
  EveryShift back(false);
  EXPECT_EQ(searcher.SearchBackward("abc", Bytes(up), Size(up), Size(up), 1, kExact, &back, abort), 1);
  EXPECT_EQ(back.ends, (std::vector<int64_t>{5, 3, 3}));
}

TEST_P(Scan, AnAbortStopsTheScanAndWinsOverAFind) {
  const std::string data = "zzzzzzabc";
  bool abort = false;
  EveryShift second(true, 2);  // aborts on the report that comes with the occurrence's window
  EXPECT_EQ(searcher.SearchForward("abc", Bytes(data), Size(data), 1, Size(data), kExact, &second, abort), -1);
  EXPECT_TRUE(abort);
  EveryShift third(true, 3);  // aborts on the find itself
  EXPECT_EQ(searcher.SearchForward("abc", Bytes(data), Size(data), 1, Size(data), kExact, &third, abort), -1);
  EXPECT_TRUE(abort);
  EveryShift never(true);
  EXPECT_EQ(searcher.SearchForward("abc", Bytes(data), Size(data), 1, Size(data), kExact, &never, abort), 7);
  EXPECT_FALSE(abort);
  EveryShift back(false, 1);
  EXPECT_EQ(searcher.SearchBackward("abc", Bytes(data), Size(data), 8, 1, kExact, &back, abort), -1);
  EXPECT_TRUE(abort);
}

// Asks for reports only at fixed window ends, as the document's progress does.
class Milestones final : public SearchProgress {
 public:
  Milestones(bool forward, int64_t step, int64_t first) : forward_(forward), step_(step) { due = first; }
  void Report(int64_t windowEnd, bool&) override {
    ends.push_back(windowEnd);
    dues.push_back(due);
    due = forward_ ? windowEnd + step_ : windowEnd - step_;
  }
  std::vector<int64_t> ends;
  std::vector<int64_t> dues;

 private:
  bool forward_;
  int64_t step_;
};

TEST_P(Scan, ReportsComeOnlyOnceTheirDueEndIsReached) {
  const std::string data(10000, 'z');
  bool abort = false;
  Milestones forward(true, 1000, 1000);
  EXPECT_EQ(searcher.SearchForward("abcdefgh", Bytes(data), Size(data), 1, Size(data), kExact, &forward, abort), -1);
  ASSERT_GE(forward.ends.size(), 8u);
  EXPECT_LE(forward.ends.size(), 10u);
  for (size_t i = 0; i < forward.ends.size(); ++i) {
    EXPECT_GE(forward.ends[i], forward.dues[i]);
    EXPECT_LT(forward.ends[i], forward.dues[i] + 10);  // at most one shift past it
  }
  Milestones backward(false, 1000, 9000);
  EXPECT_EQ(searcher.SearchBackward("abcdefgh", Bytes(data), Size(data), Size(data), 1, kExact, &backward, abort), -1);
  ASSERT_GE(backward.ends.size(), 8u);
  for (size_t i = 0; i < backward.ends.size(); ++i) {
    EXPECT_LE(backward.ends[i], backward.dues[i]);
    EXPECT_GT(backward.ends[i], backward.dues[i] - 10);
  }
}

}  // namespace
}  // namespace quoxa
