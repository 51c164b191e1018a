// Saves that are interrupted or cannot finish: the backup of a file written in place, its
// recovery at the next open or start, the temporary files of killed saves, a file mounted over
// another, and the unsaved changes of a program that had to end.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <deque>
#include <filesystem>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "TempFiles.h"
#include "TestDocument.h"
#include "core/AtomicFileWriter.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/FileTexts.h"
#include "core/MemoryPolicy.h"
#include "core/RecoveryStore.h"
#include "core/UnsavedAtExit.h"
#include "core/TextFormat.h"
#include "ui/main/DocumentCommands.h"

namespace quoxa {
namespace {

using test::InodeOf;
using test::Pattern;
using test::ReadBytes;
using test::WriteBytes;
using Names = std::vector<std::string>;

const std::string kOriginal = Pattern(600000, 3);
// Forty chunks: the gauge moves about twenty times while they are written.
const std::string kNew = Pattern(40 * kFileChunk + 5, 7);

// Progress whose gauge kills its own process, as kill -9 would, at its dieAt-th move.
class DyingProgress final : public IProgressFactory {
 public:
  explicit DyingProgress(int dieAt) : dieAt_(dieAt) {}
  std::unique_ptr<IProgressView> Open(const ProgressSpec&) override {
    return std::make_unique<View>(dieAt_);
  }

 private:
  class View final : public IProgressView {
   public:
    explicit View(int dieAt) : dieAt_(dieAt) {}
    void ShowGauge(int) override {
      if (++moves_ == dieAt_) kill(getpid(), SIGKILL);
    }
    void ShowText(const std::string&) override {}
    void SetCancelEnabled(bool) override {}
    void ProcessEvents() override {}
    bool CancelPressed() const override { return false; }

   private:
    int dieAt_;
    int moves_ = 0;
  };
  int dieAt_;
};

// Saves kNew over path in a child process that dies at the dieAt-th move of the gauge (never
// for -1). True when the child was killed.
bool SaveAndDie(const std::string& path, int dieAt) {
  const pid_t pid = fork();
  if (pid == 0) {
    DyingProgress progress(dieAt);
    InstallProgressFactory(&progress);
    test::LoadDocument(kNew);
    Doc().Modified = true;
    Doc().DiskState.reset();
    _exit(WriteFileRange(path, false, 1, 0) ? 0 : 1);
  }
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, 0), pid);
  if (WIFEXITED(status)) {
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save failed";
  }
  return WIFSIGNALED(status);
}

class FakeHost final : public IDocumentHost {
 public:
  FileAnswer AskFileName(const FileQuestion&) override { return {}; }
  void SetCaption(const std::string& text) override { caption = text; }
  void ShowNote(const std::string& text) override { note = text; }
  void ClearGrids() override {}
  void ShowDocumentView(bool) override {}
  void AddRecentFile(const std::string&) override {}

  std::string caption;
  std::string note;
};

class SaveRecovery : public ::testing::Test {
 protected:
  void SetUp() override {
    Clear();
    AllocDocument();
  }
  void TearDown() override {
    ClearIoFaultsForTesting();
    Clear();
  }
  static void Clear() {
    std::error_code ignored;
    std::filesystem::remove_all(RecoveryDirectory(), ignored);
  }

  // A file of kOriginal with a second link, which makes every save of it one in place.
  std::string HardLinkedFile() {
    const std::string path = dir / "save.bin";
    WriteBytes(path, kOriginal);
    test::SetModTime(path, kStamp);
    EXPECT_EQ(link(path.c_str(), (dir / "other.bin").c_str()), 0);
    return path;
  }

  const FileTime kStamp{test::LocalTime(2003, 4, 5, 6, 7, 8), 123456789};
  test::RecorderScope rec;
  test::TempDir dir;
};

TEST_F(SaveRecovery, AKilledSaveInPlaceLeavesABackupThatRestoresTheFileByteForByte) {
  for (const int dieAt : {1, 4, 10, 19, -1}) {
    SCOPED_TRACE("killed at gauge move " + std::to_string(dieAt));
    test::TempDir folder;
    const std::string path = folder / "save.bin";
    WriteBytes(path, kOriginal);
    test::SetModTime(path, kStamp);
    ASSERT_EQ(link(path.c_str(), (folder / "other.bin").c_str()), 0);
    const ino_t inode = InodeOf(path);

    const bool killed = SaveAndDie(path, dieAt);

    const std::vector<TRecoveryRecord> pending = PendingRecoveries();
    if (!killed) {
      EXPECT_TRUE(ReadBytes(path) == kNew);
      EXPECT_TRUE(pending.empty());
      EXPECT_EQ(folder.Names(), (Names{"other.bin", "save.bin"}));
      continue;
    }
    EXPECT_FALSE(ReadBytes(path) == kOriginal || ReadBytes(path) == kNew) << "the kill came midway";
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].kind, RecoveryKind::Backup);
    EXPECT_EQ(pending[0].target, path);
    EXPECT_TRUE(ReadBytes(pending[0].copy) == kOriginal) << "the backup is complete";

    EXPECT_EQ(RestoreBackup(pending[0]), 0);
    DropRecovery(pending[0]);

    EXPECT_TRUE(ReadBytes(path) == kOriginal);
    EXPECT_TRUE(ReadBytes(folder / "other.bin") == kOriginal);
    EXPECT_EQ(InodeOf(path), inode);
    EXPECT_EQ(test::ModTimeOf(path), kStamp);
    EXPECT_EQ(folder.Names(), (Names{"other.bin", "save.bin"}));
    EXPECT_TRUE(PendingRecoveries().empty());
  }
}

TEST_F(SaveRecovery, OpeningAFileWhoseSaveWasKilledAsksWhatToDoWithItsBackup) {
  struct Case {
    int answer;
    bool opened;
    bool restored;
    bool backupStays;
  };
  for (const Case& c : {Case{mrYes, true, true, false}, Case{mrNo, true, false, false},
                        Case{mrCancel, false, false, true}}) {
    SCOPED_TRACE(c.answer);
    Clear();
    const std::string path = HardLinkedFile();
    ASSERT_TRUE(SaveAndDie(path, 3));
    const std::string damaged = ReadBytes(path);
    FakeHost host;
    TDocumentCommands commands(host);
    rec.messages.shown.clear();
    rec.messages.answers = {c.answer};

    EXPECT_EQ(commands.OpenFileByName(path, false), c.opened);

    EXPECT_EQ(rec.messages.Texts(), Names{FormatMsgS(msg::kRestoreBackup, path)});
    EXPECT_EQ(rec.messages.shown.at(0).buttons, unsigned{mbYes | mbNo | mbCancel});
    EXPECT_TRUE(ReadBytes(path) == (c.restored ? kOriginal : damaged));
    if (c.opened) {
      EXPECT_TRUE(test::DocumentBytes() == ReadBytes(path));
    }
    EXPECT_EQ(Doc().ViewReady, c.opened);
    EXPECT_EQ(PendingRecoveries().size(), c.backupStays ? 1u : 0u);
    EXPECT_EQ(dir.Names().size(), c.backupStays ? 3u : 2u) << "the backup lies beside the file";
    std::filesystem::remove(dir / "save.bin");
    std::filesystem::remove(dir / "other.bin");
    for (const std::string& name : dir.Names()) std::filesystem::remove(dir / name);
  }
}

TEST_F(SaveRecovery, AWriteInPlaceThatFailsMidwayPutsTheOriginalBack) {
  const std::string path = HardLinkedFile();
  test::LoadDocument(kNew);
  Doc().Modified = true;
  InjectIoFaultForTesting(IoOp::Write, EIO, 3 * kFileChunk);

  EXPECT_FALSE(WriteFileRange(path, false, 1, 0));

  EXPECT_EQ(rec.messages.Texts(), (Names{"Error writing\nsave.bin\nError 29: Write fault"}));
  EXPECT_TRUE(ReadBytes(path) == kOriginal);
  EXPECT_TRUE(ReadBytes(dir / "other.bin") == kOriginal);
  EXPECT_EQ(test::ModTimeOf(path), kStamp);
  EXPECT_EQ(dir.Names(), (Names{"other.bin", "save.bin"}));
  EXPECT_TRUE(PendingRecoveries().empty());
  EXPECT_TRUE(Doc().Modified);
}

TEST_F(SaveRecovery, WithoutRoomForABackupTheSaveAsksFirst) {
  constexpr int64_t kKiB = 1024;
  test::SmallFileSystem disk(1024 * kKiB);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs the superuser";
  const std::string path = disk.Dir() / "save.bin";
  const std::string kBefore = Pattern(600 * kKiB, 1);
  const std::string kAfter = Pattern(600 * kKiB, 2);
  // The cache folder cannot be made either.
  test::ScopedEnv noCache("XDG_CACHE_HOME", "/proc/quoxa-no-cache");
  for (const int answer : {mrNo, mrYes}) {
    SCOPED_TRACE(answer);
    WriteBytes(path, kBefore);
    std::filesystem::remove(disk.Dir() / "other.bin");
    ASSERT_EQ(link(path.c_str(), (disk.Dir() / "other.bin").c_str()), 0);
    test::LoadDocument(kAfter);
    Doc().Modified = true;
    rec.messages.shown.clear();
    rec.messages.answers = {answer};

    EXPECT_EQ(WriteFileRange(path, false, 1, 0), answer == mrYes);

    EXPECT_EQ(rec.messages.Texts(),
              Names{"There is no room for a safety copy of save.bin. If the program is "
                    "interrupted while saving, the file will be damaged. Save anyway?"});
    EXPECT_TRUE(ReadBytes(path) == (answer == mrYes ? kAfter : kBefore));
    EXPECT_EQ(Doc().Modified, answer != mrYes);
    EXPECT_EQ(disk.Dir().Names(), (Names{"other.bin", "save.bin"}));
  }
}

TEST_F(SaveRecovery, TheNextSaveRemovesTheTemporaryFilesKilledSavesLeft) {
  const std::string path = dir / "save.bin";
  WriteBytes(path, "old");
  struct Leftover {
    const char* name;
    bool locked;  // a running save holds it
    bool stays;
  };
  const Leftover leftovers[] = {
      {".save.bin.quoxa-AbC123", false, false},
      {".save.bin.quoxa-zz99ZZ", false, false},
      {".save.bin.quoxa-XyZ789", true, true},
      {".other.bin.quoxa-Qwe456", false, true},
      {".save.bin.quoxa-AbC1234", false, true},
      {"save.bin.quoxa-AbC123", false, true},
      // A backup no record names: its save was killed before it wrote a byte of the file.
      {".save.bin.quoxa-backup-AbC123", false, false},
      {".save.bin.quoxa-backup-Rec123", false, true},
  };
  std::vector<std::unique_ptr<test::OtherProgramLock>> locks;
  Names expected = {"save.bin"};
  for (const Leftover& leftover : leftovers) {
    WriteBytes(dir / leftover.name, Pattern(100000));
    if (leftover.locked) {
      locks.push_back(std::make_unique<test::OtherProgramLock>(dir / leftover.name, F_WRLCK));
    }
    if (leftover.stays) expected.push_back(leftover.name);
  }
  ASSERT_TRUE(locks.front()->Locked());
  TRecoveryRecord recorded;
  recorded.target = path;
  recorded.copy = dir / ".save.bin.quoxa-backup-Rec123";
  recorded.size = 100000;
  ASSERT_TRUE(StoreRecoveryRecord(recorded));
  std::sort(expected.begin(), expected.end());
  test::LoadDocument("new");

  EXPECT_TRUE(WriteFileRange(path, false, 1, 0));

  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(dir.Names(), expected);
}

TEST_F(SaveRecovery, AFileMountedOverAnotherIsSavedInPlace) {
  if (!test::RunningAsRoot()) GTEST_SKIP() << "mounting needs the superuser";
  const std::string source = dir / "source.bin";
  const std::string path = dir / "btgt.bin";
  WriteBytes(source, kOriginal);
  WriteBytes(path, "placeholder");
  if (mount(source.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) != 0) {
    GTEST_SKIP() << "no bind mounts here";
  }
  test::LoadDocument(kNew);
  Doc().Modified = true;

  const bool saved = WriteFileRange(path, false, 1, 0);
  umount2(path.c_str(), MNT_DETACH);

  EXPECT_TRUE(saved);
  EXPECT_TRUE(rec.messages.shown.empty());
  EXPECT_TRUE(ReadBytes(source) == kNew) << "the mounted file holds the saved bytes";
  EXPECT_EQ(ReadBytes(path), "placeholder");
  EXPECT_EQ(dir.Names(), (Names{"btgt.bin", "source.bin"}));
  EXPECT_TRUE(PendingRecoveries().empty());
}

TEST_F(SaveRecovery, UnsavedChangesKeptAtAnAbruptEndAreOfferedAtTheNextStart) {
  struct Case {
    int answer;
    bool opened;
    bool copyStays;
  };
  const std::string path = dir / "doc.bin";
  for (const Case& c :
       {Case{mrYes, true, false}, Case{mrNo, false, false}, Case{mrCancel, false, true}}) {
    SCOPED_TRACE(c.answer);
    Clear();
    WriteBytes(path, "on disk");
    FakeHost host;
    TDocumentCommands commands(host);
    ASSERT_TRUE(commands.OpenFileByName(path, false));
    test::LoadDocument("changed, never saved");
    Doc().Modified = true;
    ASSERT_TRUE(KeepUnsavedChanges());
    commands.ShowNoDocument();
    TDocumentCommands nextRun(host);
    rec.messages.shown.clear();
    rec.messages.answers = {c.answer};

    nextRun.OfferRecoveries();

    EXPECT_EQ(rec.messages.Texts(), Names{FormatMsgS(msg::kOpenUnsaved, path)});
    EXPECT_EQ(Doc().ViewReady, c.opened);
    if (c.opened) {
      EXPECT_EQ(test::DocumentBytes(), "changed, never saved");
      EXPECT_EQ(Doc().FileName, path);
      EXPECT_TRUE(Doc().Modified);
      EXPECT_EQ(host.caption, "QUOXA - doc.bin");
      rec.messages.answers = {mrYes};
      EXPECT_TRUE(commands.QuerySave());
      EXPECT_EQ(ReadBytes(path), "changed, never saved");
    }
    EXPECT_EQ(PendingRecoveries().size(), c.copyStays ? 1u : 0u);
    EXPECT_EQ(ReadBytes(path), c.opened ? "changed, never saved" : "on disk");
  }
}

TEST_F(SaveRecovery, AnAbruptEndKeepsTheChangesOfEveryModifiedDocument) {
  const std::string a = dir / "a.bin";
  const std::string b = dir / "b.bin";
  const std::string c = dir / "c.bin";
  for (const std::string& path : {a, b, c}) WriteBytes(path, "on disk");
  FakeHost host;
  {
    TDocumentCommands commands(host);
    for (const std::string& path : {a, b, c}) ASSERT_TRUE(commands.OpenInTab(path, false));
    for (int i : {0, 2}) {
      commands.Activate(i);
      test::LoadDocument("changed " + std::to_string(i));
      Doc().FileName = i == 0 ? a : c;
      Doc().Modified = true;
    }
    commands.Activate(1);
    EXPECT_EQ(KeepUnsavedChangesOfAll(), 2);
    EXPECT_EQ(&Doc(), &commands.At(1));
  }
  Names kept;
  for (const TRecoveryRecord& record : PendingRecoveries()) kept.push_back(record.target);
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, (Names{a, c}));
}

TEST_F(SaveRecovery, RecordsReadBackAsWrittenAndStrangeOnesAreNone) {
  TRecoveryRecord record;
  record.kind = RecoveryKind::Unsaved;
  record.target = "/home/u/a \\ b\nc.bin";
  record.copy = "/home/u/.local/state/quoxa/recovery/unsaved-1";
  record.size = 1234567890123;
  record.untitled = true;
  record.targetState = TFileState{{7, 8}, 9, {10, 11}};
  const std::optional<TRecoveryRecord> back = ParseRecoveryRecord(FormatRecoveryRecord(record));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->target, record.target);
  EXPECT_EQ(back->copy, record.copy);
  EXPECT_EQ(back->size, record.size);
  EXPECT_TRUE(back->untitled);
  EXPECT_EQ(back->targetState, record.targetState);

  const std::string good = "QUOXA recovery\nkind=backup\ntarget=/a\ncopy=/b\nsize=3\n";
  EXPECT_TRUE(ParseRecoveryRecord(good).has_value());
  for (const char* strange :
       {"", "kind=backup\ntarget=/a\ncopy=/b\nsize=3\n", "QUOXA recovery\nkind=other\n",
        "QUOXA recovery\nkind=backup\ntarget=/a\ncopy=b\nsize=3\n",
        "QUOXA recovery\nkind=backup\ntarget=/a\ncopy=/b\nsize=-3\n",
        "QUOXA recovery\nkind=backup\ntarget=/a\\x\ncopy=/b\nsize=3\n",
        "QUOXA recovery\nkind=backup\ntarget=/a\ncopy=/b\nsize=3x\n",
        "QUOXA recovery\nkind=backup\ncopy=/b\nsize=3\n"}) {
    SCOPED_TRACE(strange);
    EXPECT_FALSE(ParseRecoveryRecord(strange).has_value());
  }
}

}  // namespace
}  // namespace quoxa
