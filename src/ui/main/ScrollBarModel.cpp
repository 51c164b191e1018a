#include "ui/main/ScrollBarModel.h"

#include <algorithm>
#include <limits>

#include "core/DocState.h"
#include "core/Navigation.h"
#include "core/View.h"

namespace quoxa {

bool TScrollBarModel::SetParams(int64_t position, int64_t min, int64_t pageSize, int64_t max) {
  if (max < min) return false;
  const int64_t range = max - min + 1;
  min_ = min;
  max_ = max;
  pageSize_ = std::clamp<int64_t>(pageSize, 0, range);
  const int64_t old = position_;
  position_ = Clamp(position);
  return position_ != old;
}

int64_t TScrollBarModel::MaxPosition() const {
  if (pageSize_ < 2) return max_;
  return max_ - pageSize_ + 1;
}

int64_t TScrollBarModel::Clamp(int64_t position) const {
  return std::clamp<int64_t>(position, min_, std::max(min_, MaxPosition()));
}

int64_t TScrollBarModel::PositionFor(ScrollCode code, int64_t trackPosition) const {
  // Steps are cut to the range first, so that no sum can wrap.
  const int64_t span = std::max(min_, MaxPosition()) - min_;
  int64_t pos = position_;
  switch (code) {
    case ScrollCode::LineUp:
      pos -= std::min(smallChange_, span);
      break;
    case ScrollCode::LineDown:
      pos += std::min(smallChange_, span);
      break;
    case ScrollCode::PageUp:
      pos -= std::min(largeChange_, span);
      break;
    case ScrollCode::PageDown:
      pos += std::min(largeChange_, span);
      break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: pos = trackPosition; break;
    case ScrollCode::Top: pos = min_; break;
    case ScrollCode::Bottom: pos = max_; break;
    case ScrollCode::EndScroll: break;
  }
  return Clamp(pos);
}

bool TScrollBarModel::Direct() const {
  constexpr int64_t kIntMin = std::numeric_limits<int>::min();
  constexpr int64_t kIntMax = std::numeric_limits<int>::max();
  return min_ >= kIntMin && std::max(min_, MaxPosition()) <= kIntMax;
}

int64_t TScrollBarModel::Scale() const {
  if (Direct()) return 1;
  const int64_t span = std::max(min_, MaxPosition()) - min_;
  return span / kWidgetSteps + 1;
}

int TScrollBarModel::WidgetMin() const { return Direct() ? static_cast<int>(min_) : 0; }

int TScrollBarModel::WidgetMax() const { return WidgetValue(std::max(min_, MaxPosition())); }

int TScrollBarModel::WidgetValue(int64_t position) const {
  position = Clamp(position);
  if (Direct()) return static_cast<int>(position);
  const int64_t scale = Scale();
  const int64_t last = std::max(min_, MaxPosition());
  // The last position has a step of its own, so that the thumb at the bottom shows the end.
  if (position == last) return static_cast<int>((last - min_ + scale - 1) / scale);
  return static_cast<int>((position - min_) / scale);
}

int TScrollBarModel::WidgetStep(int64_t change) const {
  return static_cast<int>(std::clamp<int64_t>(change / Scale(), 1, kWidgetSteps));
}

int64_t TScrollBarModel::PositionOfWidget(int value) const {
  if (Direct()) return Clamp(value);
  if (value >= WidgetMax()) return std::max(min_, MaxPosition());
  return Clamp(min_ + std::max(0, value) * Scale());
}

void ScrollViewTo(int64_t s) {
  if (s >= Doc().DocSize - Doc().PageSize + 1) {
    GotoEnd();
  } else if (s > Doc().PageSize) {
    GotoAddress(RowStart(s), true, false);
    UpdateStatus();
  } else {
    GotoTop();
  }
}

}  // namespace quoxa
