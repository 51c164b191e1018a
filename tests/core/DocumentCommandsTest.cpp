#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/MemoryPolicy.h"
#include "core/Navigation.h"
#include "core/View.h"
#include "settings/Options.h"
#include "ui/main/DocumentCommands.h"

namespace quoxa {
namespace {

namespace fs = std::filesystem;

class FakeHost final : public IDocumentHost {
 public:
  FileAnswer AskFileName(const FileQuestion& question) override {
    questions.push_back(question);
    if (answers.empty()) return {};
    FileAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void SetCaption(const std::string& text) override { caption = text; }
  void ShowNote(const std::string& text) override { note = text; }
  void ClearGrids() override { ++clears; }
  void ShowDocumentView(bool shown) override { viewShown = shown; }
  void AddRecentFile(const std::string& path) override { recent.push_back(path); }

  std::deque<FileAnswer> answers;
  std::vector<FileQuestion> questions;
  std::string caption;
  std::string note;
  int clears = 0;
  bool viewShown = false;
  std::vector<std::string> recent;
};

FileAnswer Chosen(const fs::path& path, bool readOnly = false) { return {true, path.string(), readOnly}; }

class DocumentCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quoxa-doc-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    AllocDocument();
    SetPageGeometry(16, 10);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, ignored);
    fs::remove_all(dir_, ignored);
  }

  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  test::RecorderScope rec;
  FakeHost host;
  TDocumentCommands docs{host};
  fs::path dir_;
};

TEST_F(DocumentCommands, NewTwiceGivesNoName1ThenNoName2) {
  docs.New();
  EXPECT_EQ(Doc().FileName, "NoName1");
  EXPECT_EQ(host.caption, "QUOXA - NoName1");
  docs.New();
  EXPECT_EQ(Doc().FileName, "NoName2");
  EXPECT_EQ(host.caption, "QUOXA - NoName2");
  EXPECT_TRUE(Doc().Untitled);
  EXPECT_TRUE(Doc().ViewReady);
  EXPECT_TRUE(host.viewShown);
  EXPECT_EQ(Doc().DocSize, 0);
  EXPECT_EQ(Capacity(), kMinCapacity);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(DocumentCommands, NewWithTheEofOptionHoldsOneByte1A) {
  Options().NewEOF = true;
  docs.New();
  EXPECT_EQ(test::DocumentBytes(), "\x1A");
  EXPECT_EQ(Capacity(), kMinCapacity);
  EXPECT_EQ(CursorAddress(), 1);
}

TEST_F(DocumentCommands, NewShrinksTheBlockOfALargerDocument) {
  test::LoadDocument(std::string(2000000, 'x'));
  EXPECT_GT(Capacity(), kMinCapacity);
  docs.New();
  EXPECT_EQ(Capacity(), kMinCapacity);
}

TEST_F(DocumentCommands, ShownDocumentEnablesItsCommandsAndReadOnlyKeepsSaveOff) {
  docs.ShowNoDocument();
  EXPECT_FALSE(Commands().Enabled(Cmd::Save));
  EXPECT_FALSE(Commands().Enabled(Cmd::InsertFile));
  docs.New();
  for (Cmd cmd : {Cmd::Save, Cmd::BtnSave, Cmd::SaveAs, Cmd::Close, Cmd::InsertFile, Cmd::BlockMark, Cmd::Find,
                  Cmd::Goto, Cmd::Bookmarks, Cmd::Paste, Cmd::PasteHex}) {
    EXPECT_TRUE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  }
  EXPECT_FALSE(Commands().Enabled(Cmd::ReplaceUndo));
  EXPECT_FALSE(Commands().Enabled(Cmd::BlockUnmark));
  const fs::path path = Write("a.bin", "abc");
  host.answers.push_back(Chosen(path, true));
  docs.Open();
  EXPECT_TRUE(Doc().ReadOnly);
  EXPECT_FALSE(Commands().Enabled(Cmd::Save));
  EXPECT_FALSE(Commands().Enabled(Cmd::BtnSave));
  EXPECT_TRUE(Commands().Enabled(Cmd::SaveAs));
  EXPECT_EQ(host.note, "File opened in Read Only mode!");
}

TEST_F(DocumentCommands, ClosingShowsNoDocument) {
  docs.New();
  Commands().SetEnabled(Cmd::BlockDelete, true);
  docs.CloseDocument();
  EXPECT_FALSE(Doc().ViewReady);
  EXPECT_EQ(Doc().DocSize, 0);
  EXPECT_EQ(host.caption, "QUOXA");
  EXPECT_FALSE(host.viewShown);
  EXPECT_GT(host.clears, 0);
  for (Cmd cmd : {Cmd::Save, Cmd::SaveAs, Cmd::Close, Cmd::InsertFile, Cmd::BlockDelete, Cmd::BtnSave}) {
    EXPECT_FALSE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  }
  for (Cmd cmd : {Cmd::New, Cmd::Open, Cmd::Exit, Cmd::About, Cmd::BtnNew, Cmd::BtnOpen}) {
    EXPECT_TRUE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  }
  EXPECT_NE(Doc().DocBuffer, nullptr);
}

TEST_F(DocumentCommands, CancelOnTheSaveQuestionKeepsTheDocument) {
  docs.New();
  SetByte(1, 'Q');
  Doc().DocSize = 1;
  Doc().Modified = true;
  // New asks nothing: the new document comes beside the modified one.
  docs.New();
  EXPECT_TRUE(rec.messages.shown.empty());
  EXPECT_EQ(docs.Count(), 2);
  EXPECT_EQ(Doc().FileName, "NoName2");
  docs.Activate(0);
  EXPECT_EQ(host.caption, "QUOXA - NoName1");
  rec.messages.answers.push_back(mrCancel);
  docs.CloseDocument();
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"NoName1 modified. Save now?"});
  EXPECT_EQ(rec.messages.shown[0].buttons, unsigned{mbYes | mbNo | mbCancel});
  EXPECT_EQ(docs.Count(), 2);
  EXPECT_TRUE(Doc().ViewReady);
  EXPECT_TRUE(Doc().Modified);
  EXPECT_EQ(test::DocumentBytes(), "Q");
}

TEST_F(DocumentCommands, NoDiscardsTheChanges) {
  docs.New();
  Doc().Modified = true;
  rec.messages.answers.push_back(mrNo);
  docs.New();
  EXPECT_EQ(Doc().FileName, "NoName2");
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(DocumentCommands, YesOnANewDocumentAsksForAName) {
  docs.New();
  SetByte(1, 'Z');
  Doc().DocSize = 1;
  Doc().Modified = true;
  rec.messages.answers.push_back(mrYes);
  docs.CloseDocument();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_TRUE(host.questions[0].save);
  EXPECT_EQ(host.questions[0].title, "Save file as");
  // The dialog was cancelled: nothing saved, nothing closed.
  EXPECT_TRUE(Doc().ViewReady);
  EXPECT_TRUE(Doc().Modified);

  const fs::path target = dir_ / "saved.bin";
  rec.messages.answers.push_back(mrYes);
  host.answers.push_back(Chosen(target));
  docs.CloseDocument();
  EXPECT_EQ(Read(target), "Z");
  EXPECT_FALSE(Doc().ViewReady);
}

TEST_F(DocumentCommands, YesOnANamedDocumentSavesUnderItsName) {
  const fs::path path = Write("named.bin", "abcdef");
  ASSERT_TRUE(docs.OpenFileByName(path.string(), false));
  SetByte(2, 'X');
  Doc().Modified = true;
  rec.messages.answers.push_back(mrYes);
  EXPECT_TRUE(docs.QuerySave());
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"named.bin modified. Save now?"});
  EXPECT_EQ(Read(path), "aXcdef");
  EXPECT_FALSE(Doc().Modified);
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(DocumentCommands, WithoutChangesNothingIsAsked) {
  docs.New();
  EXPECT_TRUE(docs.QuerySave());
  Doc().Modified = true;
  Doc().ViewReady = false;
  EXPECT_TRUE(docs.QuerySave());
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(DocumentCommands, OpenLoadsTheFileAndRemembersItsFolder) {
  const fs::path path = Write("data.bin", "0123456789");
  host.answers.push_back(Chosen(path));
  Options().CurrentDir = "/somewhere";
  docs.Open();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_FALSE(host.questions[0].save);
  EXPECT_EQ(host.questions[0].title, "Open file");
  EXPECT_EQ(host.questions[0].startDir, "/somewhere");
  EXPECT_TRUE(host.questions[0].readOnlyBox);
  EXPECT_EQ(test::DocumentBytes(), "0123456789");
  EXPECT_EQ(Doc().FileName, path.string());
  EXPECT_EQ(host.caption, "QUOXA - data.bin");
  EXPECT_EQ(Options().CurrentDir, dir_.string());
  EXPECT_EQ(host.recent, std::vector<std::string>{path.string()});
  EXPECT_FALSE(Doc().Untitled);
  EXPECT_FALSE(Doc().ReadOnly);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_EQ(CursorAddress(), 1);
  EXPECT_EQ(Doc().TopAddress, 1);
}

TEST_F(DocumentCommands, OpeningForgetsTheBlockAndSearchPositions) {
  test::LoadDocument(test::Ramp(100));
  Doc().BlockBegin = 3;
  Doc().BlockEnd = 9;
  Doc().RememberedAddress = 50;
  const fs::path path = Write("next.bin", "xyz");
  ASSERT_TRUE(docs.OpenFileByName(path.string(), false));
  EXPECT_FALSE(BlockMarked());
  EXPECT_EQ(Doc().RememberedAddress, 1);
}

// Holds a write lock on a file as another program editing it would.
class ForeignWriteLock {
 public:
  explicit ForeignWriteLock(const fs::path& path) : fd_(open(path.c_str(), O_RDWR)) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    locked_ = fd_ >= 0 && fcntl(fd_, F_OFD_SETLK, &lock) == 0;
  }
  ~ForeignWriteLock() {
    if (fd_ >= 0) close(fd_);
  }
  bool Locked() const { return locked_; }

 private:
  int fd_;
  bool locked_ = false;
};

TEST_F(DocumentCommands, AFileWithoutWritePermissionOpensReadOnly) {
  const fs::path path = Write("locked.bin", "abc");
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  ASSERT_TRUE(docs.OpenFileByName(path.string(), false));
  EXPECT_TRUE(Doc().ReadOnly);
  EXPECT_EQ(host.note, "File is in Read Only mode!");
  EXPECT_FALSE(Commands().Enabled(Cmd::Save));
}

TEST_F(DocumentCommands, FilesOfTheKernelOpenWithAllTheyHoldButReadOnly) {
  // kallsyms holds megabytes: the block grows while it is read.
  for (const char* path : {"/proc/self/status", "/proc/cpuinfo", "/proc/kallsyms"}) {
    SCOPED_TRACE(path);
    if (!fs::exists(path)) continue;
    Doc().ReadOnly = false;
    host.note.clear();

    ASSERT_TRUE(docs.OpenFileByName(path, false));

    EXPECT_GT(Doc().DocSize, 0) << "its size reads 0, but it holds bytes";
    EXPECT_EQ(test::DocumentBytes().substr(0, 5), Read(path).substr(0, 5));
    EXPECT_EQ(test::DocumentBytes().back(), '\n') << "read to its end";
    EXPECT_TRUE(Doc().ReadOnly);
    EXPECT_FALSE(Commands().Enabled(Cmd::Save));
    EXPECT_EQ(host.note, "System file, opened in Read Only mode!");
    EXPECT_TRUE(rec.messages.shown.empty());
  }
}

TEST_F(DocumentCommands, AFileInUseOpensReadOnlyWhenTheUserAgrees) {
  const fs::path path = Write("shared.bin", "abc");
  ForeignWriteLock lock(path);
  ASSERT_TRUE(lock.Locked());
  rec.messages.answers = {mrOK, mrYes};
  ASSERT_TRUE(docs.OpenFileByName(path.string(), false));
  const std::vector<std::string> texts = rec.messages.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Error reading\nshared.bin\nError 32: File sharing violation");
  EXPECT_EQ(texts[1], "shared.bin is opened by another application.\nOpen in Read Only mode?");
  EXPECT_EQ(rec.messages.shown[1].buttons, unsigned{mbYes | mbNo});
  EXPECT_TRUE(Doc().ReadOnly);
  EXPECT_EQ(test::DocumentBytes(), "abc");
  EXPECT_EQ(host.note, "File opened in Read Only mode!");
  EXPECT_FALSE(Commands().Enabled(Cmd::Save));
  EXPECT_FALSE(Commands().Enabled(Cmd::BtnSave));

  // Save As under another name ends read-only mode.
  const fs::path copy = dir_ / "copy.bin";
  host.answers.push_back(Chosen(copy));
  EXPECT_TRUE(docs.SaveAsDialog());
  EXPECT_FALSE(Doc().ReadOnly);
  EXPECT_TRUE(Commands().Enabled(Cmd::Save));
  EXPECT_TRUE(Commands().Enabled(Cmd::BtnSave));
  EXPECT_EQ(Doc().FileName, copy.string());
  EXPECT_EQ(host.caption, "QUOXA - copy.bin");
  EXPECT_EQ(Read(copy), "abc");
}

TEST_F(DocumentCommands, NoToTheReadOnlyQuestionLeavesNoDocument) {
  const fs::path path = Write("shared.bin", "abc");
  ForeignWriteLock lock(path);
  ASSERT_TRUE(lock.Locked());
  rec.messages.answers = {mrOK, mrNo};
  EXPECT_FALSE(docs.OpenFileByName(path.string(), false));
  EXPECT_EQ(rec.messages.Texts().size(), 2u);
  EXPECT_FALSE(Doc().ViewReady);
  EXPECT_FALSE(Doc().ReadOnly);
}

TEST_F(DocumentCommands, AFileInUseIsNotAskedAboutWhenAlreadyReadOnly) {
  const fs::path path = Write("shared.bin", "abc");
  ForeignWriteLock lock(path);
  ASSERT_TRUE(lock.Locked());
  Doc().ReadOnly = true;
  ASSERT_TRUE(docs.OpenFileByName(path.string(), false));
  EXPECT_TRUE(rec.messages.shown.empty());
  EXPECT_EQ(host.note, "File opened in Read Only mode!");
}

TEST_F(DocumentCommands, AWritableFileClearsAnOldReadOnlyNote) {
  host.note = "File is in Read Only mode!";
  ASSERT_TRUE(docs.OpenFileByName(Write("w.bin", "abc").string(), false));
  EXPECT_EQ(host.note, "");
}

TEST_F(DocumentCommands, AFailedOpenLeavesNoDocument) {
  docs.New();
  EXPECT_FALSE(docs.OpenFileByName((dir_ / "missing.bin").string(), false));
  EXPECT_FALSE(Doc().ViewReady);
  EXPECT_EQ(Doc().DocSize, 0);
  EXPECT_EQ(host.caption, "QUOXA");
  EXPECT_FALSE(Commands().Enabled(Cmd::Save));
  EXPECT_EQ(rec.messages.shown.size(), 1u);
  EXPECT_TRUE(host.recent.empty());
}

TEST_F(DocumentCommands, OpeningFromTheRecentListAsksToSaveFirst) {
  docs.New();
  Doc().Modified = true;
  rec.messages.answers.push_back(mrCancel);
  EXPECT_FALSE(docs.OpenFileByName(Write("r.bin", "r").string(), true));
  EXPECT_EQ(Doc().FileName, "NoName1");
  rec.messages.answers.push_back(mrNo);
  Doc().ReadOnly = true;
  EXPECT_TRUE(docs.OpenFileByName(Write("r.bin", "r").string(), true));
  EXPECT_FALSE(Doc().ReadOnly);
  EXPECT_TRUE(host.recent.empty());
}

TEST_F(DocumentCommands, SaveWritesTheDocumentAndClearsModified) {
  const fs::path path = Write("s.bin", "hello");
  ASSERT_TRUE(docs.OpenFileByName(path.string(), false));
  SetByte(1, 'J');
  Doc().Modified = true;
  docs.Save();
  EXPECT_EQ(Read(path), "Jello");
  EXPECT_FALSE(Doc().Modified);
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(DocumentCommands, SavingANewDocumentAlwaysAsksForAName) {
  docs.New();
  docs.Save();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0].title, "Save file as");
  EXPECT_TRUE(Doc().Untitled);
}

TEST_F(DocumentCommands, AFailedSaveAsKeepsTheOldName) {
  docs.New();
  Doc().Modified = true;
  host.answers.push_back(Chosen(dir_ / "no-such-folder" / "x.bin"));
  EXPECT_FALSE(docs.SaveAsDialog());
  EXPECT_EQ(Doc().FileName, "NoName1");
  EXPECT_TRUE(Doc().Untitled);
  EXPECT_TRUE(Doc().Modified);
  EXPECT_EQ(host.caption, "QUOXA - NoName1");
}

TEST_F(DocumentCommands, InsertFileAtPositionFive) {
  test::LoadDocument(std::string(20, '.'));
  const fs::path path = Write("ten.bin", "0123456789");
  GotoAddress(5, true, false);
  host.answers.push_back(Chosen(path));
  docs.InsertFile();
  EXPECT_EQ(test::DocumentBytes(), "....0123456789................");
  EXPECT_EQ(Doc().DocSize, 30);
  EXPECT_EQ(CursorAddress(), 15);
  EXPECT_TRUE(Doc().Modified);
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0].title, "Open file");
}

TEST_F(DocumentCommands, InsertingAnEmptyOrMissingFileIsRefused) {
  test::LoadDocument("abcdef");
  const fs::path empty = Write("empty.bin", "");
  host.answers.push_back(Chosen(empty));
  docs.InsertFile();
  host.answers.push_back(Chosen(dir_ / "gone.bin"));
  docs.InsertFile();
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"File is empty:\n" + empty.string(),
                                                             "File is empty:\n" + (dir_ / "gone.bin").string()}));
  EXPECT_EQ(test::DocumentBytes(), "abcdef");
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(DocumentCommands, InsertingBeforeTheBlockEndUnmarksIt) {
  test::LoadDocument(std::string(30, '.'));
  Doc().BlockBegin = 10;
  Doc().BlockEnd = 20;
  GotoAddress(15, true, false);
  host.answers.push_back(Chosen(Write("i.bin", "ab")));
  docs.InsertFile();
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
  EXPECT_FALSE(BlockMarked());
}

TEST_F(DocumentCommands, DroppedFilesOpenEachInADocumentOfItsOwnOnce) {
  const std::string a = Write("a", "a").string();
  docs.DropFiles({a, Write("b", "bb").string(), (dir_ / "missing").string()});
  EXPECT_EQ(rec.messages.shown.size(), 1u);
  EXPECT_EQ(docs.Count(), 2);
  EXPECT_EQ(test::DocumentBytes(), "bb");
  fs::create_hard_link(a, dir_ / "a-link");
  docs.DropFiles({(dir_ / "a-link").string()});
  EXPECT_EQ(docs.Count(), 2);
  EXPECT_EQ(docs.ActiveIndex(), 0);
  EXPECT_EQ(test::DocumentBytes(), "a");
  EXPECT_EQ(host.caption, "QUOXA - a");
}

TEST_F(DocumentCommands, LongPathFormIsTheCanonicalAbsolutePath) {
  const fs::path path = Write("long.bin", "x");
  fs::create_directories(dir_ / "sub");
  const std::string winding = (dir_ / "sub" / ".." / "long.bin").string();
  std::string longForm;
  ASSERT_TRUE(LongPathForm(winding, longForm));
  EXPECT_EQ(longForm, fs::canonical(path).string());
  fs::create_symlink(path, dir_ / "link.bin");
  ASSERT_TRUE(LongPathForm((dir_ / "link.bin").string(), longForm));
  EXPECT_EQ(longForm, fs::canonical(path).string());
  EXPECT_FALSE(LongPathForm((dir_ / "*.bin").string(), longForm));
  EXPECT_FALSE(LongPathForm((dir_ / "lon?.bin").string(), longForm));
  EXPECT_FALSE(LongPathForm((dir_ / "missing.bin").string(), longForm));
}

}  // namespace
}  // namespace quoxa
