#include "edit/BookmarkCommands.h"

#include "core/BookmarkList.h"
#include "core/CodePage.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "edit/BookmarkFile.h"
#include "edit/GotoCommands.h"

namespace quoxa {

namespace {

std::function<void()> menuView;

std::string NameTooLongText(const std::string& file) {
  return FormatMsgS(
      FormatMsgD(msg::kBookmarkNameTooLong, static_cast<int64_t>(kMaxBookmarkNameBytes)), file);
}

std::string RefusalText(BookmarkFileFault fault, const std::string& file) {
  if (fault == BookmarkFileFault::NameTooLong) return NameTooLongText(file);
  const std::string head = FormatMsgS(msg::kNotABookmarkFile, file);
  switch (fault) {
    case BookmarkFileFault::TooLarge: return head + msg::kBookmarkFileTooLarge;
    case BookmarkFileFault::Binary: return head + msg::kBookmarkFileBinary;
    case BookmarkFileFault::NoBookmarks:
    case BookmarkFileFault::NameTooLong:
    case BookmarkFileFault::None: break;
  }
  return head + msg::kBookmarkFileEmpty;
}

// What was left out of a loaded file; empty when nothing was.
std::string OmissionText(const BookmarkFileContents& contents, const std::string& file) {
  std::string text;
  if (contents.skipped == 1) text = FormatMsgS(msg::kBookmarkLineSkipped, file);
  if (contents.skipped > 1) text = FormatMsgS(FormatMsgD(msg::kBookmarkLinesSkipped, contents.skipped), file);
  if (contents.longNames > 0) text += "\n" + NameTooLongText(file);
  if (contents.cut > 0) text += (text.empty() ? "" : "\n") + FormatMsgS(msg::kBookmarksCut, file);
  return text;
}

}  // namespace

std::array<BookmarkMenuEntry, 9> BookmarkMenuEntries() {
  std::array<BookmarkMenuEntry, 9> entries;
  const TBookmarkList& list = Doc().Bookmarks;
  for (int i = 0; i < list.Count() && i < kMaxBookmarks; ++i) {
    entries[static_cast<size_t>(i)] = {true, BookmarkCaption(i + 1, list.Entry(i), Doc().TextMode)};
  }
  return entries;
}

void InstallBookmarkMenuView(std::function<void()> view) { menuView = std::move(view); }

void RefreshBookmarkMenu() {
  SetCommandsEnabled({Cmd::BookmarkRemove, Cmd::BookmarkRemoveAll, Cmd::BookmarkSave}, !Doc().Bookmarks.Empty());
  if (menuView) menuView();
}

void AddBookmarkCommand() {
  if (!Doc().ViewReady || Doc().DocSize == 0) return;
  if (Doc().Bookmarks.Full()) {
    ShowError(msg::kBookmarksFull);
    return;
  }
  // The position is taken now: the input box does not move the cursor.
  const int64_t position = CursorAddress();
  std::string name;
  if (!InputBox(msg::kAddBookmarkCaption, msg::kAddBookmarkPrompt, name)) return;
  Doc().Bookmarks.Append(position, Utf8ToBytes(name));
  RefreshBookmarkMenu();
}

void RemoveBookmarkCommand() {
  TBookmarkList& list = Doc().Bookmarks;
  if (list.Empty()) return;
  std::vector<std::string> labels;
  for (const std::string& entry : list.Entries()) labels.push_back(BookmarkLabel(entry, Doc().TextMode));
  int index = 0;
  if (ListChoice(msg::kRemoveBookmarkCaption, labels, false, 0, index)) list.Remove(index);
  RefreshBookmarkMenu();
}

void RemoveAllBookmarksCommand() {
  Doc().Bookmarks.Clear();
  RefreshBookmarkMenu();
}

void ChooseBookmarkCommand(int number) {
  TBookmarkList& list = Doc().Bookmarks;
  const int index = number - 1;
  if (!Doc().ViewReady || index < 0 || index >= list.Count()) return;
  const int64_t position = BookmarkPosition(list.Entry(index));
  if (position <= 0 || position > Doc().DocSize) {
    if (AskYesNo(msg::kBookmarkInvalid) == mrYes) {
      list.Remove(index);
      RefreshBookmarkMenu();
    }
    return;
  }
  GoToPosition(position);
}

bool SaveBookmarksTo(const std::string& path) {
  const int32_t result = WriteBookmarkFile(path, Doc().Bookmarks.Entries());
  if (result != 0) ShowError(WriteErrorText(result, path));
  return result == 0;
}

bool LoadBookmarksFrom(const std::string& path) {
  std::string bytes;
  const int32_t result = ReadBookmarkFileBytes(path, bytes);
  if (result != 0) {
    ShowError(ReadErrorText(result, path));
    return false;
  }
  const std::string file = FileNameOnly(path);
  BookmarkFileContents contents = ParseBookmarkFile(bytes);
  if (contents.fault != BookmarkFileFault::None) {
    ShowError(RefusalText(contents.fault, file));
    return false;
  }
  Doc().Bookmarks.Replace(std::move(contents.entries));
  RefreshBookmarkMenu();
  const std::string omitted = OmissionText(contents, file);
  if (!omitted.empty()) MessageDialog({omitted, MsgType::Warning, mbOK});
  return true;
}

}  // namespace quoxa
