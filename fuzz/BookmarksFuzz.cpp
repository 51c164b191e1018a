// The bookmark file reader on any bytes: it never crashes or hangs, keeps at most nine entries,
// refuses exactly when it keeps none, and what it keeps reads back unchanged from the file
// written for it and makes menu captions in both grids.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/BookmarkList.h"
#include "core/DocState.h"
#include "edit/BookmarkCommands.h"
#include "edit/BookmarkFile.h"

using namespace quoxa;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const BookmarkFileContents contents = ParseBookmarkFile(bytes);
  if (contents.entries.size() > static_cast<size_t>(kMaxBookmarks)) std::abort();
  if ((contents.fault == BookmarkFileFault::None) == contents.entries.empty()) std::abort();
  if (contents.fault != BookmarkFileFault::None) return 0;

  const BookmarkFileContents again = ParseBookmarkFile(BookmarkFileBytes(contents.entries));
  if (again.entries != contents.entries || again.skipped != 0 || again.cut != 0) std::abort();
  for (const std::string& entry : contents.entries) {
    if (BookmarkPosition(entry) < 0) std::abort();
  }
  Doc().Bookmarks.Replace(contents.entries);
  for (const bool text : {false, true}) {
    Doc().TextMode = text;
    for (const BookmarkMenuEntry& entry : BookmarkMenuEntries()) {
      if (entry.visible && entry.caption.rfind('&', 0) != 0) std::abort();
    }
  }
  return 0;
}
