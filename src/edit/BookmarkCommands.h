#pragma once
// The Bookmarks menu: adding, removing, choosing, saving and loading bookmarks, and the state
// of the menu's entries. The window installs a view that shows the entries' captions.

#include <array>
#include <functional>
#include <string>

namespace quoxa {

namespace msg {
inline constexpr const char* kBookmarksFull = "Maximum number of bookmarks reached!";
inline constexpr const char* kAddBookmarkCaption = "Add new bookmark for current address";
inline constexpr const char* kAddBookmarkPrompt = "Name:";
inline constexpr const char* kRemoveBookmarkCaption = "Remove bookmark";
inline constexpr const char* kBookmarkInvalid = "Bookmark invalid. Remove from list?";
inline constexpr const char* kSaveBookmarksTitle = "Save bookmarks";
inline constexpr const char* kLoadBookmarksTitle = "Load bookmarks";
inline constexpr const char* kBookmarkFilter = "*.qbm";
inline constexpr const char* kNotABookmarkFile = "%s is not a bookmark file.\n";
inline constexpr const char* kBookmarkFileTooLarge = "It is larger than 64 KB.";
inline constexpr const char* kBookmarkFileBinary = "It holds binary data.";
inline constexpr const char* kBookmarkFileEmpty = "No line holds a position, a blank and a name.";
inline constexpr const char* kBookmarkLineSkipped = "1 line of %s is no bookmark and was skipped.";
inline constexpr const char* kBookmarkLinesSkipped = "%d lines of %s are no bookmarks and were skipped.";
inline constexpr const char* kBookmarkNameTooLong =
    "A bookmark name in %s is longer than %d characters, the most a name may have.";
inline constexpr const char* kBookmarksCut = "%s holds more than 9 bookmarks; only the first 9 were loaded.";
}  // namespace msg

// One of the nine menu entries Bookmark1 ... Bookmark9.
struct BookmarkMenuEntry {
  bool visible = false;
  std::string caption;  // UTF-8, "&" and the digit first
};

// The entries as the list, the grid with the cursor and the base address make them.
std::array<BookmarkMenuEntry, 9> BookmarkMenuEntries();

// Called after every refresh to show the entries (the divider is visible exactly when the
// list is not empty); nullptr removes it.
void InstallBookmarkMenuView(std::function<void()> view);

// After every change of the list, and when the grid with the cursor or the base address
// changes: Remove, Remove all and Save to file usable exactly when there are bookmarks; the
// view shows the entries.
void RefreshBookmarkMenu();

// Add: "Maximum number of bookmarks reached!" at nine; else the input box for the name, and
// on OK the cursor's position with the trimmed name becomes the last entry.
void AddBookmarkCommand();
// Remove: the list box of the entries (address: name); OK removes the chosen one.
void RemoveBookmarkCommand();
void RemoveAllBookmarksCommand();
// Bookmark number 1..9: the cursor goes there; a position outside the document is offered for
// removal.
void ChooseBookmarkCommand(int number);

// Writes the list to path; failures are shown. True when written.
bool SaveBookmarksTo(const std::string& path);
// Replaces the list with the bookmarks of path. A file that cannot be read, or is no bookmark
// file, is reported and leaves the list as it was; skipped and cut lines are reported after
// loading. True when the list was replaced.
bool LoadBookmarksFrom(const std::string& path);

}  // namespace quoxa
