// Replacing one occurrence, all of them, and the undo of the last replacement.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/MemoryPolicy.h"
#include "core/Navigation.h"
#include "core/Progress.h"
#include "core/FreeMemory.h"
#include "search/Replace.h"
#include "search/SearchState.h"

namespace quoxa {
namespace {

using test::DocumentBytes;

constexpr const char* kNoMemory = "Can't allocate additional memory\nto perform operation";

class Replace : public ::testing::Test {
 protected:
  void SetUp() override { SetFreeMemoryOverride(int64_t{1} << 30); }
  void TearDown() override { SetFreeMemoryOverride(std::nullopt); }

  void Load(const std::string& bytes, const std::string& find, const std::string& replacement) {
    test::LoadDocument(bytes, 4, 4);
    Search().FindString = find;
    Search().ReplaceString = replacement;
  }
  void PlaceCursor(int64_t pos) { GotoAddress(pos, true, false); }
  // Fills the block behind the document with filler, so that any growth must reallocate.
  static void FillToCapacity(char filler) {
    std::memset(WritableDocBuffer() + Doc().DocSize, filler, static_cast<size_t>(Capacity() - Doc().DocSize));
    Doc().DocSize = Capacity();
  }

  test::RecorderScope rec;
};

// ---- the supporting operations

TEST_F(Replace, MoveBytesDownMovesWholeStretchesAndRefusesEveryBadRange) {
  Load("ABCDEFGH", "", "");
  EXPECT_TRUE(MoveBytesDown(4, 6, 2));
  EXPECT_EQ(DocumentBytes(), "ADEFEFGH");
  EXPECT_TRUE(MoveBytesDown(8, 8, 8));
  EXPECT_EQ(DocumentBytes(), "ADEFEFGH");
  for (auto [from, to, dest] : {std::tuple{0, 2, 1}, {2, 3, 0}, {2, 9, 1}, {2, 3, 9}, {5, 4, 1}, {2, 5, 6}}) {
    EXPECT_FALSE(MoveBytesDown(from, to, dest)) << from << " " << to << " " << dest;
  }
  EXPECT_EQ(DocumentBytes(), "ADEFEFGH");
  // A target ending exactly on the last byte is allowed.
  EXPECT_TRUE(MoveBytesDown(1, 3, 6));
  EXPECT_EQ(DocumentBytes(), "ADEFEADE");
}

TEST_F(Replace, WriteReplacementWritesOnlyInsideTheDocument) {
  Load("ABCDEF", "AB", "xyz");
  EXPECT_TRUE(WriteReplacement(4));
  EXPECT_EQ(DocumentBytes(), "ABCxyz");
  EXPECT_EQ(Doc().ReplacedBytes, "xyz");
  Search().ReplaceString = "123";
  EXPECT_FALSE(WriteReplacement(5));
  EXPECT_FALSE(WriteReplacement(0));
  EXPECT_EQ(DocumentBytes(), "ABCxyz");
  EXPECT_EQ(Doc().ReplacedBytes, "xyz");
}

TEST_F(Replace, SaveFoundBytesKeepsWhatTheDocumentHolds) {
  Load("ABCDEF", "CDE", "");
  SaveFoundBytes(3);
  EXPECT_EQ(Doc().UndoBytes, "CDE");
  SaveFoundBytes(5);
  EXPECT_EQ(Doc().UndoBytes, "EF");
  SaveFoundBytes(7);
  EXPECT_EQ(Doc().UndoBytes, "");
}

// ---- one replacement

TEST_F(Replace, ReplaceNextOfEveryLengthSetsTheStateAndReturnsTheLastByte) {
  struct Case {
    std::string replacement;
    std::string result;
    int64_t pos;
  };
  for (const Case& c : {Case{"xy", "12xy5AB", 4}, Case{"xyz", "12xyz5AB", 5}, Case{"x", "12x5AB", 3},
                        Case{"", "125AB", 3}}) {
    Load("12AB5AB", "AB", c.replacement);
    const ReplaceResult r = ReplaceNext(1, false);
    EXPECT_TRUE(r.found && r.replaced && !r.aborted);
    EXPECT_EQ(r.pos, c.pos) << c.replacement;
    EXPECT_EQ(DocumentBytes(), c.result);
    EXPECT_EQ(Doc().LastFound, 3);
    EXPECT_EQ(Doc().LastReplaced, 3);
    EXPECT_EQ(Doc().UndoBytes, "AB");
    EXPECT_TRUE(Doc().Modified);
  }
}

TEST_F(Replace, ReplaceNextFindsNothingWhenTheStringCannotFitBehindPos) {
  Load("ABAB", "AB", "x");
  EXPECT_FALSE(ReplaceNext(4, false).found);
  const ReplaceResult r = ReplaceNext(3, false);
  EXPECT_TRUE(r.replaced);
  EXPECT_EQ(DocumentBytes(), "ABx");
}

TEST_F(Replace, AgainContinuesBehindAReplacementAndAtTheSamePlaceAfterADeletion) {
  Load("AABAAB", "A", "xy");
  ReplaceResult r = ReplaceNext(1, true);
  EXPECT_EQ(DocumentBytes(), "xyABAAB");
  r = ReplaceNext(r.pos, true);
  EXPECT_EQ(DocumentBytes(), "xyxyBAAB");
  EXPECT_EQ(r.pos, 4);

  Load("AAB", "A", "");
  r = ReplaceNext(1, true);
  EXPECT_EQ(DocumentBytes(), "AB");
  EXPECT_EQ(r.pos, 1);
  r = ReplaceNext(r.pos, true);
  EXPECT_EQ(DocumentBytes(), "B");
}

TEST_F(Replace, ReplaceNextUnderAProgressBoxSwitchesToReplacingWithoutCancel) {
  Load("xxAB", "AB", "c");
  {
    TProgressBox box({true, true, "Searching...", "Replacing..."});
    EXPECT_TRUE(ReplaceNext(1, false).replaced);
  }
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_EQ(rec.progress.boxes[0]->texts, std::vector<std::string>{"Replacing"});
}

TEST_F(Replace, ReplaceNextWithoutMemoryToGrowLeavesTheOccurrenceAndItsUndoBytes) {
  Load("a", "a", "bb");
  FillToCapacity('a');
  const std::string before = DocumentBytes();
  test::AllocationLimit limit(Capacity());
  const ReplaceResult r = ReplaceNext(7, false);
  EXPECT_TRUE(r.found);
  EXPECT_FALSE(r.replaced);
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{kNoMemory});
  EXPECT_EQ(DocumentBytes(), before);
  EXPECT_EQ(Doc().UndoBytes, "a");
  EXPECT_EQ(Doc().LastReplaced, 0);
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(Replace, ACancelledSearchReplacesNothing) {
  Load(std::string(200, 'x') + "AB", "AB", "x");
  rec.progress.abortAfterUpdates = 1;
  TProgressBox box({true, true, "Searching...", "Replacing..."});
  const ReplaceResult r = ReplaceNext(1, false);
  EXPECT_TRUE(r.aborted);
  EXPECT_FALSE(r.replaced);
  EXPECT_EQ(Doc().DocSize, 202);
  EXPECT_FALSE(Doc().Modified);
}

// ---- replace all

TEST_F(Replace, ReplaceAllOfTheDescribedExamples) {
  Load("ABAB", "AB", "XYZ");
  ReplaceAllResult r = ReplaceAll(1, false);
  EXPECT_EQ(DocumentBytes(), "XYZXYZ");
  EXPECT_EQ(r.count, 2);
  EXPECT_EQ(r.first, 1);
  EXPECT_EQ(CursorAddress(), 6);

  Load("ABAB", "AB", "");
  r = ReplaceAll(1, false);
  EXPECT_EQ(Doc().DocSize, 0);
  EXPECT_EQ(r.count, 2);
  EXPECT_TRUE(Doc().Modified);

  // The search never looks inside a replacement.
  Load("AAA", "A", "AA");
  r = ReplaceAll(1, false);
  EXPECT_EQ(DocumentBytes(), "AAAAAA");
  EXPECT_EQ(r.count, 3);
  EXPECT_EQ(Doc().LastReplaced, 5);
  EXPECT_EQ(Doc().LastFound, 5);
  EXPECT_EQ(Doc().UndoBytes, "A");
}

TEST_F(Replace, ReplaceAllPutsTheCursorOnTheLastByteOfTheLastReplacement) {
  Load("ABxxxxAByy", "AB", "123");
  ReplaceAll(1, false);
  EXPECT_EQ(DocumentBytes(), "123xxxx123yy");
  EXPECT_EQ(CursorAddress(), 10);
  EXPECT_TRUE(Doc().Modified);

  // At the very end, shorter: the cursor on the replacement's last byte, or on the new last byte.
  Load("xxxxAB", "AB", "c");
  ReplaceAll(1, false);
  EXPECT_EQ(DocumentBytes(), "xxxxc");
  EXPECT_EQ(CursorAddress(), 5);
  Load("xxxxAB", "AB", "");
  ReplaceAll(1, false);
  EXPECT_EQ(DocumentBytes(), "xxxx");
  EXPECT_EQ(Doc().LastReplaced, 5);
  EXPECT_EQ(CursorAddress(), 4);
}

TEST_F(Replace, ReplaceAllWithoutOccurrencesChangesNothing) {
  for (const std::string replacement : {"a", "", "abc"}) {
    Load("xyzxyz", "q", replacement);
    PlaceCursor(3);
    const ReplaceAllResult r = ReplaceAll(1, false);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(DocumentBytes(), "xyzxyz");
    EXPECT_FALSE(Doc().Modified);
    EXPECT_EQ(CursorAddress(), 3);
    EXPECT_TRUE(rec.messages.Texts().empty());
  }
}

TEST_F(Replace, ReplaceAllStartFollowsTheScopeAndSkipsTheReplacementUnderTheCursor) {
  Load("ABABAB", "AB", "xy");
  Search().FromCursor = false;
  PlaceCursor(5);
  EXPECT_EQ(ReplaceAllStart(), 1);
  Search().FromCursor = true;
  EXPECT_EQ(ReplaceAllStart(), 5);
  Doc().LastReplaced = 4;
  EXPECT_EQ(ReplaceAllStart(), 6);
  Search().ReplaceString = "";
  Doc().LastReplaced = 6;
  EXPECT_EQ(ReplaceAllStart(), 5);
  // With no replacement made, a cursor on ReplaceString's length - 1 is no replacement.
  Search().ReplaceString = "123456";
  Doc().LastReplaced = 0;
  EXPECT_EQ(ReplaceAllStart(), 5);

  Search().ReplaceString = "xy";
  Doc().LastReplaced = 0;
  PlaceCursor(3);
  const ReplaceAllResult r = ReplaceAll(1, true);
  EXPECT_EQ(DocumentBytes(), "ABxyxy");
  EXPECT_EQ(r.first, 3);
}

TEST_F(Replace, ReplaceAllThatTouchesTheBlockDropsIt) {
  Load("xxABxxxx", "AB", "ABC");
  Doc().BlockBegin = 6;
  Doc().BlockEnd = 7;
  ReplaceAll(1, false);
  EXPECT_EQ(Doc().BlockBegin, 0);
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
  Load("xxABxxxx", "AB", "CD");
  Doc().BlockBegin = 6;
  Doc().BlockEnd = 7;
  ReplaceAll(1, false);
  EXPECT_EQ(Doc().BlockBegin, 6);
}

TEST_F(Replace, ProgressLabelsNameTheStepsOfEachStrategy) {
  for (const std::string replacement : {"xy", "x", "xyz"}) {
    Load("ABxxAB", "AB", replacement);
    TProgressBox box({true, true, "Searching...", "Replacing..."});
    ReplaceAll(1, false);
  }
  ASSERT_EQ(rec.progress.boxes.size(), 3u);
  EXPECT_EQ(rec.progress.boxes[0]->texts, std::vector<std::string>{"Searching and replacing"});
  EXPECT_EQ(rec.progress.boxes[1]->texts, std::vector<std::string>{"Searching and replacing"});
  EXPECT_EQ(rec.progress.boxes[2]->texts, (std::vector<std::string>{"Step 1: Counting", "Step 2: Replacing"}));
}

// ---- the memory check of a growing replace all

TEST_F(Replace, NotAllReplacementsFitAndTheUserDeclines) {
  Load("AxAxAxAx", "A", "BBBB");
  FillToCapacity('x');
  const std::string before = DocumentBytes();
  SetFreeMemoryOverride(10);  // three replacements of 3 more bytes each
  rec.messages.answers = {mrNo};
  const ReplaceAllResult r = ReplaceAll(1, false);
  EXPECT_EQ(r.count, 0);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(rec.messages.Texts(),
            std::vector<std::string>{"Occurences to replace: 4;\nmemory sufficient for\n3 replacements.\nReplace them?"});
  EXPECT_EQ(DocumentBytes(), before);
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(Replace, NotAllReplacementsFitAndTheUserAcceptsTheFirstOnes) {
  Load("AxAxAxAx", "A", "BBBB");
  FillToCapacity('x');
  const std::string filler = DocumentBytes().substr(8);
  SetFreeMemoryOverride(10);
  rec.messages.answers = {mrYes};
  const ReplaceAllResult r = ReplaceAll(1, false);
  EXPECT_EQ(r.count, 3);
  EXPECT_EQ(DocumentBytes(), "BBBBxBBBBxBBBBxAx" + filler);
  EXPECT_EQ(CursorAddress(), 14);
}

TEST_F(Replace, NoReplacementFitsIsAnError) {
  Load("AxAx", "A", "BBBB");
  FillToCapacity('x');
  const std::string before = DocumentBytes();
  SetFreeMemoryOverride(2);
  const ReplaceAllResult r = ReplaceAll(1, false);
  EXPECT_EQ(r.count, 0);
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{kNoMemory});
  EXPECT_EQ(DocumentBytes(), before);
}

TEST_F(Replace, GrowthPastThirtyTwoBitsIsCountedNotWrapped) {
  // 1,000 occurrences growing by 2,999,999 bytes each: about 3e9 bytes, more than 2^31 free.
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += "A.";
  Load(bytes, "A", std::string(3000000, 'r'));
  SetFreeMemoryOverride(int64_t{1} << 31);
  rec.messages.answers = {mrNo};
  EXPECT_EQ(ReplaceAll(1, false).count, 0);
  const int64_t fit = ((int64_t{1} << 31) + Capacity() - 2000) / 2999999;
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Occurences to replace: 1,000;\nmemory sufficient for\n" +
                                                           std::to_string(fit) + " replacements.\nReplace them?"});
  EXPECT_EQ(DocumentBytes(), bytes);

  // Yes, and the block cannot grow that far: the error, and still nothing changed.
  test::AllocationLimit limit(int64_t{1} << 24);
  rec.messages.answers = {mrYes};
  EXPECT_EQ(ReplaceAll(1, false).count, 0);
  EXPECT_EQ(rec.messages.Texts().back(), kNoMemory);
  EXPECT_EQ(DocumentBytes(), bytes);
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(Replace, FreeMemoryIsMemAvailablePlusSwapFree) {
  const std::string meminfo =
      "MemTotal:       24684000 kB\nMemFree:  100 kB\nMemAvailable:   2000 kB\nBuffers: 5 kB\n"
      "SwapTotal:  10 kB\nSwapFree:       30 kB\n";
  EXPECT_EQ(ParseFreeMemory(meminfo), (2000 + 30) * 1024);
  EXPECT_EQ(ParseFreeMemory("MemAvailable: 7 kB\n"), 7 * 1024);
  EXPECT_EQ(ParseFreeMemory("SwapFree: x kB\nMemAvailableX: 9 kB\n"), 0);
  EXPECT_EQ(ParseFreeMemory(""), 0);
  const int64_t huge = ParseFreeMemory("MemAvailable: 99999999999999999999999 kB\nSwapFree: 99999999999999 kB\n");
  EXPECT_GT(huge, int64_t{1} << 60);
  SetFreeMemoryOverride(std::nullopt);
  EXPECT_GE(FreeMemoryBytes(), 0);
  SetFreeMemoryOverride(-5);
  EXPECT_EQ(FreeMemoryBytes(), 0);
}

// ---- undo

// Undo puts the occurrence back where it was, whatever the lengths and wherever the cursor went,
// and puts the cursor on it.
TEST_F(Replace, UndoRestoresTheOccurrenceAndPutsTheCursorOnIt) {
  const struct {
    const char* what;
    const char* doc;
    const char* find;
    const char* replacement;
    bool all;
    const char* replaced;  // the document after the replacement
    int64_t movedTo;       // the cursor before the undo; 0: left where the replacement put it
    int64_t occurrence;
  } cases[] = {
      {"a longer replacement", "1234A678", "A", "BB", false, "1234BB678", 9, 5},
      {"a shorter replacement", "12ABC6", "ABC", "x", false, "12x6", 0, 3},
      {"a deletion, the cursor elsewhere", "12AB56", "AB", "", false, "1256", 4, 3},
      {"a deletion at the very end", "1234AB", "AB", "", false, "1234", 0, 5},
      {"a deletion of the whole document", "AB", "AB", "", false, "", 0, 1},
      {"the last occurrence Replace all deleted", "AxAxA", "A", "", true, "xx", 0, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.doc, c.find, c.replacement);
    if (c.all) {
      ReplaceAll(1, false);
    } else {
      ReplaceNext(1, false);
    }
    EXPECT_EQ(DocumentBytes(), c.replaced);
    EXPECT_EQ(Doc().LastReplaced, c.occurrence);
    if (c.movedTo != 0) PlaceCursor(c.movedTo);
    Doc().Modified = false;
    EXPECT_TRUE(UndoReplacement());
    // Replace all takes back only the last occurrence it replaced.
    EXPECT_EQ(DocumentBytes(), c.all ? c.replaced + std::string(c.find) : c.doc);
    EXPECT_EQ(CursorAddress(), c.occurrence);
    EXPECT_EQ(Doc().LastReplaced, 0);
    EXPECT_EQ(Doc().LastFound, c.occurrence);
    EXPECT_TRUE(Doc().Modified);
  }
}

TEST_F(Replace, UndoTakesBackOnlyTheBytesAtLastReplacedWhateverTheOptions) {
  // With the joker, the replacement's own bytes would match elsewhere; only the place counts.
  Load("AAxx.yx", "A", "x.");
  Search().JokerEnabled = true;
  Search().JokerByte = '.';
  ReplaceNext(1, false);
  EXPECT_EQ(DocumentBytes(), "x.Axx.yx");
  // The replacement was typed over: the undo finds nothing to take back and changes nothing,
  // not even the bytes further on that the joker would let pass for it.
  SetByte(1, 'q');
  Doc().Modified = false;
  EXPECT_TRUE(UndoReplacement());
  EXPECT_EQ(DocumentBytes(), "q.Axx.yx");
  EXPECT_FALSE(Doc().Modified);
  EXPECT_EQ(Doc().LastReplaced, 0);
  EXPECT_EQ(CursorAddress(), 1);

  // Case-insensitive options do not let other letters pass for the replacement either.
  Load("zAz", "A", "b");
  Search().CaseSensitive = false;
  ReplaceNext(1, false);
  SetByte(2, 'B');
  EXPECT_TRUE(UndoReplacement());
  EXPECT_EQ(DocumentBytes(), "zBz");
}

TEST_F(Replace, UndoKeepsWorkingAfterTheStringsChanged) {
  Load("xAx", "A", "BC");
  ReplaceNext(1, false);
  Search().FindString = "Q";
  Search().ReplaceString = "";
  EXPECT_TRUE(UndoReplacement());
  EXPECT_EQ(DocumentBytes(), "xAx");
  EXPECT_EQ(Search().FindString, "Q");
  EXPECT_EQ(Search().ReplaceString, "");
}

TEST_F(Replace, UndoWithoutMemoryKeepsEverythingForAnotherTry) {
  Load("xB", "B", "");
  ReplaceNext(1, false);
  FillToCapacity('a');
  const std::string before = DocumentBytes();
  test::AllocationLimit limit(Capacity());
  EXPECT_FALSE(UndoReplacement());
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{kNoMemory});
  EXPECT_EQ(Doc().LastReplaced, 2);
  EXPECT_EQ(Doc().UndoBytes, "B");
  EXPECT_EQ(DocumentBytes(), before);
}

TEST_F(Replace, UndoThatChangesTheLengthDropsABlockBehindIt) {
  Load("xAxxxx", "A", "BBB");
  ReplaceNext(1, false);
  Doc().BlockBegin = 5;
  Doc().BlockEnd = 6;
  UndoReplacement();
  EXPECT_EQ(Doc().BlockBegin, 0);
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
}

}  // namespace
}  // namespace quoxa
