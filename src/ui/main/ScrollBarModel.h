#pragma once
// The values of the scroll bar, in 64-bit document positions, how a scroll code moves its
// position, and how the positions map onto the widget's int range.

#include <cstdint>

namespace quoxa {

enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom, EndScroll };

class TScrollBarModel {
 public:
  // The widget takes at most this many steps; a longer range maps several positions to a step.
  static constexpr int64_t kWidgetSteps = (int64_t{1} << 31) - 2;

  int64_t Position() const { return position_; }
  int64_t Min() const { return min_; }
  int64_t Max() const { return max_; }
  int64_t PageSize() const { return pageSize_; }
  int64_t SmallChange() const { return smallChange_; }
  int64_t LargeChange() const { return largeChange_; }

  // Stores the four values, page size cut to the range and position clamped.
  // Ignored when max < min. True when the position changed.
  bool SetParams(int64_t position, int64_t min, int64_t pageSize, int64_t max);
  bool SetPosition(int64_t position) { return SetParams(position, min_, pageSize_, max_); }
  bool SetMin(int64_t min) { return SetParams(position_, min, pageSize_, max_); }
  bool SetMax(int64_t max) { return SetParams(position_, min_, pageSize_, max); }
  bool SetPageSize(int64_t pageSize) { return SetParams(position_, min_, pageSize, max_); }
  void SetSmallChange(int64_t change) { smallChange_ = change; }
  void SetLargeChange(int64_t change) { largeChange_ = change; }

  // The largest position: max with a page below 2, else max - pageSize + 1.
  int64_t MaxPosition() const;
  // Position clamped into min..MaxPosition().
  int64_t Clamp(int64_t position) const;
  // The clamped position a scroll code leads to; trackPosition is the thumb's.
  int64_t PositionFor(ScrollCode code, int64_t trackPosition) const;

  // The widget's view: its range, steps and value. A range that fits the widget is shown as it
  // is; a longer one in steps of Scale() positions, the last step standing for MaxPosition().
  int64_t Scale() const;
  int WidgetMin() const;
  int WidgetMax() const;
  int WidgetValue(int64_t position) const;
  int WidgetStep(int64_t change) const;
  // The position a widget value stands for.
  int64_t PositionOfWidget(int value) const;

 private:
  bool Direct() const;

  int64_t position_ = 0;
  int64_t min_ = 0;
  int64_t max_ = 100;
  int64_t pageSize_ = 0;
  int64_t smallChange_ = 1;
  int64_t largeChange_ = 1;
};

// What the end of a scroll does to the view: the cursor goes to the first byte of
// the row at scroll position s, the end or the top of the document.
void ScrollViewTo(int64_t s);

}  // namespace quoxa
