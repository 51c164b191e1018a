#include <gtest/gtest.h>

#include "TempDir.h"
#include "settings/RecentList.h"

namespace quoxa {
namespace {

using Items = std::vector<std::string>;

TEST(RecentList, AddFilePutsNewFilesFirstAndKeepsFileCount) {
  TRecentList list;
  for (int i = 1; i <= 7; ++i) list.AddFile("/d/" + std::to_string(i));
  EXPECT_EQ(list.Files, (Items{"/d/7", "/d/6", "/d/5", "/d/4", "/d/3"}));
}

TEST(RecentList, AddingAListedFileMovesItFirstAndShiftsTheOthers) {
  TRecentList list;
  list.Files = {"/a", "/b", "/c", "/d"};
  list.AddFile("/c");
  EXPECT_EQ(list.Files, (Items{"/c", "/a", "/b", "/d"}));
  // Linux names differ by case: a second file, not the same one.
  list.AddFile("/C");
  EXPECT_EQ(list.Files, (Items{"/C", "/c", "/a", "/b", "/d"}));
}

TEST(RecentList, MoveToTopWorksWhetherOrNotTheFileStillExists) {
  TRecentList list;
  list.Files = {"/a", "/gone/never-there.bin", "/c"};
  list.MoveToTop(1);
  EXPECT_EQ(list.Files, (Items{"/gone/never-there.bin", "/a", "/c"}));
  list.MoveToTop(5);
  EXPECT_EQ(list.Files.size(), 3u);
}

TEST(RecentList, SetFileCountCutsFromTheEnd) {
  TRecentList list;
  list.Files = {"/1", "/2", "/3", "/4", "/5"};
  list.SetFileCount(3);
  EXPECT_EQ(list.Files, (Items{"/1", "/2", "/3"}));
  list.SetFileCount(9);
  for (int i = 0; i < 8; ++i) list.AddFile("/n" + std::to_string(i));
  EXPECT_EQ(list.Files.size(), 9u);
}

TEST(RecentList, CaptionsAreNumberedShortenedAndEscaped) {
  TRecentList list;
  list.Files = {"/Projects/Customer/Sources/Data/file.bin", "/tmp/R&D.bin"};
  EXPECT_EQ(list.Caption(0), "&1 /.../Sources/Data/file.bin");
  EXPECT_EQ(list.Caption(1), "&2 /tmp/R&&D.bin");
  list.ShortCut = false;
  EXPECT_EQ(list.Caption(1), "/tmp/R&&D.bin");
  list.ShortCut = true;
  list.SetFileCount(12);
  for (int i = 0; i < 8; ++i) list.AddFile("/f" + std::to_string(i));
  ASSERT_EQ(list.Files.size(), 10u);
  EXPECT_EQ(list.Caption(0), "/f7");  // ten entries: no numbers
}

TEST(RecentList, LoadTakesTheFirstFiveAndSaveWritesThemBare) {
  test::TempDir dir;
  TIniFile ini(dir.Write("s.ini", "[MRU Files]\n0=/a\n1=/b\n2=\n3=/c\n4=/d\n5=/e\n6=/f\n7=/g\n8=/h\n"));
  TRecentList list;
  list.Load(ini, "MRU Files");
  EXPECT_EQ(list.Files, (Items{"/a", "/b", "/c", "/d", "/e"}));
  list.AddFile("/new");
  ASSERT_TRUE(list.Save(ini, "MRU Files"));
  EXPECT_EQ(test::TempDir::Read(ini.Path()), "[MRU Files]\n0=/new\n1=/a\n2=/b\n3=/c\n4=/d\n");
}

TEST(Favorites, AddPutsTheFolderFirstOnceAndThereIsNoMaximum) {
  TFavoriteList list;
  for (int i = 0; i < 20; ++i) list.Add("/f" + std::to_string(i));
  EXPECT_EQ(list.Items.size(), 20u);
  list.Add("/f3");
  EXPECT_EQ(list.Items.front(), "/f3");
  EXPECT_EQ(list.Items.size(), 20u);
  EXPECT_EQ(list.Items[4], "/f16");
}

TEST(Favorites, SaveAndLoadKeepTheOrder) {
  test::TempDir dir;
  TIniFile ini(dir.File("s.ini"));
  TFavoriteList list;
  list.Items = {"/home/u/data", "/tmp"};
  ASSERT_TRUE(list.Save(ini, "Favorites"));
  EXPECT_EQ(test::TempDir::Read(ini.Path()), "[Favorites]\n0=/home/u/data\n1=/tmp\n");
  TFavoriteList loaded;
  loaded.Load(ini, "Favorites");
  EXPECT_EQ(loaded.Items, list.Items);
}

TEST(ShortenPath, KeepsTheRootAndAsManyLastFoldersAsFit) {
  EXPECT_EQ(ShortenPath("/Projects/Customer/Sources/Data/file.bin", 30), "/.../Sources/Data/file.bin");
  EXPECT_EQ(ShortenPath("/Projects/Customer/Sources/Data/file.bin", 0), "/Projects/Customer/Sources/Data/file.bin");
  EXPECT_EQ(ShortenPath("/short/path.bin", 30), "/short/path.bin");
  // Exactly MaxLength characters is not shortened.
  EXPECT_EQ(ShortenPath("/aaaaaaaaaa/bbbbbbbbbb/ccccc.bin", 32), "/aaaaaaaaaa/bbbbbbbbbb/ccccc.bin");
  EXPECT_EQ(ShortenPath("/aaaaaaaaaa/bbbbbbbbbb/ccccc.bin", 31), "/.../bbbbbbbbbb/ccccc.bin");
}

TEST(ShortenPath, LeavesPathsItCannotShortenAlone) {
  const std::string noSlash(40, 'n');
  EXPECT_EQ(ShortenPath(noSlash, 30), noSlash);
  const std::string rootFile = "/" + std::string(40, 'f');
  EXPECT_EQ(ShortenPath(rootFile, 30), rootFile);
  // Not shorter after shortening: unchanged.
  EXPECT_EQ(ShortenPath("/a/" + std::string(40, 'f'), 30), "/a/" + std::string(40, 'f'));
}

TEST(ShortenPath, RelativePathsLoseTheLeadingEllipsis) {
  EXPECT_EQ(ShortenPath("Projects/Customer/Sources/Data/file.bin", 30), "Sources/Data/file.bin");
}

TEST(ShortenPath, CountsCharactersNotBytes) {
  // 25 characters but 38 bytes: short enough.
  const std::string path = "/Äöüßé/Äöüßé/ÄÖÜ/file.bin";
  EXPECT_EQ(ShortenPath(path, 25), path);
  EXPECT_EQ(ShortenPath(path, 24), "/.../Äöüßé/ÄÖÜ/file.bin");
  EXPECT_EQ(ShortenPath(path, 20), "/.../ÄÖÜ/file.bin");
}

}  // namespace
}  // namespace quoxa
