#pragma once
// The program's bookmarks: at most nine entries, each the text "position blank name", with
// the 1-based position in decimal and the name in the program's 8-bit code page. The list
// outlives the file it was set in (opening another file keeps it) and is checked only when an
// entry is used.

#include <cstdint>
#include <string>
#include <vector>

namespace quoxa {

constexpr int kMaxBookmarks = 9;

class TBookmarkList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Full() const { return Count() >= kMaxBookmarks; }
  bool Empty() const { return entries_.empty(); }
  // index 0..Count()-1.
  const std::string& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
  const std::vector<std::string>& Entries() const { return entries_; }

  // Appends "position blank name" with the name's surrounding blanks removed; false when full.
  bool Append(int64_t position, const std::string& name);
  // Removes entry index; nothing for an index outside the list.
  void Remove(int index);
  void Clear() { entries_.clear(); }
  // The whole list replaced, cut to the first nine.
  void Replace(std::vector<std::string> entries);

 private:
  std::vector<std::string> entries_;
};

// The position of an entry: the number before its first blank; 0 when there is none or it
// does not fit 32 bits.
int64_t BookmarkPosition(const std::string& entry);
// The name of an entry: what follows its first blank.
std::string BookmarkName(const std::string& entry);

// How a bookmark reads in the menu after its number: "address: name" with the displayed
// address in decimal (text grid) or as "$" and hex digits (hex grid); UTF-8.
std::string BookmarkLabel(const std::string& entry, bool textMode);
// The menu entry's caption: "&" number, a blank and the label.
std::string BookmarkCaption(int number, const std::string& entry, bool textMode);

}  // namespace quoxa
