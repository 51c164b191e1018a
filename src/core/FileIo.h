#pragma once
// Reading a file into the document and writing the document (or a range of it)
// to a file, in 128 KiB chunks under a progress box with Cancel.

#include <cstdint>
#include <string>

namespace quoxa {

// Result codes: 0 = success, below 250 an I/O error number (IoErrors.h),
// otherwise the number of one of these messages.
constexpr int32_t kResultOpenFailed = 2003;
constexpr int32_t kResultNoMemory = 2004;
constexpr int32_t kResultReadFailed = 2005;
constexpr int32_t kResultCloseFailed = 2006;
constexpr int32_t kResultReadCancelled = 2011;
constexpr int32_t kResultWriteCancelled = 2058;
// The target is a device, folder or pipe: only regular files are written.
constexpr int32_t kResultNotRegularFile = 2059;
// The file is in use by another program (the read-only question follows).
constexpr int32_t kResultFileInUse = 32;

// Bytes moved per step between two looks at Cancel.
constexpr int64_t kFileChunk = 131072;

// Open (insert = false): the file becomes the document; DocSize = bytes read and
// the saved file time and the file's identity are recorded. A file the free memory
// cannot hold is refused (2004) before anything changes. After a failure the document
// holds the bytes read so far (the caller closes it).
// Insert (insert = true): reads into the gap the caller opened at pos; expectedSize,
// when not -1, is that gap's size and a file of another size is a read error.
// The file is shared for reading unless ReadOnly is set or inserting.
// Every failure is shown in an error box; returns the result code.
int32_t ReadFileInto(const std::string& name, bool insert, int64_t pos, int64_t expectedSize = -1);
// Insert file: opens a gap of size bytes at pos, reads the file into it and journals it;
// on any failure (shown) the gap is closed again. Returns the result code.
int32_t InsertFileAt(const std::string& name, int64_t pos, int64_t size);

// The bytes become the document, as a file read by Open would (no file name, time or identity):
// false when the memory cannot hold them, and the document is unchanged then.
bool LoadDocumentBytes(const uint8_t* data, int64_t size);

// range = false: the whole document (from and count are ignored); on success
// Modified is cleared and, with keepFileTime (the OldFileTime option), the file gets
// back its time of the last Open. range = true: count bytes from position from;
// Modified is left alone. The old file stays as it was unless the new one was written
// completely. Every failure is shown in an error box; true when the file was written.
bool WriteFileRange(const std::string& name, bool range, int64_t from, int64_t count, bool keepFileTime = false);

// The error box texts for a result code and a file name (shown without its path).
std::string ReadErrorText(int32_t result, const std::string& name);
std::string WriteErrorText(int32_t result, const std::string& name);

// "name is opened by another application.\nOpen in Read Only mode?" for a path.
std::string ReadOnlyQuestionText(const std::string& name);

}  // namespace quoxa
