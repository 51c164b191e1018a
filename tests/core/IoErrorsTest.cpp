// The I/O error table, errno numbers, message texts and the small file queries.
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "TempFiles.h"
#include "core/FileIo.h"
#include "core/FileTexts.h"
#include "core/FileTime.h"
#include "core/IoErrors.h"
#include "core/PlatformFile.h"

namespace quoxa {
namespace {

TEST(IoErrors, TextsOfTheTable) {
  EXPECT_EQ(IoErrorText(1), "Invalid DOS function number");
  EXPECT_EQ(IoErrorText(2), "File not found");
  EXPECT_EQ(IoErrorText(32), "File sharing violation");
  EXPECT_EQ(IoErrorText(39), "Handle disk full");
  EXPECT_EQ(IoErrorText(67), "Network name not found");
  EXPECT_EQ(IoErrorText(112), "Disk full");
  EXPECT_EQ(IoErrorText(207), "Invalid floating pt. operation");
  EXPECT_EQ(IoErrorText(219), "Invalid typecast");
}

TEST(IoErrors, NumbersWithoutAnEntryHaveNoText) {
  for (const int n : {0, -1, 14, 40, 49, 81, 111, 113, 218, 220, 250, 2003}) {
    EXPECT_EQ(IoErrorText(n), "") << n;
  }
  EXPECT_EQ(IoErrorLine(112), "Error 112: Disk full");
  EXPECT_EQ(IoErrorLine(14), "Error 14: ");
  EXPECT_EQ(IoErrorLine(220), "Error 220: ");
}

TEST(IoErrors, ErrnoBecomesTheProgramsNumbers) {
  struct Case {
    int err;
    IoOp op;
    int number;
  };
  const Case cases[] = {
      {ENOENT, IoOp::Open, 2},      {ENOENT, IoOp::Create, 3},   {ENOTDIR, IoOp::Open, 3},
      {EMFILE, IoOp::Open, 4},      {ENFILE, IoOp::Create, 4},   {EACCES, IoOp::Open, 5},
      {EPERM, IoOp::Create, 5},     {EISDIR, IoOp::Open, 5},     {EBADF, IoOp::Read, 6},
      {EROFS, IoOp::Create, 19},    {EIO, IoOp::Read, 30},       {EIO, IoOp::Open, 30},
      {EIO, IoOp::Write, 29},       {EIO, IoOp::Close, 29},      {ENOSPC, IoOp::Write, 112},
      {EDQUOT, IoOp::Close, 112},   {EAGAIN, IoOp::Lock, 32},    {EACCES, IoOp::Lock, 32},
      {ETXTBSY, IoOp::Create, 32},  {EXDEV, IoOp::Close, 17},    {EEXIST, IoOp::Create, 80},
      {EINVAL, IoOp::Write, 87},    {EPROTO, IoOp::Read, kUnmappedIoError},
      {EAGAIN, IoOp::Read, kUnmappedIoError},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IoErrorFromErrno(c.err, c.op), c.number) << "errno " << c.err << " op " << static_cast<int>(c.op);
  }
}

TEST(IoErrors, ReadMessagesNameTheFileWithoutItsPath) {
  const std::string name = "/some/folder/file.dat";
  EXPECT_EQ(ReadErrorText(2003, name), "Error opening file\nfile.dat");
  EXPECT_EQ(ReadErrorText(2004, name), "Can't allocate additional memory\nto perform operation");
  EXPECT_EQ(ReadErrorText(2005, name), "Error reading\nfile.dat");
  EXPECT_EQ(ReadErrorText(2006, name), "Error closing file\nfile.dat");
  EXPECT_EQ(ReadErrorText(2011, name), "Reading cancelled:\nfile.dat");
  EXPECT_EQ(ReadErrorText(5, name), "Error reading\nfile.dat\nError 5: File access denied");
  EXPECT_EQ(ReadErrorText(249, name), "Error reading\nfile.dat\nError 249: ");
}

TEST(IoErrors, WriteMessagesNameTheFileWithoutItsPath) {
  const std::string name = "/some/folder/file.dat";
  EXPECT_EQ(WriteErrorText(2003, name), "Error opening file\nfile.dat");
  EXPECT_EQ(WriteErrorText(2006, name), "Error closing file\nfile.dat");
  EXPECT_EQ(WriteErrorText(2058, name), "Writing file.dat cancelled");
  EXPECT_EQ(WriteErrorText(112, name), "Error writing\nfile.dat\nError 112: Disk full");
  EXPECT_EQ(WriteErrorText(19, name), "Error writing\nfile.dat\nError 19: Disk write-protected");
}

TEST(IoErrors, ReadOnlyModeTexts) {
  EXPECT_STREQ(msg::kOpenedReadOnly, "File opened in Read Only mode!");
  EXPECT_STREQ(msg::kIsReadOnly, "File is in Read Only mode!");
  EXPECT_EQ(ReadOnlyQuestionText("/a/b/c.exe"), "c.exe is opened by another application.\nOpen in Read Only mode?");
}

TEST(FileTimeRule, DatesFrom1980OnAreGivenBack) {
  EXPECT_FALSE(IsRestorableFileTime({test::LocalTime(1979, 12, 31, 23, 59, 59), 999999999}));
  EXPECT_TRUE(IsRestorableFileTime({test::LocalTime(1980, 1, 1, 0, 0, 0), 0}));
  EXPECT_TRUE(IsRestorableFileTime({test::LocalTime(2024, 6, 30, 12, 0, 0), 0}));
  EXPECT_FALSE(IsRestorableFileTime({test::LocalTime(1970, 1, 2), 0}));
}

class FileQueries : public ::testing::Test {
 protected:
  test::TempDir dir;
};

TEST_F(FileQueries, SizeOfAFile) {
  test::WriteBytes(dir / "five.bin", "12345");
  test::WriteBytes(dir / "empty.bin", "");
  EXPECT_EQ(FileSizeOf(dir / "five.bin"), 5);
  EXPECT_EQ(FileSizeOf(dir / "empty.bin"), 0);
  EXPECT_EQ(FileSizeOf(dir / "missing.bin"), -1);
  EXPECT_EQ(FileSizeOf(dir / "missing/x.bin"), -1);
  EXPECT_EQ(FileSizeOf(dir.Path()), 0);
}

TEST_F(FileQueries, WriteProtectionIsWhatTheUserMayNotWrite) {
  const std::string path = dir / "file.bin";
  test::WriteBytes(path, "x");
  EXPECT_FALSE(IsWriteProtected(path));
  EXPECT_FALSE(IsWriteProtected(dir / "missing.bin"));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  // Without any write bit the file is protected, even for the superuser.
  EXPECT_TRUE(IsWriteProtected(path));
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  EXPECT_FALSE(IsWriteProtected(path));
}

TEST_F(FileQueries, LinksAreFollowedToTheFileTheyName) {
  ASSERT_EQ(mkdir((dir / "a").c_str(), 0755), 0);
  test::WriteBytes(dir / "a/real.bin", "x");
  ASSERT_EQ(symlink("a/real.bin", (dir / "one").c_str()), 0);
  ASSERT_EQ(symlink((dir / "one").c_str(), (dir / "two").c_str()), 0);
  ASSERT_EQ(symlink("a/none.bin", (dir / "dangling").c_str()), 0);
  ASSERT_EQ(symlink("loop", (dir / "loop").c_str()), 0);
  EXPECT_EQ(ResolveLinks(dir / "two"), dir / "a/real.bin");
  EXPECT_EQ(ResolveLinks(dir / "dangling"), dir / "a/none.bin");
  EXPECT_EQ(ResolveLinks(dir / "a/real.bin"), dir / "a/real.bin");
  EXPECT_EQ(ResolveLinks(dir / "loop"), dir / "loop");
  EXPECT_EQ(DirectoryOf("name"), ".");
  EXPECT_EQ(DirectoryOf("/name"), "/");
  EXPECT_EQ(DirectoryOf("/x/y/name"), "/x/y");
}

}  // namespace
}  // namespace quoxa
