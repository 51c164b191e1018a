// ReadFileInto: Open and Insert file, their progress box, results and messages.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "Recorders.h"
#include "TempFiles.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/FileIo.h"
#include "core/FreeMemory.h"
#include "core/MemoryPolicy.h"
#include "core/PlatformFile.h"
#include "core/Primitives.h"
#include "core/TextFormat.h"

namespace quoxa {
namespace {

using test::DocumentBytes;
using test::LoadDocument;
using test::Pattern;
using test::WriteBytes;

class FileRead : public ::testing::Test {
 protected:
  void TearDown() override { ClearIoFaultsForTesting(); }

  // A shown document that a failed Open must leave alone.
  void LoadOldDocument() {
    LoadDocument("old document");
    Doc().Modified = true;
  }
  void ExpectOldDocument() {
    EXPECT_EQ(DocumentBytes(), "old document");
    EXPECT_EQ(Capacity(), kMinCapacity);
    EXPECT_FALSE(Doc().SavedFileTime.has_value());
  }

  test::RecorderScope rec;
  test::TempDir dir;
};

// Open

TEST_F(FileRead, OpenReadsTheWholeFileInChunksUnderTheProgressBox) {
  const std::string bytes = Pattern(4 * kFileChunk + 100);
  const std::string path = dir / "data.bin";
  WriteBytes(path, bytes);
  const FileTime stamp{test::LocalTime(2001, 2, 3, 4, 5, 6), 789000000};
  test::SetModTime(path, stamp);
  LoadOldDocument();

  EXPECT_EQ(ReadFileInto(path, false, 77), 0);

  EXPECT_EQ(Doc().DocSize, static_cast<int64_t>(bytes.size()));
  EXPECT_EQ(DocumentBytes(), bytes);
  EXPECT_EQ(Capacity(), CapacityForSize(static_cast<int64_t>(bytes.size())));
  ASSERT_TRUE(Doc().SavedFileTime.has_value());
  EXPECT_EQ(*Doc().SavedFileTime, stamp);
  EXPECT_TRUE(Doc().Modified) << "Modified is the caller's";
  EXPECT_TRUE(rec.messages.shown.empty());
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  const auto& box = *rec.progress.boxes[0];
  EXPECT_EQ(box.setup.caption, "Reading file");
  EXPECT_EQ(box.setup.text, "data.bin");
  EXPECT_TRUE(box.setup.withCancel);
  // Five chunks, the last of 100 bytes: the gauge shows only new multiples of five.
  EXPECT_EQ(box.gauge, (std::vector<int>{25, 50, 75, 100}));
  EXPECT_TRUE(box.closed);
}

TEST_F(FileRead, OpenOfAnEmptyFileGivesAnEmptyDocument) {
  const std::string path = dir / "empty.bin";
  WriteBytes(path, "");
  LoadOldDocument();

  EXPECT_EQ(ReadFileInto(path, false, 1), 0);

  EXPECT_EQ(Doc().DocSize, 0);
  EXPECT_EQ(Capacity(), kMinCapacity);
  EXPECT_TRUE(rec.messages.shown.empty());
  EXPECT_TRUE(Doc().SavedFileTime.has_value());
}

TEST_F(FileRead, OpenOfAMissingFileReportsFileNotFoundAndChangesNothing) {
  LoadOldDocument();

  EXPECT_EQ(ReadFileInto(dir / "missing.bin", false, 1), 2);

  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Error reading\nmissing.bin\nError 2: File not found"}));
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Error);
  ExpectOldDocument();
  EXPECT_TRUE(rec.progress.boxes.empty());
}

TEST_F(FileRead, OpenOfAFolderIsAccessDenied) {
  LoadOldDocument();
  EXPECT_EQ(ReadFileInto(dir.Path(), false, 1), 5);
  EXPECT_EQ(rec.messages.Texts().at(0), "Error reading\n" + FileNameOnly(dir.Path()) + "\nError 5: File access denied");
  ExpectOldDocument();
}

TEST_F(FileRead, FileLockedForWritingByAnotherProgramIsInUse) {
  const std::string path = dir / "locked.bin";
  WriteBytes(path, "locked bytes");
  test::OtherProgramLock writer(path, F_WRLCK);
  ASSERT_TRUE(writer.Locked());
  LoadOldDocument();

  EXPECT_EQ(ReadFileInto(path, false, 1), kResultFileInUse);

  EXPECT_EQ(rec.messages.Texts(),
            (std::vector<std::string>{"Error reading\nlocked.bin\nError 32: File sharing violation"}));
  ExpectOldDocument();
  EXPECT_EQ(ReadOnlyQuestionText(path), "locked.bin is opened by another application.\nOpen in Read Only mode?");

  // Read again in read-only mode: no sharing restriction then.
  Doc().ReadOnly = true;
  EXPECT_EQ(ReadFileInto(path, false, 1), 0);
  EXPECT_EQ(DocumentBytes(), "locked bytes");
  EXPECT_EQ(rec.messages.shown.size(), 1u);
}

TEST_F(FileRead, OtherReadersDoNotStopAnOpen) {
  const std::string path = dir / "shared.bin";
  WriteBytes(path, "shared");
  test::OtherProgramLock reader(path, F_RDLCK);
  ASSERT_TRUE(reader.Locked());
  LoadDocument("");
  EXPECT_EQ(ReadFileInto(path, false, 1), 0);
  EXPECT_EQ(DocumentBytes(), "shared");
}

TEST_F(FileRead, FlockHoldsCountLikeRecordLocks) {
  const std::string path = dir / "flocked.bin";
  WriteBytes(path, "flocked");
  for (const auto& [type, result] : {std::pair{LOCK_EX, kResultFileInUse}, std::pair{LOCK_SH, 0}}) {
    SCOPED_TRACE(type == LOCK_EX ? "exclusive" : "shared");
    rec.messages.shown.clear();
    test::OtherProgramLock other(path, static_cast<short>(type), true);
    ASSERT_TRUE(other.Locked());
    LoadDocument("");
    EXPECT_EQ(ReadFileInto(path, false, 1), result);
    EXPECT_EQ(rec.messages.Texts().size(), result == 0 ? 0u : 1u);
  }
}

TEST_F(FileRead, CancelAtTheSecondChunkKeepsWhatWasRead) {
  const std::string bytes = Pattern(4 * kFileChunk);
  const std::string path = dir / "big.bin";
  WriteBytes(path, bytes);
  LoadOldDocument();
  rec.progress.abortAfterUpdates = 2;

  EXPECT_EQ(ReadFileInto(path, false, 1), kResultReadCancelled);

  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Reading cancelled:\nbig.bin"}));
  EXPECT_EQ(Doc().DocSize, 2 * kFileChunk);
  EXPECT_EQ(DocumentBytes(), bytes.substr(0, 2 * kFileChunk));
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_EQ(rec.progress.boxes[0]->gauge, (std::vector<int>{25, 50}));
  EXPECT_TRUE(rec.progress.boxes[0]->closed);
}

TEST_F(FileRead, FilesTheFreeMemoryCannotHoldAreRefusedBeforeAnythingChanges) {
  LoadOldDocument();
  SetFreeMemoryOverride(int64_t{1} << 30);
  for (const int64_t size : {(int64_t{1} << 30) + 524289, (int64_t{1} << 31) - 1, int64_t{5} << 30}) {
    const std::string path = dir / "huge.bin";
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0) << "sparse file of " << size;
    close(fd);
    rec.messages.shown.clear();

    EXPECT_EQ(ReadFileInto(path, false, 1), kResultNoMemory) << size;

    EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Can't allocate additional memory\nto perform operation"}));
    ExpectOldDocument();
  }
  SetFreeMemoryOverride(std::nullopt);
  EXPECT_TRUE(rec.progress.boxes.empty());
}

TEST_F(FileRead, ReadErrorStopsWithItsNumber) {
  const std::string path = dir / "faulty.bin";
  WriteBytes(path, Pattern(3 * kFileChunk));
  LoadDocument("");
  InjectIoFaultForTesting(IoOp::Read, EIO, kFileChunk + 10);

  EXPECT_EQ(ReadFileInto(path, false, 1), 30);

  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Error reading\nfaulty.bin\nError 30: Read fault"}));
  EXPECT_EQ(Doc().DocSize, kFileChunk + 10);
}

TEST_F(FileRead, ReadErrorWithoutANumberIsReadFailed) {
  const std::string path = dir / "faulty.bin";
  WriteBytes(path, Pattern(1000));
  LoadDocument("");
  InjectIoFaultForTesting(IoOp::Read, EPROTO, 0);
  EXPECT_EQ(ReadFileInto(path, false, 1), kResultReadFailed);
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Error reading\nfaulty.bin"}));
}

TEST_F(FileRead, CloseErrorWithoutANumberIsCloseFailed) {
  const std::string path = dir / "close.bin";
  WriteBytes(path, "abc");
  LoadDocument("");
  InjectIoFaultForTesting(IoOp::Close, EPROTO);
  EXPECT_EQ(ReadFileInto(path, false, 1), kResultCloseFailed);
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Error closing file\nclose.bin"}));
}

// Insert file

TEST_F(FileRead, InsertFillsTheGapAndLeavesSizeTimeAndSharingAlone) {
  const std::string path = dir / "ins.bin";
  WriteBytes(path, "wxyz");
  test::OtherProgramLock writer(path, F_WRLCK);
  ASSERT_TRUE(writer.Locked());
  LoadDocument("ABCDEFGH");
  ASSERT_TRUE(OpenGap(3, 4));

  EXPECT_EQ(ReadFileInto(path, true, 3, 4), 0);

  EXPECT_EQ(DocumentBytes(), "ABwxyzCDEFGH");
  EXPECT_EQ(Doc().DocSize, 12);
  EXPECT_FALSE(Doc().SavedFileTime.has_value());
  EXPECT_FALSE(Doc().Modified);
  EXPECT_TRUE(rec.messages.shown.empty());
  EXPECT_EQ(rec.progress.boxes.at(0)->setup.text, "ins.bin");
}

TEST_F(FileRead, InsertOfAFileThatNoLongerFitsTheGapIsAReadError) {
  const std::string path = dir / "grown.bin";
  WriteBytes(path, "123456");
  LoadDocument("ABCDEFGH");
  ASSERT_TRUE(OpenGap(7, 4));  // the file had 4 bytes when the gap was made

  EXPECT_EQ(ReadFileInto(path, true, 7, 4), kResultReadFailed);
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Error reading\ngrown.bin"}));
  EXPECT_EQ(DocumentBytes().substr(0, 6), "ABCDEF");
  EXPECT_EQ(DocumentBytes().substr(10), "GH");

  // Without the gap's size, a file reaching past the document is refused all the same.
  rec.messages.shown.clear();
  EXPECT_EQ(ReadFileInto(path, true, 8), kResultReadFailed);
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Error reading\ngrown.bin"}));
  EXPECT_EQ(Doc().DocSize, 12);
}

}  // namespace
}  // namespace quoxa
