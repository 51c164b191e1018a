#include <gtest/gtest.h>

#include "Recorders.h"
#include "core/DocState.h"
#include "core/Progress.h"

namespace quoxa {
namespace {

class Progress : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(Progress, GaugeMovesOnlyOnNewMultiplesOfTheStep) {
  TProgressBox box({true, true, "file.bin", "Reading file"});
  EXPECT_FALSE(box.SetProgress(1, 100, 5));  // 1 %
  EXPECT_TRUE(box.SetProgress(5, 100, 5));   // 5 %
  EXPECT_FALSE(box.SetProgress(6, 100, 5));  // 6 %
  EXPECT_FALSE(box.SetProgress(5, 100, 5));  // unchanged
  EXPECT_TRUE(box.SetProgress(100, 100, 5));
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_EQ(rec.progress.boxes[0]->gauge, (std::vector<int>{5, 100}));
  EXPECT_EQ(rec.progress.boxes[0]->setup.caption, "Reading file");
  EXPECT_EQ(rec.progress.boxes[0]->setup.text, "file.bin");
}

TEST_F(Progress, ZeroMaximumShowsAFullGauge) {
  TProgressBox box({true, true, "", ""});
  EXPECT_TRUE(box.SetProgress(0, 0, 5));
  EXPECT_EQ(box.GaugeValue(), 100);
}

TEST_F(Progress, StepZeroCountsAsOne) {
  TProgressBox box({true, true, "", ""});
  EXPECT_TRUE(box.SetProgress(3, 100, 0));
  EXPECT_EQ(box.GaugeValue(), 3);
}

TEST_F(Progress, PlainBarIgnoresGaugeUpdates) {
  TProgressBox box({true, false, "", ""});
  EXPECT_FALSE(box.SetProgress(50, 100, 5));
}

TEST_F(Progress, TextIsShownOnEveryNthCall) {
  TProgressBox box({true, true, "", ""});
  for (int i = 1; i <= 7; ++i) box.SetText("line " + std::to_string(i), 3);
  EXPECT_EQ(rec.progress.boxes[0]->texts, (std::vector<std::string>{"line 3", "line 6"}));
}

TEST_F(Progress, ReportProgressSetsTheGaugeOfDocSizeAndPassesCancel) {
  Doc().DocSize = 1000;
  rec.progress.abortAfterUpdates = 2;
  bool abort = false;
  ReportProgress(500, abort);  // no box open: untouched
  EXPECT_FALSE(abort);
  {
    TProgressBox box({true, true, "", "Search"});
    ReportProgress(100, abort);
    EXPECT_FALSE(abort);
    ReportProgress(500, abort);
    EXPECT_TRUE(abort);
    EXPECT_EQ(rec.progress.boxes[0]->gauge, (std::vector<int>{10, 50}));
  }
  EXPECT_TRUE(rec.progress.boxes[0]->closed);
  EXPECT_EQ(CurrentProgressBox(), nullptr);
}

}  // namespace
}  // namespace quoxa
