#include "ui/main/ScrollBarModel.h"

#include <algorithm>

#include "core/DocState.h"
#include "core/Navigation.h"
#include "core/View.h"

namespace quoxa {

bool TScrollBarModel::SetParams(int32_t position, int32_t min, int32_t pageSize, int32_t max) {
  if (max < min) return false;
  const int64_t range = int64_t{max} - min + 1;
  const int64_t page = std::clamp<int64_t>(pageSize, 0, range);
  min_ = min;
  max_ = max;
  pageSize_ = static_cast<int32_t>(page);
  const int32_t old = position_;
  position_ = Clamp(position);
  return position_ != old;
}

int32_t TScrollBarModel::MaxPosition() const {
  if (pageSize_ < 2) return max_;
  return static_cast<int32_t>(int64_t{max_} - pageSize_ + 1);
}

int32_t TScrollBarModel::Clamp(int64_t position) const {
  return static_cast<int32_t>(std::clamp<int64_t>(position, min_, std::max<int64_t>(min_, MaxPosition())));
}

int32_t TScrollBarModel::PositionFor(ScrollCode code, int32_t trackPosition) const {
  int64_t pos = position_;
  switch (code) {
    case ScrollCode::LineUp: pos -= smallChange_; break;
    case ScrollCode::LineDown: pos += smallChange_; break;
    case ScrollCode::PageUp: pos -= largeChange_; break;
    case ScrollCode::PageDown: pos += largeChange_; break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: pos = trackPosition; break;
    case ScrollCode::Top: pos = min_; break;
    case ScrollCode::Bottom: pos = max_; break;
    case ScrollCode::EndScroll: break;
  }
  return Clamp(pos);
}

void ScrollViewTo(int32_t s) {
  if (int64_t{s} >= int64_t{Doc().DocSize} - Doc().PageSize + 1) {
    GotoEnd();
  } else if (s > Doc().PageSize) {
    GotoAddress(RowStart(s), true, false);
    UpdateStatus();
  } else {
    GotoTop();
  }
}

}  // namespace quoxa
