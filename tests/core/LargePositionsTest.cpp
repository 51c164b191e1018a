// Positions, sizes and counts at 2^31 and 2^32 and beyond, without documents of that size:
// the arithmetic of the scroll bar, the view, addresses, dumps, gauges and counts.
#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "edit/ClipboardCommands.h"
#include "edit/GotoCommands.h"
#include "edit/JumpCommands.h"
#include "print/DumpFormat.h"
#include "print/DumpJob.h"
#include "print/PrintSettings.h"
#include "ui/main/ScrollBarModel.h"
#include "ui/main/ViewTexts.h"

namespace quoxa {
namespace {

constexpr int64_t k2G = int64_t{1} << 31;
constexpr int64_t k4G = int64_t{1} << 32;

TEST(LargePositions, TheScrollBarReachesEveryRowOfARangePastTheWidget) {
  struct Case {
    int64_t size;
    int64_t page;
  };
  for (const Case& c : {Case{k2G - 1, 323}, Case{k2G + 1, 323}, Case{k4G + 17, 323}, Case{int64_t{20} << 30, 16},
                        Case{int64_t{1} << 40, 4096}}) {
    TScrollBarModel bar;
    bar.SetParams(1, 1, c.page, c.size);
    const int64_t last = c.size - c.page + 1;
    ASSERT_EQ(bar.MaxPosition(), last) << c.size;
    ASSERT_LE(int64_t{bar.WidgetMax()}, TScrollBarModel::kWidgetSteps) << c.size;
    ASSERT_GE(bar.WidgetMin(), 0);
    // First and last: exactly.
    EXPECT_EQ(bar.WidgetValue(1), bar.WidgetMin()) << c.size;
    EXPECT_EQ(bar.PositionOfWidget(bar.WidgetMin()), 1) << c.size;
    EXPECT_EQ(bar.WidgetValue(last), bar.WidgetMax()) << c.size;
    EXPECT_EQ(bar.PositionOfWidget(bar.WidgetMax()), last) << c.size;
    // In between: a dragged thumb lands within one page of where it points, and the value of a
    // position shows that position.
    for (int64_t pos : {int64_t{2}, k2G - 7, k2G, k2G + 1, k4G - 1, k4G, k4G + 1, last / 2, last - 1}) {
      if (pos > last) continue;
      const int value = bar.WidgetValue(pos);
      const int64_t back = bar.PositionOfWidget(value);
      EXPECT_LE(std::abs(back - pos), c.page) << c.size << " at " << pos;
      EXPECT_EQ(bar.WidgetValue(back), value) << c.size << " at " << pos;
    }
    // The steps move the thumb at least one step, never past the ends.
    EXPECT_GE(bar.WidgetStep(c.page), 1);
    bar.SetLargeChange(INT64_MAX);
    EXPECT_EQ(bar.PositionFor(ScrollCode::PageDown, 0), last);
  }
}

TEST(LargePositions, AddressesAndOffsetsTakeTheDigitsTheyNeed) {
  struct Case {
    int64_t value;
    const char* hex;
    const char* cell;  // AddressCellText in the digits AddressDigitsFor gives the value
  };
  for (const Case& c :
       {Case{k2G - 1, "7FFFFFFF", "7FFFFFFF"}, Case{k2G, "80000000", "80000000"}, Case{k4G - 1, "FFFFFFFF", "FFFFFFFF"},
        Case{k4G, "100000000", "100000000"}, Case{k4G + 16, "100000010", "100000010"}, Case{-1, "FFFFFFFF", "FFFFFFFF"},
        Case{-k2G - 1, "FFFFFFFF7FFFFFFF", "FFFFFFFF7FFFFFFF"}}) {
    EXPECT_EQ(FormatHex(c.value), c.hex) << c.value;
    EXPECT_EQ(AddressCellText(c.value, AddressDigitsFor(c.value)), c.cell) << c.value;
  }
  EXPECT_EQ(AddressCellText(0x1F0, AddressDigitsFor(k4G)), "      1F0");
  EXPECT_EQ(AddressDigitsFor(0), 8);
  EXPECT_EQ(AddressPanelText(true, 5 * k2G), "Adr. dec: 10,737,418,240");
  EXPECT_EQ(AddressPanelSample(5 * k2G), "Adr. dec: 99,999,999,999");
  EXPECT_EQ(AddressPanelSample(999999999), AddressPanelSample());
  EXPECT_EQ(FormatMsgN("Occurences replaced:\n%.0n", k4G + 1), "Occurences replaced:\n4,294,967,297");
}

TEST(LargePositions, DumpOffsetsPastNineDigitsKeepTheColumns) {
  const uint8_t bytes[] = {'A', 'B'};
  std::string first;
  std::string second;
  TDumpRows hex({4, false, false});
  hex.Format(k4G, bytes, 2, first, second);
  EXPECT_EQ(first, "100000000:  41 42       AB");
  TDumpRows decimal({4, true, true});
  decimal.Format(k4G, bytes, 2, first, second);
  EXPECT_EQ(first, "4294967296:  41 42       ");
  EXPECT_EQ(second, std::string(14, ' ') + "A  B");
  EXPECT_EQ(DumpOffsetChars(k4G - 1, false), kDumpOffsetChars);
  EXPECT_EQ(DumpOffsetChars(k4G, true), kDumpOffsetChars + 1);
  EXPECT_EQ(BytesPerRowThatFit(77, false, DumpOffsetChars(k4G, true)), 16);
  EXPECT_EQ(BytesPerRowThatFit(76, false, DumpOffsetChars(k4G, true)), 15);

  const DumpView view{5 * k2G, k4G + 1, k4G + 160, k4G + 5, k4G + 40};
  EXPECT_EQ(DumpRowStart(k4G + 5, 16), k4G + 1);
  const DumpRange selection = DumpRangeFor(DumpScope::Selection, 16, view, -1);
  EXPECT_EQ(selection.first, k4G + 1);
  EXPECT_EQ(selection.last, k4G + 40);
  EXPECT_EQ(DumpRangeFor(DumpScope::All, 16, view, -1).Bytes(), 5 * k2G);
  EXPECT_EQ(DumpRangeFor(DumpScope::CurrentPage, 16, view, 10).last, k4G + 160);
}

TEST(LargePositions, GotoJumpAndGaugePastThirtyTwoBits) {
  const int64_t size = 5 * k2G;
  struct Case {
    const char* text;
    int32_t mode;
    int64_t cursor;
    std::optional<int64_t> target;
  };
  for (const Case& c :
       {Case{"$100000010", kGotoAbsolute, 1, k4G + 17}, Case{"4294967312", kGotoAbsolute, 1, k4G + 17},
        Case{"$27FFFFFFF", kGotoAbsolute, 1, size}, Case{"$280000000", kGotoAbsolute, 1, std::nullopt},
        Case{"$80000000", kGotoRelativeDown, k4G, k4G + k2G}, Case{"$100000000", kGotoRelativeUp, k4G + 1, 1},
        Case{"9223372036854775807", kGotoRelativeDown, k4G, std::nullopt},
        Case{"-9223372036854775808", kGotoRelativeUp, k4G, std::nullopt}}) {
    EXPECT_EQ(GotoTarget(c.text, c.mode, c.cursor, size, 0), c.target) << c.text;
  }
  EXPECT_EQ(CheckJumpWidth("$100000000", size), k4G);
  EXPECT_EQ(CheckJumpWidth("$280000000", size), std::nullopt);
  EXPECT_EQ(GaugeFor(k4G, 2 * k4G), 50);
  EXPECT_EQ(GaugeFor(5 * k2G - 1, 5 * k2G), 100);
}

// The view's rules past 2^32 read no byte, so a document that only claims its size serves.
TEST(LargePositions, TheViewPagesAndScrollsPastFourGigabytes) {
  test::RecorderScope rec;
  test::LoadDocument("x", 16, 10);
  Doc().DocSize = 5 * k2G;
  GotoAddress(k4G + 17, true, false);
  EXPECT_EQ(Doc().TopAddress, k4G + 17);
  EXPECT_EQ(CursorAddress(), k4G + 17);
  EXPECT_EQ(Doc().LastShownAddress, k4G + 176);
  GotoEnd();
  EXPECT_EQ(CursorAddress(), 5 * k2G);
  EXPECT_EQ(Doc().TopAddress % 16, 1);
  EXPECT_EQ(Doc().LastShownAddress, 5 * k2G);
  ScrollViewTo(k2G + 5);
  EXPECT_EQ(Doc().TopAddress, k2G + 1);
  EXPECT_EQ(RowStart(k4G + 31), k4G + 17);
  // A block of 4 GiB and more does not fit the private clipboard format's length: refused,
  // and Cut keeps it.
  Doc().BlockBegin = 1;
  Doc().BlockEnd = k4G;
  CutOrCopy(true);
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Can't copy data to clipboard"});
  EXPECT_EQ(Doc().DocSize, 5 * k2G);
  EXPECT_EQ(Doc().BlockEnd, k4G);
  Doc().DocSize = 1;
}

}  // namespace
}  // namespace quoxa
