#include "edit/BookmarkFile.h"

#include "core/AtomicFileWriter.h"
#include "core/BookmarkList.h"
#include "core/FileIo.h"
#include "core/PlatformFile.h"

namespace quoxa {

namespace {

// Positions of any document; a longer number is no bookmark line.
constexpr int64_t kMaxPosition = INT64_MAX;

int32_t ResultOf(int platformResult, int32_t unmapped) {
  return platformResult == kUnmappedIoError ? unmapped : platformResult;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

bool IsBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

enum class LineKind { Bookmark, LongName, Other };

LineKind KindOf(std::string_view line) {
  size_t i = 0;
  int64_t value = 0;
  while (i < line.size() && IsDigit(line[i])) {
    const int digit = line[i] - '0';
    if (value > (kMaxPosition - digit) / 10) return LineKind::Other;
    value = value * 10 + digit;
    ++i;
  }
  if (i == 0 || i == line.size() || line[i] != ' ') return LineKind::Other;
  const std::string_view name = line.substr(i + 1);
  for (char c : name) {
    if (IsControl(static_cast<unsigned char>(c))) return LineKind::Other;
  }
  return name.size() > kMaxBookmarkNameBytes ? LineKind::LongName : LineKind::Bookmark;
}

}  // namespace

std::string BookmarkFileBytes(const std::vector<std::string>& entries) {
  std::string bytes;
  for (const std::string& entry : entries) bytes += entry + "\r\n";
  return bytes;
}

BookmarkFileContents ParseBookmarkFile(std::string_view bytes) {
  BookmarkFileContents contents;
  if (static_cast<int64_t>(bytes.size()) > kMaxBookmarkFileSize) {
    contents.fault = BookmarkFileFault::TooLarge;
    return contents;
  }
  if (bytes.find('\0') != std::string_view::npos) {
    contents.fault = BookmarkFileFault::Binary;
    return contents;
  }
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++start;
    if (IsBlankLine(line)) continue;
    const LineKind kind = KindOf(line);
    if (kind != LineKind::Bookmark) {
      ++contents.skipped;
      if (kind == LineKind::LongName) ++contents.longNames;
    } else if (contents.entries.size() < static_cast<size_t>(kMaxBookmarks)) {
      contents.entries.emplace_back(line);
    } else {
      ++contents.cut;
    }
  }
  if (contents.entries.empty()) {
    contents.fault =
        contents.longNames > 0 ? BookmarkFileFault::NameTooLong : BookmarkFileFault::NoBookmarks;
  }
  return contents;
}

int32_t ReadBookmarkFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  PlatformFile file;
  int32_t result = ResultOf(file.OpenForReading(path, false), kResultOpenFailed);
  if (result != 0) return result;
  // Never more than one byte past the limit, whatever size the file claims or becomes.
  const int64_t want = kMaxBookmarkFileSize + 1;
  bytes.resize(static_cast<size_t>(want));
  int64_t got = 0;
  result = ResultOf(file.Read(reinterpret_cast<uint8_t*>(bytes.data()), want, got), kResultReadFailed);
  bytes.resize(static_cast<size_t>(got));
  const int32_t closed = ResultOf(file.Close(), kResultCloseFailed);
  return result != 0 ? result : closed;
}

int32_t WriteBookmarkFile(const std::string& path, const std::vector<std::string>& entries) {
  const std::string bytes = BookmarkFileBytes(entries);
  return ResultOf(WriteFileSafely(path, reinterpret_cast<const uint8_t*>(bytes.data()),
                                  static_cast<int64_t>(bytes.size())),
                  kIoWriteFault);
}

}  // namespace quoxa
