#include "widgets/FileListSort.h"

namespace quoxa {

bool TFileListSort::Take(FileColumn column) {
  auto& flag = ascending_[static_cast<std::size_t>(column)];
  lastAscending_ = flag;
  flag = !flag;
  last_ = column;
  return lastAscending_;
}

}  // namespace quoxa
