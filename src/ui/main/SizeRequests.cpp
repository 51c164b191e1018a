#include "ui/main/SizeRequests.h"

#include <algorithm>

namespace quoxa {

void TSizeRequests::Requested(int width, int height) {
  if (!pending_.empty() && pending_.back() == std::make_pair(width, height)) return;
  if (pending_.size() == kMaxPending) pending_.pop_front();
  pending_.emplace_back(width, height);
}

bool TSizeRequests::Answers(int width, int height) {
  const auto it = std::find(pending_.begin(), pending_.end(), std::make_pair(width, height));
  if (it == pending_.end()) {
    pending_.clear();
    return false;
  }
  pending_.erase(pending_.begin(), it + 1);
  return true;
}

}  // namespace quoxa
