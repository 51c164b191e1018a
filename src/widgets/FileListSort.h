#pragma once
// Sort order of the file dialog's list: one direction per column, flipped after
// each use, and the column sorted last.

#include <array>
#include <cstddef>

namespace quoxa {

enum class FileColumn { Name = 0, Size = 1, Type = 2, Date = 3 };

class TFileListSort {
 public:
  // Whether the next sort by this column is ascending; flips the column's direction
  // for the next time and remembers the column.
  bool Take(FileColumn column);
  // Direction the last column was sorted in (for refilling the list).
  bool LastAscending() const { return lastAscending_; }
  FileColumn LastColumn() const { return last_; }

 private:
  std::array<bool, 4> ascending_{true, true, true, false};
  FileColumn last_ = FileColumn::Name;
  bool lastAscending_ = true;
};

}  // namespace quoxa
