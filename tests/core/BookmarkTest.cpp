// Bookmarks: the list and its captions, the Bookmarks menu's commands with their messages, and
// bookmark files written and read back, good and bad.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "Recorders.h"
#include "TempFiles.h"
#include "TestDocument.h"
#include "core/BookmarkList.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "edit/BookmarkCommands.h"
#include "edit/BookmarkFile.h"

namespace quoxa {
namespace {

using Entries = std::vector<std::string>;

class BookmarkCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    Doc().Bookmarks.Clear();
    InstallBookmarkMenuView([this] { ++refreshes; });
  }
  void TearDown() override {
    InstallBookmarkMenuView(nullptr);
    Doc().Bookmarks.Clear();
  }
  void Load(int64_t size) { test::LoadDocument(test::Ramp(size), 16, 4); }
  void PlaceCursor(int64_t pos) { GotoAddress(pos, true, false); }
  // Adds a bookmark at pos as the user would, answering the input box with name.
  void Add(int64_t pos, const std::string& name) {
    PlaceCursor(pos);
    rec.messages.inputAnswers.push_back({true, name});
    AddBookmarkCommand();
  }
  std::vector<std::string> Texts() const { return rec.messages.Texts(); }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const BookmarkMenuEntry& entry : BookmarkMenuEntries()) {
      if (entry.visible) captions.push_back(entry.caption);
    }
    return captions;
  }

  test::RecorderScope rec;
  test::TempDir dir;
  int refreshes = 0;
};

TEST(BookmarkCaptions, FollowTheGridAndTheBaseAddress) {
  test::RecorderScope rec;
  struct Case {
    const char* entry;
    bool textMode;
    int64_t base;
    const char* caption;
  };
  const Case cases[] = {
      {"17 start", true, 0, "&3 16: start"},   {"17 start", false, 0, "&3 $10: start"},
      {"17 start", true, 1, "&3 17: start"},   {"17 start", false, 1, "&3 $11: start"},
      {"4096 ", false, 0, "&3 $FFF: "},        {"1 a&b\tc", true, 0, "&3 0: a&b c"},
      {"2 caf\xE9", true, 0, "&3 1: caf\xC3\xA9"}, {"0 zero", false, 0, "&3 $FFFFFFFF: zero"},
  };
  for (const Case& c : cases) {
    Doc().BaseAddress = c.base;
    EXPECT_EQ(BookmarkCaption(3, c.entry, c.textMode), c.caption) << c.entry;
  }
  EXPECT_EQ(BookmarkPosition("4096 end of table"), 4096);
  EXPECT_EQ(BookmarkName("4096 end of table"), "end of table");
  EXPECT_EQ(BookmarkPosition("4294967312 past 4 GiB"), 4294967312LL);
  EXPECT_EQ(BookmarkPosition("99999999999999999999 x"), 0);
}

TEST_F(BookmarkCommands, AddAsksForANameAndStopsAtNine) {
  Load(50);
  Add(17, "  start  ");
  ASSERT_EQ(rec.messages.inputs.size(), 1u);
  EXPECT_EQ(rec.messages.inputs[0].caption, "Add new bookmark for current address");
  EXPECT_EQ(rec.messages.inputs[0].prompt, "Name:");
  Add(5, "");
  Add(6, "caf\xC3\xA9");  // typed text becomes the code page's bytes
  PlaceCursor(7);
  AddBookmarkCommand();  // Cancel
  EXPECT_EQ(Doc().Bookmarks.Entries(), (Entries{"17 start", "5 ", "6 caf\xE9"}));
  for (int i = 4; i <= 9; ++i) Add(i, "b");
  EXPECT_EQ(Doc().Bookmarks.Count(), 9);
  rec.messages.inputs.clear();
  AddBookmarkCommand();
  EXPECT_TRUE(rec.messages.inputs.empty());
  EXPECT_EQ(Texts(), Entries{"Maximum number of bookmarks reached!"});
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Error);
  EXPECT_EQ(Doc().Bookmarks.Count(), 9);
}

TEST_F(BookmarkCommands, TheMenuShowsTheListAndItsCommandsFollowIt) {
  Load(50);
  RefreshBookmarkMenu();
  for (Cmd cmd : {Cmd::BookmarkRemove, Cmd::BookmarkRemoveAll, Cmd::BookmarkSave}) EXPECT_FALSE(Commands().Enabled(cmd));
  EXPECT_TRUE(Captions().empty());
  Add(17, "start");
  Add(33, "x");
  for (Cmd cmd : {Cmd::BookmarkRemove, Cmd::BookmarkRemoveAll, Cmd::BookmarkSave}) EXPECT_TRUE(Commands().Enabled(cmd));
  EXPECT_EQ(Captions(), (Entries{"&1 $10: start", "&2 $20: x"}));
  Doc().TextMode = true;
  EXPECT_EQ(Captions(), (Entries{"&1 16: start", "&2 32: x"}));
  const int before = refreshes;
  RemoveAllBookmarksCommand();
  EXPECT_EQ(refreshes, before + 1);
  EXPECT_TRUE(Captions().empty());
  EXPECT_FALSE(Commands().Enabled(Cmd::BookmarkRemove));
}

TEST_F(BookmarkCommands, RemoveOffersTheLabelsAndRenumbers) {
  Load(50);
  for (int i = 1; i <= 5; ++i) Add(i * 10, "m" + std::to_string(i));
  rec.messages.listAnswers.push_back({true, 2});
  RemoveBookmarkCommand();
  ASSERT_EQ(rec.messages.lists.size(), 1u);
  EXPECT_EQ(rec.messages.lists[0].caption, "Remove bookmark");
  EXPECT_EQ(rec.messages.lists[0].items, (Entries{"$9: m1", "$13: m2", "$1D: m3", "$27: m4", "$31: m5"}));
  EXPECT_FALSE(rec.messages.lists[0].withDelete);
  EXPECT_EQ(Captions(), (Entries{"&1 $9: m1", "&2 $13: m2", "&3 $27: m4", "&4 $31: m5"}));
  const int before = refreshes;
  RemoveBookmarkCommand();  // Cancel
  EXPECT_EQ(Doc().Bookmarks.Count(), 4);
  EXPECT_EQ(refreshes, before + 1);
}

TEST_F(BookmarkCommands, ChoosingGoesThereOrOffersToRemoveAnInvalidOne) {
  Load(50);
  Doc().Bookmarks.Replace({"20 a", "100 far", "0 zero", "50 last"});
  ChooseBookmarkCommand(1);
  EXPECT_EQ(CursorAddress(), 20);
  ChooseBookmarkCommand(4);
  EXPECT_EQ(CursorAddress(), 50);
  rec.messages.answers = {mrNo, mrYes, mrYes};
  ChooseBookmarkCommand(2);  // No: kept
  EXPECT_EQ(Doc().Bookmarks.Count(), 4);
  ChooseBookmarkCommand(2);
  ChooseBookmarkCommand(2);  // the former third, position 0
  EXPECT_EQ(Doc().Bookmarks.Entries(), (Entries{"20 a", "50 last"}));
  EXPECT_EQ(Texts(), Entries(3, "Bookmark invalid. Remove from list?"));
  EXPECT_EQ(rec.messages.shown[0].buttons, unsigned{mbYes | mbNo});
  EXPECT_EQ(CursorAddress(), 50);
  ChooseBookmarkCommand(9);  // hidden entry: nothing
  EXPECT_EQ(Texts().size(), 3u);
}

TEST_F(BookmarkCommands, FilesRoundTripWithCrLfAfterEveryLine) {
  Load(50);
  Doc().Bookmarks.Replace({"17 start", "4096 end of table"});
  const std::string path = dir.File("marks.qbm");
  ASSERT_TRUE(SaveBookmarksTo(path));
  EXPECT_EQ(test::ReadBytes(path), "17 start\r\n4096 end of table\r\n");  // 29 bytes
  Doc().Bookmarks.Clear();
  ASSERT_TRUE(LoadBookmarksFrom(path));
  EXPECT_EQ(Doc().Bookmarks.Entries(), (Entries{"17 start", "4096 end of table"}));
  EXPECT_TRUE(Texts().empty());
  // A bookmark beyond this document is kept and reported when chosen.
  ChooseBookmarkCommand(2);
  EXPECT_EQ(Texts(), Entries{"Bookmark invalid. Remove from list?"});
  EXPECT_EQ(Doc().Bookmarks.Count(), 2);
}

TEST(BookmarkFile, ReadingTakesAnyLineEndAndPassesOverWhatIsNoBookmark) {
  using Fault = BookmarkFileFault;
  struct Case {
    std::string bytes;
    Fault fault;
    Entries entries;
    int skipped;
    int cut;
  };
  std::string ten;
  for (int i = 1; i <= 11; ++i) ten += std::to_string(i) + " n\r\n";
  const std::string name255(255, 'x');
  const Case cases[] = {
      {"1 a\r\n2 b\n3 c\r4 d", Fault::None, {"1 a", "2 b", "3 c", "4 d"}, 0, 0},
      {"\r\n\n\r  \t\n5 x\n\r", Fault::None, {"5 x"}, 0, 0},
      {"abc\r\n5 x\r\n", Fault::None, {"5 x"}, 1, 0},
      {"-5 x\n+5 y\n 5 z\n5\n5x\n007 ok", Fault::None, {"007 ok"}, 5, 0},
      {"2147483648 past 2 GiB\n4294967312 past 4 GiB\n9223372036854775807 max\n9223372036854775808 over\n"
       "99999999999999999999 huge\n",
       Fault::None,
       {"2147483648 past 2 GiB", "4294967312 past 4 GiB", "9223372036854775807 max"},
       2,
       0},
      {"5 a\x01z\n6 del\x7F\n7 tab\there\n8 \xFF\xFE", Fault::None, {"7 tab\there", "8 \xFF\xFE"}, 2, 0},
      {"1 " + name255 + "\n2 " + name255 + "y\n", Fault::None, {"1 " + name255}, 1, 0},
      {"2 " + name255 + "y\r\n", Fault::NameTooLong, {}, 1, 0},
      {"x\n2 " + name255 + "y\r\n", Fault::NameTooLong, {}, 2, 0},
      {"0 zero\n3  two blanks ", Fault::None, {"0 zero", "3  two blanks "}, 0, 0},
      {ten, Fault::None, {"1 n", "2 n", "3 n", "4 n", "5 n", "6 n", "7 n", "8 n", "9 n"}, 0, 2},
      {std::string("1 a\0b\n", 6), Fault::Binary, {}, 0, 0},
      {"", Fault::NoBookmarks, {}, 0, 0},
      {"\r\n\r\n", Fault::NoBookmarks, {}, 0, 0},
      {"hello\nworld", Fault::NoBookmarks, {}, 2, 0},
      {std::string(kMaxBookmarkFileSize + 1, '\n'), Fault::TooLarge, {}, 0, 0},
  };
  for (const Case& c : cases) {
    const BookmarkFileContents got = ParseBookmarkFile(c.bytes);
    const std::string shown = c.bytes.substr(0, 40);
    EXPECT_EQ(got.fault, c.fault) << shown;
    EXPECT_EQ(got.entries, c.entries) << shown;
    EXPECT_EQ(got.skipped, c.skipped) << shown;
    EXPECT_EQ(got.cut, c.cut) << shown;
  }
}

TEST_F(BookmarkCommands, BadFilesAreReportedByNameAndLeaveTheListAlone) {
  Load(50);
  Doc().Bookmarks.Replace({"1 keep"});
  const std::string huge = dir.File("huge.qbm");
  {
    const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 100 << 20), 0);  // 100 MB, never read whole
    ::close(fd);
  }
  const std::pair<std::string, std::string> refused[] = {
      {dir.Write("bin.qbm", std::string("1 a\0\xFF", 5)), "bin.qbm is not a bookmark file.\nIt holds binary data."},
      {huge, "huge.qbm is not a bookmark file.\nIt is larger than 64 KB."},
      {dir.Write("text.qbm", "just\nsome text\n"),
       "text.qbm is not a bookmark file.\nNo line holds a position, a blank and a name."},
      {dir.File("missing.qbm"), "Error reading\nmissing.qbm\nError 2: File not found"},
      {dir.Write("long.qbm", "7 " + std::string(256, 'n') + "\r\n"),
       "A bookmark name in long.qbm is longer than 255 characters, the most a name may have."},
  };
  for (const auto& [path, text] : refused) {
    rec.messages.shown.clear();
    EXPECT_FALSE(LoadBookmarksFrom(path));
    EXPECT_EQ(Texts(), Entries{text});
    EXPECT_EQ(rec.messages.shown[0].type, MsgType::Error);
    EXPECT_EQ(Doc().Bookmarks.Entries(), Entries{"1 keep"});
  }

  std::string many = "junk\n";
  for (int i = 1; i <= 12; ++i) many += std::to_string(i) + " m\n";
  const std::pair<std::string, std::string> warned[] = {
      {dir.Write("one.qbm", "x\n5 a\n"), "1 line of one.qbm is no bookmark and was skipped."},
      {dir.Write("many.qbm", many),
       "1 line of many.qbm is no bookmark and was skipped.\nmany.qbm holds more than 9 bookmarks; only the first 9 "
       "were loaded."},
      {dir.Write("two.qbm", "x\ny\n5 a\n"), "2 lines of two.qbm are no bookmarks and were skipped."},
      {dir.Write("mixed.qbm", "5 a\n6 " + std::string(300, 'n') + "\n"),
       "1 line of mixed.qbm is no bookmark and was skipped.\nA bookmark name in mixed.qbm is "
       "longer than 255 characters, the most a name may have."},
  };
  for (const auto& [path, text] : warned) {
    rec.messages.shown.clear();
    EXPECT_TRUE(LoadBookmarksFrom(path));
    EXPECT_EQ(Texts(), Entries{text});
    EXPECT_EQ(rec.messages.shown[0].type, MsgType::Warning);
  }
  EXPECT_EQ(Doc().Bookmarks.Entries(), Entries{"5 a"});
}

TEST_F(BookmarkCommands, AFailedSaveIsShownAndLeavesTheOldFile) {
  Doc().Bookmarks.Replace({"1 a"});
  EXPECT_FALSE(SaveBookmarksTo(dir.File("no/such/folder/x.qbm")));
  EXPECT_EQ(Texts(), Entries{"Error writing\nx.qbm\nError 3: Path not found"});
  const std::string path = dir.Write("old.qbm", "9 old\r\n");
  Doc().Bookmarks.Replace({"2 new"});
  ASSERT_TRUE(SaveBookmarksTo(path));
  EXPECT_EQ(test::ReadBytes(path), "2 new\r\n");
}

}  // namespace
}  // namespace quoxa
