#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Progress.h"
#include "search/DocSearchProgress.h"
#include "search/SearchEngine.h"
#include "search/SearchState.h"

namespace quoxa {
namespace {

class SearchEngine : public ::testing::Test {
 protected:
  void Load(const std::string& bytes, const std::string& find) {
    test::LoadDocument(bytes);
    Search().FindString = find;
  }
  test::RecorderScope rec;
};

// Find again (continuing) steps behind the occurrence found last, or the last replacement when
// the cursor is on it; otherwise the search starts at the cursor. A find sets LastFound.
TEST_F(SearchEngine, WhereFindNextStarts) {
  const struct {
    const char* what;
    const char* doc;
    const char* find;
    const char* replaced;  // the replacement at lastReplaced
    int64_t lastReplaced, lastFound, from;
    bool continuing;
    int64_t found;  // 0: none
  } cases[] = {
      {"a first find", "ABAB", "AB", "", 0, 0, 1, false, 1},
      {"again, the cursor on the occurrence", "ABAB", "AB", "", 0, 1, 1, true, 3},
      {"again behind the last one", "ABAB", "AB", "", 0, 3, 3, true, 0},
      {"not continuing finds the one at the cursor again", "xABx", "AB", "", 0, 2, 2, false, 2},
      {"one byte on, an overlapping one", "AAA", "AA", "", 0, 1, 2, true, 2},
      {"the cursor on the replacement's last byte", "xxYYZABABAB", "AB", "YYZ", 3, 0, 5, true, 6},
      {"the cursor on the occurrence found last", "xxYYZABABAB", "AB", "YYZ", 3, 6, 6, true, 8},
      {"anywhere else at the cursor", "xxYYZABABAB", "AB", "YYZ", 3, 6, 7, true, 8},
      {"after a deleting replacement: where the bytes now stand", "xABAB", "AB", "", 2, 2, 2, true,
       2},
      {"no last replacement: no step at 1", "ABAB", "AB", "XY", 0, 0, 1, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.doc, c.find);
    Search().ReplaceString = c.replaced;
    Doc().LastReplaced = c.lastReplaced;
    Doc().LastFound = c.lastFound;
    const FindResult r = FindNext(c.from, c.continuing);
    EXPECT_EQ(r.found, c.found != 0);
    EXPECT_FALSE(r.aborted);
    EXPECT_EQ(r.pos, c.found != 0 ? c.found : c.from);
    EXPECT_EQ(Doc().LastFound, c.found != 0 ? c.found : c.lastFound);
  }
}

TEST_F(SearchEngine, CountingDoesNotOverlapAndSetsTheLastOccurrence) {
  Load("ABAB", "AB");
  EXPECT_EQ(CountOccurrences(true, 1).count, 2);
  EXPECT_EQ(Doc().LastFound, 3);
  Doc().LastFound = 0;
  EXPECT_EQ(CountOccurrences(false, 4).count, 2);
  EXPECT_EQ(Doc().LastFound, 1);
}

TEST_F(SearchEngine, OverlappingOccurrencesCountOnceEachWay) {
  Load("AAAA", "AA");
  EXPECT_EQ(CountOccurrences(true, 1).count, 2);
  Doc().LastFound = 0;
  EXPECT_EQ(CountOccurrences(false, 4).count, 2);
  Load("AAAAA", "AA");
  Doc().LastFound = 0;
  EXPECT_EQ(CountOccurrences(true, 1).count, 2);
  EXPECT_EQ(Doc().LastFound, 3);
  Doc().LastFound = 0;
  EXPECT_EQ(CountOccurrences(false, 5).count, 2);
  EXPECT_EQ(Doc().LastFound, 2);
}

TEST_F(SearchEngine, BackwardFromLastFoundFindsOnlyOccurrencesEndingBeforeIt) {
  Load("ABxAB", "AB");
  // Not LastFound: an occurrence that ends exactly at the position counts.
  FindResult r = FindPrevious(5);
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.pos, 4);
  r = FindPrevious(2);
  EXPECT_EQ(r.pos, 1);
  // From LastFound: only what ends before it.
  Doc().LastFound = 4;
  r = FindPrevious(4);
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.pos, 1);
  Load("AAA", "AA");
  Doc().LastFound = 2;
  EXPECT_FALSE(FindPrevious(2).found);  // 1..2 overlaps the occurrence at 2 from the left
  Doc().LastFound = 0;
  EXPECT_EQ(FindPrevious(3).pos, 2);
}

TEST_F(SearchEngine, UsesTheCaseAndJokerOptionsOfTheSearchState) {
  Load("xxabcxa.c", "A.C");
  Search().CaseSensitive = true;
  EXPECT_FALSE(FindNext(1, false).found);
  Search().CaseSensitive = false;
  EXPECT_EQ(FindNext(1, false).pos, 7);
  Search().JokerEnabled = true;
  Search().JokerByte = 0x2E;
  EXPECT_EQ(FindNext(1, false).pos, 3);
  EXPECT_EQ(CountOccurrences(true, 1).count, 2);
}

TEST_F(SearchEngine, NothingToFind) {
  Load("ABC", "");
  FindResult r = FindNext(1, false);
  EXPECT_FALSE(r.found);
  EXPECT_FALSE(r.aborted);
  EXPECT_FALSE(FindPrevious(3).found);
  const CountResult c = CountOccurrences(true, 1);
  EXPECT_EQ(c.count, 0);
  EXPECT_TRUE(c.completed);

  Load("ABC", "XY");
  Doc().LastFound = 2;
  EXPECT_EQ(CountOccurrences(true, 1).count, 0);
  EXPECT_EQ(Doc().LastFound, 2);  // untouched when nothing is counted

  Load("", "AB");
  EXPECT_FALSE(FindNext(1, false).found);
  EXPECT_FALSE(FindPrevious(0).found);
  EXPECT_EQ(CountOccurrences(false, 0).count, 0);
}

TEST(NextGaugeChange, IsTheFirstPositionWithAnotherGaugeValue) {
  for (int64_t maximum : {1, 3, 7, 100, 199, 1000, 12345, 1 << 20, INT32_MAX}) {
    int64_t pos = 0;
    int changes = 0;
    while (true) {
      const int64_t next = NextGaugeChange(pos, maximum);
      if (next == INT64_MAX) break;
      ASSERT_GT(next, pos);
      EXPECT_GT(GaugeFor(next, maximum), GaugeFor(pos, maximum)) << maximum << " " << pos;
      EXPECT_EQ(GaugeFor(next - 1, maximum), GaugeFor(pos, maximum)) << maximum << " " << pos;
      pos = next;
      ++changes;
    }
    EXPECT_EQ(GaugeFor(pos, maximum), 100);
    EXPECT_LE(changes, 100);
  }
  EXPECT_EQ(NextGaugeChange(5, 0), INT64_MAX);
}

// The reference: the plain scan reporting to the box after every single shift.
class EveryShiftToTheBox final : public SearchProgress {
 public:
  explicit EveryShiftToTheBox(bool forward) : forward_(forward) { due = forward ? INT64_MIN : INT64_MAX; }
  void Report(int64_t windowEnd, bool& abort) override {
    ReportProgress(std::clamp<int64_t>(forward_ ? windowEnd : Doc().DocSize - windowEnd, 0, Doc().DocSize), abort);
    due = windowEnd;
  }

 private:
  bool forward_;
};

class SearchProgressBox : public SearchEngine {
 protected:
  void SetUp() override {
    std::mt19937 rng(99);
    std::string text(100000, ' ');
    for (char& ch : text) ch = static_cast<char>('a' + rng() % 20);
    Load(text, "zzzzzz");  // not in it: the letters stop at t
  }

  std::vector<int> ReferenceGauge(bool forward) {
    TQSearch plain;
    plain.SetAccelerated(false);
    EveryShiftToTheBox progress(forward);
    TProgressBox box({true, true, "Current file position", "Searching..."});
    bool abort = false;
    if (forward) {
      plain.SearchForward(Search().FindString, Doc().DocBuffer, Doc().DocSize, 1, Doc().DocSize, CurrentSearchOptions(),
                          &progress, abort);
    } else {
      plain.SearchBackward(Search().FindString, Doc().DocBuffer, Doc().DocSize, Doc().DocSize, 1,
                           CurrentSearchOptions(), &progress, abort);
    }
    return rec.progress.boxes.back()->gauge;
  }
};

TEST_F(SearchProgressBox, TheGaugeMovesAsIfReportedAfterEveryShift) {
  const std::vector<int> forward = ReferenceGauge(true);
  EXPECT_EQ(forward.front(), 5);
  EXPECT_EQ(forward.back(), 100);
  {
    TProgressBox box({true, true, "Current file position", "Searching..."});
    EXPECT_FALSE(FindNext(1, false).found);
  }
  EXPECT_EQ(rec.progress.boxes.back()->gauge, forward);

  const std::vector<int> backward = ReferenceGauge(false);
  EXPECT_EQ(backward.back(), 100);
  {
    TProgressBox box({true, true, "Current file position", "Searching..."});
    EXPECT_FALSE(FindPrevious(Doc().DocSize).found);
  }
  EXPECT_EQ(rec.progress.boxes.back()->gauge, backward);
}

TEST_F(SearchProgressBox, CancelStopsASearch) {
  rec.progress.abortAfterUpdates = 3;
  test::LoadDocument(test::DocumentBytes() + "zzzzzz");
  Doc().LastFound = 7;
  TProgressBox box({true, true, "Current file position", "Searching..."});
  FindResult r = FindNext(1, false);
  EXPECT_TRUE(r.aborted);
  EXPECT_FALSE(r.found);
  EXPECT_EQ(Doc().LastFound, 7);
  EXPECT_EQ(rec.progress.boxes.back()->gauge, (std::vector<int>{5, 10, 15}));
  r = FindPrevious(Doc().DocSize - 6);
  EXPECT_TRUE(r.aborted);
  EXPECT_FALSE(r.found);
}

TEST_F(SearchProgressBox, CancelStopsACount) {
  std::string text = test::DocumentBytes();
  for (size_t i = 0; i < text.size(); i += 1000) text.replace(i, 6, "zzzzzz");
  test::LoadDocument(text);
  Search().FindString = "zzzzzz";
  std::vector<int> everyFifth;
  for (int g = 5; g <= 100; g += 5) everyFifth.push_back(g);
  for (bool down : {true, false}) {
    TProgressBox box({true, true, "Current file position", "Counting..."});
    Doc().LastFound = 0;
    const CountResult all = CountOccurrences(down, down ? 1 : Doc().DocSize);
    EXPECT_TRUE(all.completed);
    EXPECT_EQ(all.count, 100);
    // The gauge runs through the whole count as through one scan.
    EXPECT_EQ(rec.progress.boxes.back()->gauge, everyFifth);
  }
  rec.progress.abortAfterUpdates = 4;
  for (bool down : {true, false}) {
    TProgressBox box({true, true, "Current file position", "Counting..."});
    Doc().LastFound = 0;
    const CountResult part = CountOccurrences(down, down ? 1 : Doc().DocSize);
    EXPECT_FALSE(part.completed);
    EXPECT_GT(part.count, 0);
    EXPECT_LT(part.count, 100);
  }
}

TEST_F(SearchProgressBox, CancelBeforeTheFirstShiftDropsAnOccurrenceAtTheStart) {
  rec.progress.abortAfterUpdates = 0;
  test::LoadDocument("zzzzzz" + test::DocumentBytes());
  TProgressBox box({true, true, "Current file position", "Searching..."});
  const FindResult r = FindNext(1, false);
  EXPECT_TRUE(r.aborted);
  EXPECT_FALSE(r.found);
  EXPECT_EQ(Doc().LastFound, 0);
}

TEST_F(SearchProgressBox, WithoutABoxNothingAborts) {
  rec.progress.abortAfterUpdates = 0;
  test::LoadDocument(test::DocumentBytes() + "zzzzzz");
  const FindResult r = FindNext(1, false);
  EXPECT_TRUE(r.found);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(r.pos, Doc().DocSize - 5);
  EXPECT_TRUE(rec.progress.boxes.empty());
}

}  // namespace
}  // namespace quoxa
