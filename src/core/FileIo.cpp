#include "core/FileIo.h"

#include <algorithm>
#include <optional>

#include "core/AtomicFileWriter.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/FileTexts.h"
#include "core/IoErrors.h"
#include "core/MemoryPolicy.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/PlatformFile.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "core/TextFormat.h"

namespace quoxa {

namespace {

constexpr int kGaugeStep = 5;

// A platform result as a result code: unmapped failures become the program's own message.
int32_t ResultOf(int platformResult, int32_t unmapped) {
  return platformResult == kUnmappedIoError ? unmapped : platformResult;
}

// The time a whole-document save gives back to the file, if any.
std::optional<FileTime> TimeToKeep(bool keepFileTime) {
  if (!keepFileTime) return std::nullopt;
  // A new document has no time of its own; the one of an earlier Open is not its.
  if (Doc().Untitled) {
    Doc().SavedFileTime.reset();
    return std::nullopt;
  }
  if (!Doc().SavedFileTime || !IsRestorableFileTime(*Doc().SavedFileTime)) return std::nullopt;
  return Doc().SavedFileTime;
}

}  // namespace

std::string ReadErrorText(int32_t result, const std::string& name) {
  const std::string file = FileNameOnly(name);
  switch (result) {
    case kResultOpenFailed:
      return FormatMsgS(msg::kErrorOpeningFile, file);
    case kResultNoMemory:
      return msg::kNoMemory;
    case kResultCloseFailed:
      return FormatMsgS(msg::kErrorClosingFile, file);
    case kResultReadCancelled:
      return FormatMsgS(msg::kReadingCancelled, file);
    default:
      break;
  }
  const std::string text = FormatMsgS(msg::kErrorReading, file);
  return result < 250 ? text + "\n" + IoErrorLine(result) : text;
}

std::string WriteErrorText(int32_t result, const std::string& name) {
  const std::string file = FileNameOnly(name);
  switch (result) {
    case kResultOpenFailed:
      return FormatMsgS(msg::kErrorOpeningFile, file);
    case kResultCloseFailed:
      return FormatMsgS(msg::kErrorClosingFile, file);
    case kResultWriteCancelled:
      return FormatMsgS(msg::kWritingCancelled, file);
    case kResultNotRegularFile:
      return FormatMsgS(msg::kNotRegularFile, file);
    default:
      break;
  }
  const std::string text = FormatMsgS(msg::kErrorWriting, file);
  return result < 250 ? text + "\n" + IoErrorLine(result) : text;
}

std::string ReadOnlyQuestionText(const std::string& name) {
  return FormatMsgS(msg::kOpenReadOnlyQuestion, FileNameOnly(name));
}

int32_t ReadFileInto(const std::string& name, bool insert, int64_t pos, int64_t expectedSize) {
  if (!insert) pos = 1;
  int32_t result = 0;
  {
    PlatformFile file;
    result = ResultOf(file.OpenForReading(name, !insert && !Doc().ReadOnly), kResultOpenFailed);
    const int64_t total = file.Size();
    if (result == 0) {
      if (insert) {
        // Never past the gap, whatever the file became since its size was taken.
        const bool fits = pos >= 1 && pos - 1 + total <= Doc().DocSize;
        if (!fits || (expectedSize >= 0 && total != expectedSize)) result = kResultReadFailed;
      } else if (!MemoryHolds(total) || !ReserveForSize(total)) {
        result = kResultNoMemory;
      } else {
        Doc().SavedFileTime = file.ModTime();
        struct stat st {};
        Doc().FileId.reset();
        Doc().DiskState.reset();
        if (file.Status(st)) {
          Doc().DiskState = FileStateFrom(st);
          Doc().FileId = Doc().DiskState->id;
        }
      }
    }
    if (result == 0) {
      // A file of the kernel's own, or one that shows no size, is read until it ends.
      const bool toTheEnd = !insert && file.SizeUntold();
      bool ended = false;
      int64_t done = 0;
      {
        TProgressBox box({true, true, FileNameOnly(name), msg::kReadingFile});
        do {
          const int64_t chunk = toTheEnd ? kFileChunk : std::min(total - done, kFileChunk);
          if (toTheEnd && done + chunk > Doc().Capacity()) {
            // The bytes read so far move with the block.
            Doc().DocSize = done;
            if (!MemoryHolds(done + chunk) || !SetCapacity(CapacityForSize(done + chunk))) {
              result = kResultNoMemory;
              break;
            }
          }
          if (chunk > 0) {
            int64_t got = 0;
            result = ResultOf(file.Read(WritableDocBuffer() + (pos - 1) + done, chunk, got), kResultReadFailed);
            if (result == 0 && got < chunk && !toTheEnd) result = kResultReadFailed;
            ended = got < chunk;
            done += got;
          }
          box.SetProgress(done, std::max(total, done), kGaugeStep);
          if (result == 0 && box.Aborted()) result = kResultReadCancelled;
        } while ((toTheEnd ? !ended : done != total) && result == 0);
      }
      // After a failed Open the document is exactly what was read.
      if (!insert) Doc().DocSize = done;
    }
    if (file.IsOpen()) {
      const int32_t closed = ResultOf(file.Close(), kResultCloseFailed);
      if (result == 0) result = closed;
    }
  }
  if (result != 0) ShowError(ReadErrorText(result, name));
  return result;
}

int32_t InsertFileAt(const std::string& name, int64_t pos, int64_t size) {
  if (!OpenGap(pos, size)) {
    ShowError(msg::kNoMemory);
    return kResultNoMemory;
  }
  const int32_t result = ReadFileInto(name, true, pos, size);
  if (result != 0) {
    RemoveRange(pos, size);
  } else {
    RecordInserted(pos, size);
  }
  return result;
}

bool LoadDocumentBytes(const uint8_t* data, int64_t size) {
  if (size < 0 || !MemoryHolds(size) || !ReserveForSize(size)) return false;
  if (size > 0) std::copy(data, data + size, WritableDocBuffer());
  Doc().DocSize = size;
  Doc().FileId.reset();
  Doc().SavedFileTime.reset();
  return true;
}

bool WriteFileRange(const std::string& name, bool range, int64_t from, int64_t count, bool keepFileTime) {
  if (!range) {
    from = 1;
    count = Doc().DocSize;
  }
  // Another program may have replaced or changed the file since it was read or last saved.
  if (!range && name == Doc().FileName && Doc().DiskState) {
    const std::optional<TFileState> now = FileStateOf(name);
    if (now && *now != *Doc().DiskState &&
        AskYesNo(FormatMsgS(msg::kChangedByOther, FileNameOnly(name))) != mrYes) {
      return false;
    }
  }
  int32_t result = 0;
  {
    AtomicFileWriter writer;
    if (from < 1 || count < 0 || from - 1 + count > Doc().DocSize) {
      result = kIoInvalidParameter;
    } else {
      result = ResultOf(writer.Begin(name, count), kResultOpenFailed);
    }
    if (result == 0) {
      // Bytes written over the file itself cannot be taken back: no Cancel then.
      TProgressBox box({!writer.InPlace(), true, FileNameOnly(name), msg::kWritingFile});
      const uint8_t* source = Doc().DocBuffer + (from - 1);
      int64_t done = 0;
      do {
        const int64_t chunk = std::min(count - done, kFileChunk);
        if (chunk > 0) {
          int64_t written = 0;
          int step = writer.Write(source + done, chunk, written);
          done += written;
          // The temporary copy found no room: the file itself is written from its start.
          if (step == kIoDiskFull && writer.FallBackInPlace(step)) {
            done = 0;
            box.EnableCancel(false);
          }
          result = ResultOf(step, kIoWriteFault);
        }
        box.SetProgress(done, count, kGaugeStep);
        if (result == 0 && !writer.InPlace() && box.Aborted()) result = kResultWriteCancelled;
      } while (done != count && result == 0);
    }
    if (result == 0) {
      const std::optional<FileTime> keep = range ? std::nullopt : TimeToKeep(keepFileTime);
      result = ResultOf(writer.Commit(keep), kResultCloseFailed);
    }
    writer.Discard();
  }
  // The user chose not to write: nothing to report.
  if (result == kWriteDeclined) return false;
  if (result != 0) {
    ShowError(WriteErrorText(result, name));
    return false;
  }
  if (!range) Doc().Modified = false;
  // What the document's file now is: the next save compares with it.
  if (!range || name == Doc().FileName) {
    Doc().DiskState = FileStateOf(name);
    Doc().FileId.reset();
    if (Doc().DiskState) Doc().FileId = Doc().DiskState->id;
  }
  return true;
}

}  // namespace quoxa
