// WriteFileRange: Save, Save As and Write block, the old file's safety and the file time option.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <functional>

#include "Recorders.h"
#include "TempFiles.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/PlatformFile.h"
#include "core/TextFormat.h"
#include "settings/Options.h"

namespace quoxa {
namespace {

using test::LoadDocument;
using test::Pattern;
using test::ReadBytes;
using test::WriteBytes;
using Names = std::vector<std::string>;

const FileTime kOldStamp{test::LocalTime(2001, 2, 3, 4, 5, 6), 789000000};

class FileWrite : public ::testing::Test {
 protected:
  void TearDown() override { ClearIoFaultsForTesting(); }

  // A document opened from path (whose time is kOldStamp) and then changed.
  void OpenAndChange(const std::string& path, const std::string& original, const std::string& changed) {
    WriteBytes(path, original);
    test::SetModTime(path, kOldStamp);
    LoadDocument("");
    ASSERT_EQ(ReadFileInto(path, false, 1), 0);
    LoadDocument(changed);
    Doc().Modified = true;
  }

  // A second before now: a file written after this got a fresh time (file times are coarse).
  static int64_t JustBeforeNow() { return static_cast<int64_t>(std::time(nullptr)) - 1; }

  test::RecorderScope rec;
  test::TempDir dir;
};

// Whole document and block

TEST_F(FileWrite, SaveWritesTheWholeDocumentAndClearsModified) {
  const std::string bytes = Pattern(2 * kFileChunk + 7);
  const std::string path = dir / "save.bin";
  WriteBytes(path, "previous contents");
  LoadDocument(bytes);
  Doc().Modified = true;

  EXPECT_TRUE(WriteFileRange(path, false, 99, 5));  // from and count are ignored

  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_TRUE(rec.messages.shown.empty());
  EXPECT_EQ(dir.Names(), Names{"save.bin"});
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  const auto& box = *rec.progress.boxes[0];
  EXPECT_EQ(box.setup.caption, "Writing file");
  EXPECT_EQ(box.setup.text, "save.bin");
  EXPECT_EQ(box.gauge.back(), 100);
  EXPECT_TRUE(box.closed);
}

TEST_F(FileWrite, SavingAnEmptyDocumentLeavesAnEmptyFile) {
  const std::string path = dir / "empty.bin";
  WriteBytes(path, "something");
  LoadDocument("");
  Doc().Modified = true;

  EXPECT_TRUE(WriteFileRange(path, false, 1, 0));

  EXPECT_EQ(FileSizeOf(path), 0);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(FileWrite, BlockWritesItsRangeAndLeavesModifiedAlone) {
  LoadDocument("0123456789");
  Doc().Modified = true;
  const std::string path = dir / "block.bin";

  EXPECT_TRUE(WriteFileRange(path, true, 3, 4));
  EXPECT_EQ(ReadBytes(path), "2345");
  EXPECT_TRUE(Doc().Modified);

  Doc().Modified = false;
  EXPECT_TRUE(WriteFileRange(path, true, 10, 1));
  EXPECT_EQ(ReadBytes(path), "9");
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(FileWrite, RangeOutsideTheDocumentIsRefusedWithoutAFile) {
  LoadDocument("0123456789");
  const std::string path = dir / "block.bin";
  for (const auto& [from, count] : {std::pair{0, 1}, std::pair{8, 4}, std::pair{1, -1}}) {
    rec.messages.shown.clear();
    EXPECT_FALSE(WriteFileRange(path, true, from, count)) << from << "," << count;
    EXPECT_EQ(rec.messages.Texts(), (Names{"Error writing\nblock.bin\nError 87: Invalid parameter"}));
  }
  EXPECT_TRUE(dir.Names().empty());
}

// What the replaced file keeps

TEST_F(FileWrite, SaveKeepsThePermissionBitsOfTheFile) {
  const std::string path = dir / "mode.bin";
  WriteBytes(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  LoadDocument("new");
  EXPECT_TRUE(WriteFileRange(path, false, 1, 3));
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(test::ModeOf(path), 0640u);
}

TEST_F(FileWrite, NewFileGetsTheUsualPermissions) {
  const mode_t old = umask(022);
  LoadDocument("new");
  EXPECT_TRUE(WriteFileRange(dir / "fresh.bin", false, 1, 3));
  umask(old);
  EXPECT_EQ(test::ModeOf(dir / "fresh.bin"), 0644u);
}

TEST_F(FileWrite, SaveThroughALinkReplacesTheLinkedFileAndKeepsTheLink) {
  ASSERT_EQ(mkdir((dir / "real").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((dir / "links").c_str(), 0755), 0);
  WriteBytes(dir / "real/data.bin", "old");
  ASSERT_EQ(symlink("../real/data.bin", (dir / "links/data.bin").c_str()), 0);
  LoadDocument("new contents");

  EXPECT_TRUE(WriteFileRange(dir / "links/data.bin", false, 1, 0));

  EXPECT_EQ(ReadBytes(dir / "real/data.bin"), "new contents");
  struct stat st {};
  ASSERT_EQ(lstat((dir / "links/data.bin").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(dir.Names("real"), Names{"data.bin"});
  EXPECT_EQ(dir.Names("links"), Names{"data.bin"});
}

TEST_F(FileWrite, SaveThroughADanglingLinkCreatesItsTarget) {
  ASSERT_EQ(symlink("target.bin", (dir / "link.bin").c_str()), 0);
  LoadDocument("abc");
  EXPECT_TRUE(WriteFileRange(dir / "link.bin", false, 1, 0));
  EXPECT_EQ(ReadBytes(dir / "target.bin"), "abc");
  EXPECT_EQ(dir.Names(), (Names{"link.bin", "target.bin"}));
}

// OldFileTime

TEST_F(FileWrite, OldFileTimeGivesTheSavedFileItsTimeFromTheOpen) {
  const std::string path = dir / "dated.bin";
  Options().OldFileTime = true;
  OpenAndChange(path, "old", "changed");

  EXPECT_TRUE(WriteFileRange(path, false, 1, 0, Options().OldFileTime));

  EXPECT_EQ(ReadBytes(path), "changed");
  EXPECT_EQ(test::ModTimeOf(path), kOldStamp);
}

TEST_F(FileWrite, WithoutOldFileTimeTheSavedFileHasANewTime) {
  const std::string path = dir / "dated.bin";
  OpenAndChange(path, "old", "changed");
  const int64_t before = JustBeforeNow();

  EXPECT_TRUE(WriteFileRange(path, false, 1, 0, Options().OldFileTime));

  EXPECT_GE(test::ModTimeOf(path).seconds, before);
}

TEST_F(FileWrite, OldFileTimeNeverRestoresADateBefore1980) {
  const std::string path = dir / "ancient.bin";
  Options().OldFileTime = true;
  WriteBytes(path, "old");
  test::SetModTime(path, {test::LocalTime(1979, 12, 31, 23, 0, 0), 0});
  LoadDocument("");
  ASSERT_EQ(ReadFileInto(path, false, 1), 0);
  const int64_t before = JustBeforeNow();

  EXPECT_TRUE(WriteFileRange(path, false, 1, 0, Options().OldFileTime));

  EXPECT_GE(test::ModTimeOf(path).seconds, before);
}

TEST_F(FileWrite, OldFileTimeIsNotGivenToANewDocument) {
  const std::string opened = dir / "opened.bin";
  Options().OldFileTime = true;
  OpenAndChange(opened, "old", "new document");
  Doc().Untitled = true;  // New after that Open
  const int64_t before = JustBeforeNow();

  EXPECT_TRUE(WriteFileRange(dir / "untitled.bin", false, 1, 0, Options().OldFileTime));
  EXPECT_GE(test::ModTimeOf(dir / "untitled.bin").seconds, before);
  EXPECT_FALSE(Doc().SavedFileTime.has_value());

  Doc().Untitled = false;  // saved under its name: later saves have no old time either
  EXPECT_TRUE(WriteFileRange(dir / "untitled.bin", false, 1, 0, Options().OldFileTime));
  EXPECT_GE(test::ModTimeOf(dir / "untitled.bin").seconds, before);
}

TEST_F(FileWrite, WritingABlockNeverTouchesFileTimes) {
  const std::string path = dir / "dated.bin";
  Options().OldFileTime = true;
  OpenAndChange(path, "old", "changed");
  const int64_t before = JustBeforeNow();

  EXPECT_TRUE(WriteFileRange(path, true, 1, 4));
  EXPECT_EQ(ReadBytes(path), "chan");
  EXPECT_GE(test::ModTimeOf(path).seconds, before);

  EXPECT_TRUE(WriteFileRange(dir / "other.bin", true, 2, 2));
  EXPECT_GE(test::ModTimeOf(dir / "other.bin").seconds, before);
  EXPECT_TRUE(Doc().Modified);
}

// Failures leave the old file as it was

class FailedWrite : public FileWrite {
 protected:
  void SetUp() override {
    WriteBytes(path, original);
    LoadDocument(Pattern(4 * kFileChunk, 7));
    Doc().Modified = true;
  }
  void ExpectOriginalIntact() {
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(dir.Names(), Names{"save.bin"}) << "no temporary file may stay behind";
    EXPECT_TRUE(Doc().Modified);
  }

  const std::string path = dir / "save.bin";
  const std::string original = Pattern(kFileChunk + 5, 3);
};

TEST_F(FailedWrite, DiskFullLeavesTheOriginal) {
  InjectIoFaultForTesting(IoOp::Write, ENOSPC, 200000);
  // Without room for the temporary copy the file is written in place; without room for its
  // backup either, the user is asked first.
  rec.messages.answers = {mrYes};
  EXPECT_FALSE(WriteFileRange(path, false, 1, 0));
  EXPECT_EQ(rec.messages.Texts(),
            (Names{"There is no room for a safety copy of save.bin. If the program is "
                   "interrupted while saving, the file will be damaged. Save anyway?",
                   "Error writing\nsave.bin\nError 112: Disk full"}));
  EXPECT_EQ(rec.messages.shown[1].type, MsgType::Error);
  ExpectOriginalIntact();
  EXPECT_TRUE(rec.progress.boxes.at(0)->closed);
}

TEST_F(FailedWrite, WriteErrorWithoutANumberIsAWriteFault) {
  InjectIoFaultForTesting(IoOp::Write, EPROTO, 0);
  EXPECT_FALSE(WriteFileRange(path, false, 1, 0));
  EXPECT_EQ(rec.messages.Texts(), (Names{"Error writing\nsave.bin\nError 29: Write fault"}));
  ExpectOriginalIntact();
}

TEST_F(FailedWrite, FlushErrorLeavesTheOriginal) {
  InjectIoFaultForTesting(IoOp::Close, EIO);
  EXPECT_FALSE(WriteFileRange(path, false, 1, 0));
  EXPECT_EQ(rec.messages.Texts(), (Names{"Error writing\nsave.bin\nError 29: Write fault"}));
  ExpectOriginalIntact();
}

TEST_F(FailedWrite, CloseErrorWithoutANumberIsCloseFailed) {
  InjectIoFaultForTesting(IoOp::Close, EPROTO);
  EXPECT_FALSE(WriteFileRange(path, true, 5, 100));
  EXPECT_EQ(rec.messages.Texts(), (Names{"Error closing file\nsave.bin"}));
  ExpectOriginalIntact();
}

TEST_F(FailedWrite, CancelLeavesTheOriginal) {
  rec.progress.abortAfterUpdates = 1;
  EXPECT_FALSE(WriteFileRange(path, false, 1, 0));
  EXPECT_EQ(rec.messages.Texts(), (Names{"Writing save.bin cancelled"}));
  ExpectOriginalIntact();
}

TEST_F(FailedWrite, FileLockedByAnotherProgramIsInUse) {
  struct Hold {
    const char* what;
    short type;
    bool withFlock;
  };
  for (const Hold& hold : {Hold{"a record lock for reading", F_RDLCK, false}, Hold{"a flock() share", LOCK_SH, true},
                           Hold{"an exclusive flock()", LOCK_EX, true}}) {
    SCOPED_TRACE(hold.what);
    rec.messages.shown.clear();
    test::OtherProgramLock other(path, hold.type, hold.withFlock);
    ASSERT_TRUE(other.Locked());
    EXPECT_FALSE(WriteFileRange(path, false, 1, 0));
    EXPECT_EQ(rec.messages.Texts(), (Names{"Error writing\nsave.bin\nError 32: File sharing violation"}));
    ExpectOriginalIntact();
    EXPECT_TRUE(rec.progress.boxes.empty());
  }
}

TEST_F(FailedWrite, FolderTheUserMayNotWriteStillTakesTheSave) {
  if (test::RunningAsRoot()) {
    ASSERT_EQ(chown(path.c_str(), test::kNobody, test::kNobody), 0);
  }
  ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
  const int result = test::AsOrdinaryUser([this] { return WriteFileRange(path, false, 1, 0) ? 0 : 1; });
  chmod(dir.Path().c_str(), 0755);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(ReadBytes(path) == Pattern(4 * kFileChunk, 7)) << "the saved contents";
  EXPECT_EQ(dir.Names(), Names{"save.bin"});
}

TEST_F(FailedWrite, FileTheUserMayNotWriteIsAccessDenied) {
  // The superuser passes every permission check: the save runs as an ordinary user.
  if (test::RunningAsRoot()) {
    ASSERT_EQ(chown(path.c_str(), test::kNobody, test::kNobody), 0);
    ASSERT_EQ(chmod(dir.Path().c_str(), 0777), 0);
  }
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  const int result = test::AsOrdinaryUser([this] {
    const bool refused = !WriteFileRange(path, false, 1, 0);
    return refused && rec.messages.Texts() == Names{"Error writing\nsave.bin\nError 5: File access denied"} ? 0 : 1;
  });
  chmod(dir.Path().c_str(), 0755);
  EXPECT_EQ(result, 0) << "refused with error 5";
  EXPECT_TRUE(ReadBytes(path) == original) << "the original must stay";
  EXPECT_EQ(dir.Names(), Names{"save.bin"}) << "no temporary file may stay behind";
}

TEST_F(FileWrite, FolderThatDoesNotExistIsPathNotFound) {
  LoadDocument("abc");
  EXPECT_FALSE(WriteFileRange(dir / "nowhere/new.bin", false, 1, 0));
  EXPECT_EQ(rec.messages.Texts(), (Names{"Error writing\nnew.bin\nError 3: Path not found"}));
  EXPECT_TRUE(dir.Names().empty());
}

TEST_F(FileWrite, AFolderDeviceOrPipeIsNotARegularFileAndStaysAsItWas) {
  ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
  struct Case {
    std::string path;
    bool range;  // Write block, else Save
    const char* text;
  };
  const Case cases[] = {
      {dir / "sub", false, "Error writing\nsub\nNot a regular file"},
      {dir / "pipe", true, "Error writing\npipe\nNot a regular file"},
      {"/dev/full", true, "Error writing\nfull\nNot a regular file"},
      {"/dev/null", false, "Error writing\nnull\nNot a regular file"},
  };
  for (const Case& c : cases) {
    LoadDocument("abc");
    Doc().Modified = true;
    rec.messages.shown.clear();
    EXPECT_FALSE(WriteFileRange(c.path, c.range, 1, 2)) << c.path;
    EXPECT_EQ(rec.messages.Texts(), Names{c.text}) << c.path;
    EXPECT_TRUE(Doc().Modified) << c.path;
  }
  EXPECT_TRUE(dir.Names("sub").empty());
  EXPECT_EQ(dir.Names(), (Names{"pipe", "sub"}));
}

// Another program at the file

TEST_F(FileWrite, ASaveOverAFileAnotherProgramChangedAsksFirst) {
  struct Change {
    const char* what;
    std::function<void(const std::string& path)> change;
    bool asks;
  };
  const Change changes[] = {
      {"nothing changed", [](const std::string&) {}, false},
      {"replaced by mv",
       [this](const std::string& p) {
         WriteBytes(dir / "other", "another's");
         ASSERT_EQ(std::rename((dir / "other").c_str(), p.c_str()), 0);
       },
       true},
      {"same size, other bytes",
       [](const std::string& p) {
         WriteBytes(p, "ABCDEFGH");
         test::SetModTime(p, {kOldStamp.seconds, kOldStamp.nanoseconds + 1});
       },
       true},
      {"grown, same time",
       [](const std::string& p) {
         WriteBytes(p, "abcdefgh+");
         test::SetModTime(p, kOldStamp);
       },
       true},
      {"removed: the save makes it again", [](const std::string& p) { std::remove(p.c_str()); },
       false},
  };
  const std::string path = dir / "doc.bin";
  for (const Change& c : changes) {
    for (const int answer : {mrNo, mrYes}) {
      SCOPED_TRACE(std::string(c.what) + (answer == mrYes ? ", Yes" : ", No"));
      OpenAndChange(path, "abcdefgh", "the document");
      Doc().FileName = path;
      c.change(path);
      const std::string before = ReadBytes(path);
      rec.messages.shown.clear();
      rec.messages.answers = {answer};

      const bool saved = WriteFileRange(path, false, 1, 0);

      const bool written = !c.asks || answer == mrYes;
      EXPECT_EQ(saved, written);
      EXPECT_EQ(rec.messages.Texts(),
                c.asks ? Names{"doc.bin was changed by another program since it was opened. "
                               "Overwrite it?"}
                       : Names{});
      EXPECT_EQ(ReadBytes(path), written ? "the document" : before);
      EXPECT_EQ(Doc().Modified, !written);
      if (!c.asks || answer == mrNo) continue;
      // What was saved is the file now: the next save asks nothing.
      rec.messages.shown.clear();
      EXPECT_TRUE(WriteFileRange(path, false, 1, 0));
      EXPECT_TRUE(rec.messages.shown.empty());
    }
  }
}

TEST_F(FileWrite, OpeningReadOnlyAndRefusingASaveFollowOneRule) {
  struct Case {
    const char* what;
    std::string path;
    mode_t mode;  // of a file made for the case
    bool protectedFile;
  };
  const Case cases[] = {
      {"a file of mode 644", dir / "rw.bin", 0644, false},
      {"a file of mode 444, which binds the superuser too", dir / "r.bin", 0444, true},
      {"a file of mode 000", dir / "none.bin", 0000, true},
      {"a file of the kernel's", "/proc/self/status", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.path.rfind("/proc/", 0) != 0) {
      WriteBytes(c.path, "original");
      ASSERT_EQ(chmod(c.path.c_str(), c.mode), 0);
    }
    const std::string before = ReadBytes(c.path);
    LoadDocument("new bytes");
    rec.messages.shown.clear();

    EXPECT_EQ(IsWriteProtected(c.path), c.protectedFile);
    EXPECT_EQ(WriteFileRange(c.path, false, 1, 0), !c.protectedFile);

    if (c.protectedFile) {
      EXPECT_EQ(rec.messages.Texts(),
                Names{"Error writing\n" + FileNameOnly(c.path) + "\nError 5: File access denied"});
      EXPECT_EQ(ReadBytes(c.path).substr(0, 5), before.substr(0, 5));
    }
  }
}

}  // namespace
}  // namespace quoxa
