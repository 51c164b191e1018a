#include <gtest/gtest.h>

#include "TempDir.h"
#include "settings/HistoryList.h"

namespace quoxa {
namespace {

using Items = std::vector<std::string>;

THistoryList With(Items items, bool caseSensitive = true) {
  THistoryList list;
  list.Items = std::move(items);
  list.CaseSensitive = caseSensitive;
  return list;
}

TEST(HistoryList, AddingANewTextPutsItFirst) {
  THistoryList list = With({"x", "ABC"});
  list.Add("abc");
  EXPECT_EQ(list.Items, (Items{"abc", "x", "ABC"}));
}

TEST(HistoryList, AddingWithoutCaseSensitivityExchangesWithTheFirst) {
  THistoryList list = With({"x", "ABC"}, false);
  list.Add("abc");
  EXPECT_EQ(list.Items, (Items{"ABC", "x"}));
}

TEST(HistoryList, AddingAKnownEntryExchangesItWithEntryZero) {
  THistoryList list = With({"a", "b", "c", "d"});
  list.Add("d");
  EXPECT_EQ(list.Items, (Items{"d", "b", "c", "a"}));
  list.Add("d");
  EXPECT_EQ(list.Items, (Items{"d", "b", "c", "a"}));
}

TEST(HistoryList, AnEmptyTextIsNotAdded) {
  THistoryList list = With({"a"});
  list.Add("");
  EXPECT_EQ(list.Items, Items{"a"});
}

TEST(HistoryList, TidyDropsOneLaterCopyOfTheFirstAndCutsToTheCount) {
  THistoryList list = With({"a", "b", "a", "c", "a"});
  list.Tidy();
  // Scanning from the end, only the last copy goes.
  EXPECT_EQ(list.Items, (Items{"a", "b", "a", "c"}));
  THistoryList nine = With({"1", "2", "3", "4", "5", "6", "7", "8", "9"});
  nine.HistoryCount = 8;
  nine.Tidy();
  EXPECT_EQ(nine.Items.size(), 8u);
  EXPECT_EQ(nine.Items.back(), "8");
}

TEST(HistoryList, AddingBeyondTheCountDropsTheOldest) {
  THistoryList list;
  for (int i = 1; i <= 9; ++i) list.Add(std::to_string(i));
  EXPECT_EQ(list.Items, (Items{"9", "8", "7", "6", "5", "4", "3", "2"}));
}

TEST(HistoryList, ChoosingAnEntryPutsACopyFirstAndTheNextTidyRemovesTheOld) {
  THistoryList list = With({"a", "b", "c"});
  EXPECT_EQ(list.Choose(2), "c");
  EXPECT_EQ(list.Items, (Items{"c", "a", "b", "c"}));
  list.Tidy();
  EXPECT_EQ(list.Items, (Items{"c", "a", "b"}));
  EXPECT_EQ(list.Choose(0), "c");
  EXPECT_EQ(list.Items, (Items{"c", "a", "b"}));
  EXPECT_EQ(list.Choose(7), "");
}

TEST(HistoryList, DownAndUpStepThroughTheListFromTheEditText) {
  const THistoryList list = With({"one", "two", "three"});
  EXPECT_EQ(list.NextIndex("TWO"), 2);
  EXPECT_EQ(list.NextIndex("three"), 2);  // the last stays the last
  EXPECT_EQ(list.NextIndex("unknown"), 0);
  EXPECT_EQ(list.PreviousIndex("three"), 1);
  EXPECT_EQ(list.PreviousIndex("one"), 0);
  EXPECT_EQ(list.PreviousIndex("unknown"), 0);
  const THistoryList empty;
  EXPECT_EQ(empty.NextIndex("x"), -1);
  EXPECT_EQ(empty.PreviousIndex("x"), -1);
}

TEST(HistoryList, SavedEntriesAreQuotedSoBlanksSurvive) {
  test::TempDir dir;
  TIniFile ini(dir.Write("h.ini", "[QZHistoryGoTo]\n0=\"old\"\n5=\"stale\"\n[Other]\nk=v\n"));
  THistoryList list = With({"  x  ", "b", "  x  "});
  ASSERT_TRUE(list.Save(ini, "QZHistoryGoTo"));
  EXPECT_EQ(test::TempDir::Read(ini.Path()), "[Other]\nk=v\n\n[QZHistoryGoTo]\n0=\"  x  \"\n1=\"b\"\n");
  THistoryList loaded;
  loaded.Load(ini, "QZHistoryGoTo");
  EXPECT_EQ(loaded.Items, (Items{"  x  ", "b"}));
}

TEST(HistoryList, LoadingTakesValuesInFileOrderAndTidies) {
  test::TempDir dir;
  const TIniFile ini(dir.Write("h.ini", "[H]\n3=\"c\"\n1=\"a\"\n0=bare\n2=\"\"\"\n7=\"x\"\n8=\"\n9=\"c\"\n"));
  THistoryList list;
  list.Items = {"will be replaced"};
  list.Load(ini, "H");
  EXPECT_EQ(list.Items, (Items{"c", "a", "bare", "\"", "x", "\""}));
  THistoryList untouched = With({"keep"});
  untouched.Load(ini, "");
  EXPECT_EQ(untouched.Items, Items{"keep"});
}

TEST(HistoryList, ChoosingThenSavingStoresTheEntryOnceAndFirst) {
  test::TempDir dir;
  TIniFile ini(dir.File("h.ini"));
  THistoryList list = With({"a", "b", "c"});
  list.Choose(2);
  ASSERT_TRUE(list.Save(ini, "H"));
  THistoryList loaded;
  loaded.Load(ini, "H");
  EXPECT_EQ(loaded.Items, (Items{"c", "a", "b"}));
}

TEST(HistoryList, ASaveThatCannotWriteReportsIt) {
  test::TempDir dir;
  const std::string blocker = dir.Write("f", "x");
  TIniFile ini(blocker + "/h.ini");
  THistoryList list = With({"a"});
  EXPECT_FALSE(list.Save(ini, "H"));
  EXPECT_TRUE(list.Save(ini, ""));
}

}  // namespace
}  // namespace quoxa
