#include "core/BookmarkList.h"

#include <charconv>
#include <cstdint>

#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/TextFormat.h"

namespace quoxa {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trimmed(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool TBookmarkList::Append(int64_t position, const std::string& name) {
  if (Full()) return false;
  entries_.push_back(std::to_string(position) + " " + Trimmed(name));
  return true;
}

void TBookmarkList::Remove(int index) {
  if (index < 0 || index >= Count()) return;
  entries_.erase(entries_.begin() + index);
}

void TBookmarkList::Replace(std::vector<std::string> entries) {
  if (entries.size() > static_cast<size_t>(kMaxBookmarks)) entries.resize(kMaxBookmarks);
  entries_ = std::move(entries);
}

int64_t BookmarkPosition(const std::string& entry) {
  const size_t blank = entry.find(' ');
  const std::string_view digits(entry.data(), blank == std::string::npos ? entry.size() : blank);
  int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return 0;
  return value;
}

std::string BookmarkName(const std::string& entry) {
  const size_t blank = entry.find(' ');
  return blank == std::string::npos ? std::string() : entry.substr(blank + 1);
}

std::string BookmarkLabel(const std::string& entry, bool textMode) {
  const int64_t address = DisplayAddress(BookmarkPosition(entry));
  std::string name = BytesToUtf8(BookmarkName(entry));
  // A tab would split a menu caption into text and shortcut.
  for (char& c : name) {
    if (c == '\t') c = ' ';
  }
  return (textMode ? std::to_string(address) : "$" + FormatHex(address)) + ": " + name;
}

std::string BookmarkCaption(int number, const std::string& entry, bool textMode) {
  return "&" + std::to_string(number) + " " + BookmarkLabel(entry, textMode);
}

}  // namespace quoxa
