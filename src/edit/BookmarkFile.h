#pragma once
// Bookmark files (*.qbm): plain 8-bit text, one entry per line, each line ended by CR LF.
// Reading takes CR LF, a lone CR and a lone LF as line ends and treats the file as untrusted.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quoxa {

// Larger files are refused unread: nine lines of at most 255 name bytes are far smaller.
constexpr int64_t kMaxBookmarkFileSize = 64 * 1024;
// The longest name a line may carry (the input box gives no more).
constexpr size_t kMaxBookmarkNameBytes = 255;

// The file's bytes for a list: every entry followed by CR LF.
std::string BookmarkFileBytes(const std::vector<std::string>& entries);

enum class BookmarkFileFault { None, TooLarge, Binary, NoBookmarks, NameTooLong };

// What a file's bytes hold. A line is a bookmark when it is decimal digits (a value of at most
// 2147483647), one blank and a name of at most 255 bytes without control characters other than
// tabs. Empty and blank lines are passed over; other lines are skipped and counted; bookmarks
// past the ninth are cut and counted. A NUL byte makes the whole file binary; a file without
// any bookmark is refused as well (NameTooLong when a line failed only by its name's length).
struct BookmarkFileContents {
  BookmarkFileFault fault = BookmarkFileFault::None;
  std::vector<std::string> entries;
  int skipped = 0;
  int longNames = 0;  // skipped lines that were bookmarks but for a name over 255 bytes
  int cut = 0;
};
BookmarkFileContents ParseBookmarkFile(std::string_view bytes);

// Reads at most kMaxBookmarkFileSize + 1 bytes of a file into bytes; 0 or a result code of
// the file routines (FileIo.h).
int32_t ReadBookmarkFileBytes(const std::string& path, std::string& bytes);

// Writes the list through the safe writer; 0 or a result code of the file routines.
int32_t WriteBookmarkFile(const std::string& path, const std::vector<std::string>& entries);

}  // namespace quoxa
