#pragma once
// The values of the 32-bit scroll bar and how a scroll code moves its position.

#include <cstdint>

namespace quoxa {

enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom, EndScroll };

class TScrollBarModel {
 public:
  int32_t Position() const { return position_; }
  int32_t Min() const { return min_; }
  int32_t Max() const { return max_; }
  int32_t PageSize() const { return pageSize_; }
  int32_t SmallChange() const { return smallChange_; }
  int32_t LargeChange() const { return largeChange_; }

  // Stores the four values, page size cut to the range and position clamped.
  // Ignored when max < min. True when the position changed.
  bool SetParams(int32_t position, int32_t min, int32_t pageSize, int32_t max);
  bool SetPosition(int32_t position) { return SetParams(position, min_, pageSize_, max_); }
  bool SetMin(int32_t min) { return SetParams(position_, min, pageSize_, max_); }
  bool SetMax(int32_t max) { return SetParams(position_, min_, pageSize_, max); }
  bool SetPageSize(int32_t pageSize) { return SetParams(position_, min_, pageSize, max_); }
  void SetSmallChange(int32_t change) { smallChange_ = change; }
  void SetLargeChange(int32_t change) { largeChange_ = change; }

  // The largest position: max with a page below 2, else max - pageSize + 1.
  int32_t MaxPosition() const;
  // Position clamped into min..MaxPosition().
  int32_t Clamp(int64_t position) const;
  // The clamped position a scroll code leads to; trackPosition is the thumb's.
  int32_t PositionFor(ScrollCode code, int32_t trackPosition) const;

 private:
  int32_t position_ = 0;
  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t pageSize_ = 0;
  int32_t smallChange_ = 1;
  int32_t largeChange_ = 1;
};

// What the end of a scroll does to the view: the cursor goes to the first byte of
// the row at scroll position s, the end or the top of the document.
void ScrollViewTo(int32_t s);

}  // namespace quoxa
