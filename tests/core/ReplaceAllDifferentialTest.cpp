// Replace all against a naive out-of-place replace on random documents: every strategy, the
// case and joker options, random starts, the memory question and a cancel after k updates.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/Navigation.h"
#include "core/Progress.h"
#include "core/FreeMemory.h"
#include "search/Replace.h"
#include "search/SearchState.h"

namespace quoxa {
namespace {

struct Naive {
  std::string bytes;
  std::vector<int64_t> positions;  // where each replacement stands in bytes (1-based)
  int64_t total = 0;               // occurrences from start, replaced or not
  std::string lastReplaced;        // what the last replaced occurrence held
};

bool MatchesAt(const std::string& doc, size_t at, const std::string& find, const SearchState& s) {
  if (at + find.size() > doc.size()) return false;
  for (size_t i = 0; i < find.size(); ++i) {
    const auto p = static_cast<uint8_t>(find[i]);
    const auto x = static_cast<uint8_t>(doc[at + i]);
    if (s.JokerEnabled && p == s.JokerByte) continue;
    if (s.CaseSensitive ? x != p : AnsiUpper(x) != AnsiUpper(p)) return false;
  }
  return true;
}

// Non-overlapping occurrences from start; the first `limit` of them replaced, out of place.
Naive NaiveReplace(const std::string& doc, int64_t start, const SearchState& s, int64_t limit) {
  Naive out;
  const std::string& f = s.FindString;
  const std::string& r = s.ReplaceString;
  size_t at = static_cast<size_t>(start - 1);
  out.bytes = doc.substr(0, std::min(at, doc.size()));
  while (at < doc.size()) {
    if (MatchesAt(doc, at, f, s)) {
      if (out.total < limit) {
        out.positions.push_back(static_cast<int64_t>(out.bytes.size()) + 1);
        out.lastReplaced = doc.substr(at, f.size());
        out.bytes += r;
      } else {
        out.bytes += doc.substr(at, f.size());
      }
      ++out.total;
      at += f.size();
    } else {
      out.bytes += doc[at];
      ++at;
    }
  }
  return out;
}

std::string RandomBytes(std::mt19937& rng, size_t n, const std::string& alphabet) {
  std::string s(n, '\0');
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  for (char& c : s) c = alphabet[pick(rng)];
  return s;
}

class ReplaceAllDifferential : public ::testing::Test {
 protected:
  void TearDown() override { SetFreeMemoryOverride(std::nullopt); }
  test::RecorderScope rec;
};

TEST_F(ReplaceAllDifferential, MatchesANaiveReplaceIncludingCancelsAndTheMemoryQuestion) {
  std::mt19937 rng(20240611);
  const std::string alphabet = "AaBb.x\xFF\x9F";
  int aborted = 0;
  int asked = 0;
  int partial = 0;
  for (int round = 0; round < 3000; ++round) {
    std::uniform_int_distribution<int> size(0, 300);
    const std::string doc = RandomBytes(rng, static_cast<size_t>(size(rng)), alphabet);
    test::LoadDocument(doc, 8, 4);
    // Fill the block to its end now and then, so that growth must come from "free memory".
    SearchState& s = Search();
    s = SearchState{};
    s.FindString = RandomBytes(rng, 1 + rng() % 4, alphabet);
    const int kind = static_cast<int>(rng() % 3);  // equal, shorter, longer
    const size_t f = s.FindString.size();
    const size_t r = kind == 0 ? f : kind == 1 ? rng() % f : f + 1 + rng() % 5;
    s.ReplaceString = RandomBytes(rng, r, "RSrs.");
    s.CaseSensitive = rng() % 2 == 0;
    s.JokerEnabled = rng() % 2 == 0;
    s.JokerByte = rng() % 2 == 0 ? '.' : 'A';
    const int64_t start = 1 + static_cast<int64_t>(rng() % (doc.size() + 1));
    // The filler is no byte of the alphabet, so without the joker no occurrence reaches into it.
    const bool tight = kind == 2 && rng() % 3 == 0;
    if (tight) s.JokerEnabled = false;

    int64_t limit = INT64_MAX;
    bool expectError = false;
    const Naive full = NaiveReplace(doc, start, s, limit);
    std::string expectedTail;
    int64_t room = 0;
    if (tight) {
      const int64_t docSize = Doc().DocSize;
      std::memset(WritableDocBuffer() + docSize, 'z', static_cast<size_t>(Capacity() - docSize));
      expectedTail.assign(static_cast<size_t>(Capacity() - docSize), 'z');
      Doc().DocSize = Capacity();
      room = static_cast<int64_t>(rng() % 40);
      SetFreeMemoryOverride(room);
      const int64_t fit = room / static_cast<int64_t>(r - f);
      if (full.total > fit && fit > 0) {
        const bool yes = rng() % 2 == 0;
        rec.messages.answers = {yes ? mrYes : mrNo};
        limit = yes ? fit : 0;
        ++asked;
      } else if (full.total > fit) {
        limit = 0;
        expectError = true;
      }
    } else {
      SetFreeMemoryOverride(int64_t{1} << 30);
    }
    rec.progress.abortAfterUpdates = rng() % 3 == 0 ? static_cast<int>(rng() % 25) : -1;

    ReplaceAllResult result;
    {
      TProgressBox box({true, true, "Searching...", "Replacing..."});
      result = ReplaceAll(static_cast<int64_t>(start), false);
    }
    const std::string context = "round " + std::to_string(round) + " find " + s.FindString + " by " +
                                s.ReplaceString + " start " + std::to_string(start);
    ASSERT_LE(result.count, full.total) << context;
    if (result.aborted) {
      ++aborted;
    } else {
      ASSERT_EQ(result.count, std::min(full.total, limit)) << context;
      if (expectError) {
        EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Can't allocate additional memory\nto perform operation"});
      }
    }
    if (result.count > 0 && result.count < full.total) ++partial;
    const Naive expected = NaiveReplace(doc, start, s, result.count);
    ASSERT_EQ(test::DocumentBytes(), expected.bytes + expectedTail) << context;
    if (result.count > 0) {
      EXPECT_EQ(result.first, expected.positions.front()) << context;
      EXPECT_EQ(Doc().LastReplaced, expected.positions.back()) << context;
      EXPECT_EQ(Doc().LastFound, expected.positions.back()) << context;
      EXPECT_EQ(Doc().UndoBytes, expected.lastReplaced) << context;
      EXPECT_TRUE(Doc().Modified) << context;
      const int64_t last = expected.positions.back() + static_cast<int64_t>(r) - (r > 0 ? 1 : 0);
      if (Doc().DocSize > 0) {
        EXPECT_EQ(CursorAddress(), std::min<int64_t>(last, Doc().DocSize)) << context;
      }
    } else {
      EXPECT_FALSE(Doc().Modified) << context;
    }
    rec.messages.shown.clear();
    rec.messages.answers.clear();
  }
  // The random rounds reached every path worth reaching.
  EXPECT_GT(aborted, 200);
  EXPECT_GT(asked, 20);
  EXPECT_GT(partial, 50);
}

}  // namespace
}  // namespace quoxa
