#include <gtest/gtest.h>

#include <limits>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "ui/main/ScrollBarModel.h"

namespace quoxa {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(ScrollBarModel, StartsWithItsDefaults) {
  const TScrollBarModel bar;
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.PageSize(), 0);
  EXPECT_EQ(bar.SmallChange(), 1);
  EXPECT_EQ(bar.LargeChange(), 1);
}

TEST(ScrollBarModel, MaxBelowMinIsIgnored) {
  TScrollBarModel bar;
  bar.SetParams(50, 0, 10, 100);
  EXPECT_FALSE(bar.SetParams(5, 10, 1, 9));
  EXPECT_EQ(bar.Position(), 50);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 100);
}

TEST(ScrollBarModel, PageIsCutToTheRangeAndPositionClamped) {
  TScrollBarModel bar;
  bar.SetParams(5, 1, 500, 20);
  EXPECT_EQ(bar.PageSize(), 20);
  EXPECT_EQ(bar.Position(), 1);
  bar.SetParams(1000, 1, 160, 1000);
  EXPECT_EQ(bar.Position(), 841);
  bar.SetParams(-7, 1, 160, 1000);
  EXPECT_EQ(bar.Position(), 1);
}

TEST(ScrollBarModel, WithASmallPageTheLastPositionIsMax) {
  TScrollBarModel bar;
  bar.SetParams(1000, 1, 1, 1000);
  EXPECT_EQ(bar.Position(), 1000);
  bar.SetParams(1000, 1, 0, 1000);
  EXPECT_EQ(bar.Position(), 1000);
}

TEST(ScrollBarModel, ReportsWhetherThePositionMoved) {
  TScrollBarModel bar;
  EXPECT_TRUE(bar.SetParams(10, 0, 0, 100));
  EXPECT_FALSE(bar.SetParams(10, 0, 5, 100));
  EXPECT_TRUE(bar.SetPosition(11));
  EXPECT_FALSE(bar.SetPosition(11));
}

TEST(ScrollBarModel, TheFullThirtyTwoBitRangeNeverOverflows) {
  TScrollBarModel bar;
  bar.SetParams(kMax, kMin, kMax, kMax);
  EXPECT_EQ(bar.PageSize(), kMax);
  EXPECT_EQ(bar.Position(), 1);
  bar.SetParams(kMax, 1, 1280, kMax);
  EXPECT_EQ(bar.Position(), kMax - 1279);
  bar.SetLargeChange(kMax);
  EXPECT_EQ(bar.PositionFor(ScrollCode::PageDown, 0), kMax - 1279);
  bar.SetParams(kMin, kMin, 0, kMax);
  EXPECT_EQ(bar.PositionFor(ScrollCode::PageUp, 0), kMin);
}

TEST(ScrollBarModel, ScrollCodesMoveByTheirChange) {
  TScrollBarModel bar;
  bar.SetParams(500, 1, 160, 1000);
  bar.SetSmallChange(160);
  bar.SetLargeChange(1600);
  EXPECT_EQ(bar.PositionFor(ScrollCode::LineDown, 0), 660);
  EXPECT_EQ(bar.PositionFor(ScrollCode::LineUp, 0), 340);
  EXPECT_EQ(bar.PositionFor(ScrollCode::PageDown, 0), 841);
  EXPECT_EQ(bar.PositionFor(ScrollCode::PageUp, 0), 1);
  EXPECT_EQ(bar.PositionFor(ScrollCode::ThumbTrack, 123), 123);
  EXPECT_EQ(bar.PositionFor(ScrollCode::ThumbPosition, 5000), 841);
  EXPECT_EQ(bar.PositionFor(ScrollCode::Top, 0), 1);
  EXPECT_EQ(bar.PositionFor(ScrollCode::Bottom, 0), 841);
  EXPECT_EQ(bar.PositionFor(ScrollCode::EndScroll, 77), 500);
}

class ScrollView : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(ScrollView, EndScrollShowsTheRowOfThePositionClampedToTheFirstAndLastPage) {
  struct Case {
    const char* what;
    int32_t position;
    int64_t top;
    int64_t cursor;
  };
  const Case cases[] = {
      {"last page: to the end", 841, 849, 1000},
      {"middle: the row of the position, its first cell", 500, 497, 497},
      {"within the first page: to the top", 160, 1, 1},
      {"just past the first page", 161, 161, 161},
  };
  for (const Case& c : cases) {
    test::LoadDocument(test::Ramp(1000), 16, 10);
    GotoAddress(700, true, false);
    ScrollViewTo(c.position);
    EXPECT_EQ(Doc().TopAddress, c.top) << c.what;
    EXPECT_EQ(CursorAddress(), c.cursor) << c.what;
    if (c.cursor == c.top) {
      EXPECT_EQ(Doc().CursorCol, 0) << c.what;
      EXPECT_EQ(Doc().CursorRow, 0) << c.what;
    }
  }
}

}  // namespace
}  // namespace quoxa
