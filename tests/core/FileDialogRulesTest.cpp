#include <gtest/gtest.h>

#include <filesystem>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "widgets/FileDialogRules.h"
#include "widgets/FileListSort.h"

namespace quoxa {
namespace {

using Kind = TFileNameOutcome::Kind;
using Names = std::vector<std::string>;

TEST(FileFilters, TheListComesFromCommaSeparatedPatterns) {
  EXPECT_EQ(SplitFilterList("*.*,*.exe"), (Names{"*.*", "*.exe"}));
  EXPECT_EQ(SplitFilterList(" *.txt , ,*.bin"), (Names{"*.txt", "*.bin"}));
  EXPECT_TRUE(SplitFilterList("").empty());
}

TEST(FileFilters, TheRememberedFilterIsChosenWhenItIsOffered) {
  EXPECT_EQ(ChooseFilterIndex("*.*,*.exe", "*.EXE", 1), 1);
  EXPECT_EQ(ChooseFilterIndex("*.txt", "*.exe", 1), 0);
  EXPECT_EQ(ChooseFilterIndex("*.*,*.exe", "", 1), 0);
  EXPECT_EQ(ChooseFilterIndex("*.*,*.exe", "*.exe", 5), 0);
}

TEST(FileFilters, MatchingIgnoresCaseAndStarDotStarMatchesEverything) {
  EXPECT_TRUE(MatchesFilter("Makefile", "*.*"));
  EXPECT_TRUE(MatchesFilter("DATA.BIN", "*.bin"));
  EXPECT_FALSE(MatchesFilter("data.bin.txt", "*.bin"));
  EXPECT_TRUE(MatchesFilter("a1.qbm", "a?.qbm"));
  EXPECT_TRUE(MatchesFilter("ä1.qbm", "?1.qbm"));  // one character, two bytes
  EXPECT_FALSE(MatchesFilter("ab1.qbm", "a?.qbm"));
  EXPECT_TRUE(MatchesFilter("x.exe", "*.bin;*.exe"));
  EXPECT_TRUE(MatchesFilter("aXbXc", "a*b*c"));
  EXPECT_FALSE(MatchesFilter("abc", ""));
}

TEST(FileFilters, OnlyASingleStarDotExtensionPatternGivesADefaultExtension) {
  EXPECT_EQ(DefaultExtension("*.txt"), "txt");
  EXPECT_EQ(DefaultExtension("*.*"), "");
  EXPECT_EQ(DefaultExtension("*.t?t"), "");
  EXPECT_EQ(DefaultExtension("*.txt;*.bin"), "");
  EXPECT_EQ(DefaultExtension("a.txt"), "");
}

TEST(FileNames, PathsAreExpandedFromTheCurrentFolder) {
  test::ScopedEnv home("HOME", "/home/u");
  EXPECT_EQ(ExpandPath("a.bin", "/data"), "/data/a.bin");
  EXPECT_EQ(ExpandPath("../x/./a.bin", "/data/sub"), "/data/x/a.bin");
  EXPECT_EQ(ExpandPath("/abs/", "/data"), "/abs");
  EXPECT_EQ(ExpandPath("~/a.bin", "/data"), "/home/u/a.bin");
  EXPECT_EQ(ExpandPath("..", "/"), "/");
  EXPECT_EQ(SplitQuotedNames("\"a b.bin\" \"c.bin\"  \"\" \"d"), (Names{"a b.bin", "c.bin"}));
}

TEST(FileListSort, EachColumnFlipsItsOwnDirection) {
  TFileListSort sort;
  EXPECT_TRUE(sort.Take(FileColumn::Size));
  EXPECT_FALSE(sort.Take(FileColumn::Size));
  EXPECT_TRUE(sort.Take(FileColumn::Size));
  EXPECT_FALSE(sort.Take(FileColumn::Date));  // dates start newest first
  EXPECT_EQ(sort.LastColumn(), FileColumn::Date);
  EXPECT_FALSE(sort.LastAscending());
  EXPECT_TRUE(sort.Take(FileColumn::Name));
  EXPECT_TRUE(sort.Take(FileColumn::Type));
}

class FileNameRules : public ::testing::Test {
 protected:
  TFileNameOutcome Ok(OseMode mode, const std::string& text, const std::string& filter = "*.*",
                      const Names& listed = {}) {
    return EvaluateFileName(mode, text, dir.Path(), filter, listed, 0);
  }

  test::RecorderScope rec;
  test::TempDir dir;
};

TEST_F(FileNameRules, SavingANameWithoutExtensionTakesTheFiltersExtension) {
  const auto outcome = Ok(OseMode::Save, "report", "*.txt");
  ASSERT_EQ(outcome.kind, Kind::Accept);
  EXPECT_EQ(outcome.paths, Names{dir.File("report.txt")});
  EXPECT_EQ(Ok(OseMode::Save, "report.", "*.txt").paths, Names{dir.File("report.")});
  EXPECT_EQ(Ok(OseMode::Save, "report", "*.*").paths, Names{dir.File("report")});
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(FileNameRules, AWildcardPatternBecomesTheFilterAndTheDialogStays) {
  std::filesystem::create_directories(dir.File("sub"));
  auto outcome = Ok(OseMode::Open, "  *.bin ");
  EXPECT_EQ(outcome.kind, Kind::ChangeDirectory);
  EXPECT_EQ(outcome.directory, dir.Path());
  EXPECT_EQ(outcome.filter, "*.bin");
  outcome = Ok(OseMode::Save, "sub/*.q?m", "*.txt");
  EXPECT_EQ(outcome.kind, Kind::ChangeDirectory);
  EXPECT_EQ(outcome.directory, dir.File("sub"));
  EXPECT_EQ(outcome.filter, "*.q?m");
  outcome = Ok(OseMode::Open, "sub/");
  EXPECT_EQ(outcome.kind, Kind::ChangeDirectory);
  EXPECT_EQ(outcome.filter, "");
  // A folder's name moves into it as well.
  outcome = Ok(OseMode::Save, "sub", "*.txt");
  EXPECT_EQ(outcome.kind, Kind::ChangeDirectory);
  EXPECT_EQ(outcome.directory, dir.File("sub"));
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(FileNameRules, AMissingFolderIsReported) {
  const auto outcome = Ok(OseMode::Open, "nowhere/*.bin");
  EXPECT_EQ(outcome.kind, Kind::Refuse);
  EXPECT_EQ(rec.messages.Texts(), Names{"Path not found:\r\n" + dir.File("nowhere")});
  Ok(OseMode::Save, "nowhere/new.bin");
  EXPECT_EQ(rec.messages.Texts().back(), "Path not found:\r\n" + dir.File("nowhere"));
}

TEST_F(FileNameRules, OpeningAMissingFileIsRefused) {
  EXPECT_EQ(Ok(OseMode::Open, "absent.bin").kind, Kind::Refuse);
  EXPECT_EQ(rec.messages.Texts(), Names{"File " + dir.File("absent.bin") + " not found!"});
  dir.Write("there.bin", "x");
  const auto outcome = Ok(OseMode::Open, "\"there.bin\"");
  EXPECT_EQ(outcome.kind, Kind::Accept);
  EXPECT_EQ(outcome.paths, Names{dir.File("there.bin")});
  EXPECT_EQ(Ok(OseMode::Open, "   ").kind, Kind::Nothing);
}

TEST_F(FileNameRules, SavingOverAnExistingFileAsksFirst) {
  dir.Write("old.bin", "x");
  rec.messages.answers = {mrNo, mrYes};
  EXPECT_EQ(Ok(OseMode::Save, "old.bin").kind, Kind::Refuse);
  EXPECT_EQ(Ok(OseMode::Save, "old.bin").kind, Kind::Accept);
  const std::string question = "File\n" + dir.File("old.bin") + "\nalready exists. Overwrite?";
  EXPECT_EQ(rec.messages.Texts(), (Names{question, question}));
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Confirmation);
  EXPECT_EQ(rec.messages.shown[0].defaultButton, unsigned{mbNo});
}

TEST_F(FileNameRules, AFreeSpaceMinimumRefusesAFullDrive) {
  const auto outcome = EvaluateFileName(OseMode::Save, "big.bin", dir.Path(), "*.*", {}, INT64_MAX);
  EXPECT_EQ(outcome.kind, Kind::Refuse);
  EXPECT_EQ(rec.messages.Texts(), Names{"Not enough free space in " + dir.Path()});
}

TEST_F(FileNameRules, SeveralQuotedNamesMustAllExist) {
  dir.Write("a.bin", "a");
  dir.Write("B.bin", "b");
  const std::string elsewhere = dir.Write("x/c.bin", "c");
  const Names listed = {"a.bin", "B.bin"};
  auto outcome = Ok(OseMode::OpenMany, "\"a.bin\" \"b.bin\" \"" + elsewhere + "\"", "*.*", listed);
  ASSERT_EQ(outcome.kind, Kind::Accept);
  // The listed spelling is the file that exists.
  EXPECT_EQ(outcome.paths, (Names{dir.File("a.bin"), dir.File("B.bin"), elsewhere}));
  EXPECT_EQ(outcome.editText, dir.File("a.bin"));
  outcome = Ok(OseMode::OpenMany, "\"a.bin\" \"zz.bin\" \"yy.bin\"", "*.*", listed);
  EXPECT_EQ(outcome.kind, Kind::Refuse);
  EXPECT_EQ(rec.messages.Texts(), Names{"File zz.bin not found!"});
  outcome = Ok(OseMode::OpenMany, "\"/nowhere/q.bin\"", "*.*", listed);
  EXPECT_EQ(rec.messages.Texts().back(), "File /nowhere/q.bin not found!");
}

TEST_F(FileNameRules, ChoosingAFolderTakesTheCurrentOne) {
  const auto outcome = Ok(OseMode::Directory, "ignored");
  EXPECT_EQ(outcome.kind, Kind::Accept);
  EXPECT_EQ(outcome.paths, Names{dir.Path()});
}

TEST_F(FileNameRules, ListingTakesMatchingFilesButNoFolders) {
  dir.Write("a.bin", "12345");
  dir.Write("b.TXT", "1");
  dir.Write(".hidden.bin", "1");
  std::filesystem::create_directories(dir.File("folder.bin"));
  std::filesystem::create_directories(dir.File("Zeta"));
  std::filesystem::create_directories(dir.File("alpha"));
  std::filesystem::create_directories(dir.File(".git"));
  auto files = ListFolderFiles(dir.Path(), "*.bin");
  std::sort(files.begin(), files.end(), [](const auto& x, const auto& y) { return x.name < y.name; });
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].name, ".hidden.bin");
  EXPECT_EQ(files[1].name, "a.bin");
  EXPECT_EQ(files[1].size, 5);
  EXPECT_GT(files[1].modified, 1600000000);
  EXPECT_EQ(ListFolderFiles(dir.Path(), "*.txt").size(), 1u);
  EXPECT_EQ(ListSubfolders(dir.Path()), (Names{"alpha", "folder.bin", "Zeta"}));
  EXPECT_TRUE(ListFolderFiles(dir.File("none"), "*.*").empty());
}

}  // namespace
}  // namespace quoxa
