#include <gtest/gtest.h>

#include "widgets/DialogLayout.h"

namespace quoxa {
namespace {

constexpr DialogUnits kUnits{6, 13};  // a typical 8-point dialog font

TEST(DialogLayout, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(50, 6, 4), 75);
  EXPECT_EQ(MulDiv(10, 13, 8), 16);  // 16.25
  EXPECT_EQ(MulDiv(14, 13, 8), 23);  // 22.75
  EXPECT_EQ(MulDiv(1, 1, 2), 1);     // 0.5 rounds up
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(DialogLayout, MessageWithIconMakesRoomForTheIcon) {
  const MessageLayout l = LayoutMessage(kUnits, 200, 13, true, 2);
  // margins 12 x 13, spacing 15 x 16, buttons 75 x 23 with 6 between
  EXPECT_EQ(l.icon, (Box{12, 13, 32, 32}));
  EXPECT_EQ(l.text, (Box{12 + 32 + 15, 13, 200, 13}));
  EXPECT_EQ(l.clientW, 200 + 32 + 15 + 2 * 12);
  EXPECT_EQ(l.clientH, 32 + 23 + 16 + 2 * 13);  // text area at least as high as the icon
  ASSERT_EQ(l.buttons.size(), 2u);
  const int group = 2 * 75 + 6;
  EXPECT_EQ(l.buttons[0], (Box{(l.clientW - group) / 2, 32 + 13 + 16, 75, 23}));
  EXPECT_EQ(l.buttons[1].x, l.buttons[0].x + 75 + 6);
}

TEST(DialogLayout, NarrowTextTakesTheButtonRowsWidth) {
  const MessageLayout l = LayoutMessage(kUnits, 20, 13, false, 3);
  const int group = 3 * 75 + 2 * 6;
  EXPECT_EQ(l.clientW, group + 24);
  EXPECT_EQ(l.buttons[0].x, 12);
  EXPECT_EQ(l.icon, Box{});
  EXPECT_EQ(l.text.x, 12);
  EXPECT_EQ(l.clientH, 13 + 23 + 16 + 26);
}

TEST(DialogLayout, TallerTextMakesATallerBox) {
  const MessageLayout one = LayoutMessage(kUnits, 300, 13, true, 1);
  const MessageLayout four = LayoutMessage(kUnits, 300, 52, true, 1);
  EXPECT_EQ(four.clientH - one.clientH, 52 - 32);
  EXPECT_EQ(four.buttons[0].y - one.buttons[0].y, 52 - 32);
}

TEST(DialogLayout, InputBoxButtonsMoveForHelp) {
  const InputBoxLayout plain = LayoutInputBox(kUnits, false);
  EXPECT_EQ(plain.clientW, 285);  // 190 units
  EXPECT_EQ(plain.clientH, 102);  // 63 units
  EXPECT_EQ(plain.edit.w, 255);   // 170 units
  EXPECT_EQ(plain.ok.x, 45);      // 30 units
  EXPECT_EQ(plain.cancel.x, 165); // 110 units
  EXPECT_EQ(plain.help, Box{});
  const InputBoxLayout help = LayoutInputBox(kUnits, true);
  EXPECT_EQ(help.ok.x, 15);
  EXPECT_EQ(help.cancel.x, 105);
  EXPECT_EQ(help.help.x, 195);
  EXPECT_EQ(help.ok.y, 67);  // 41 units
}

TEST(DialogLayout, ListBoxButtonsFollowDeleteAndHelp) {
  const ListBoxLayout plain = LayoutListBox(kUnits, false, false);
  EXPECT_EQ(plain.clientW, 375);
  EXPECT_EQ(plain.cancel.x, 105);
  EXPECT_EQ(plain.del, Box{});
  const ListBoxLayout all = LayoutListBox(kUnits, true, true);
  EXPECT_EQ(all.ok.x, 15);
  EXPECT_EQ(all.del.x, 105);
  EXPECT_EQ(all.cancel.x, 195);
  EXPECT_EQ(all.help.x, 285);
  EXPECT_EQ(all.list, (Box{15, 13, 345, 86}));
}

TEST(DialogLayout, ProgressBoxStacksTextBarAndCancel) {
  const ProgressLayout l = LayoutProgressBox(kUnits, true, 13, true);
  EXPECT_EQ(l.clientW, 240);
  EXPECT_EQ(l.text.y, 11);
  EXPECT_EQ(l.bar.y, 11 + 13 + 11);
  EXPECT_EQ(l.cancel.w, 75);
  EXPECT_EQ(l.cancel.x, (240 - 75) / 2);
  const ProgressLayout bare = LayoutProgressBox(kUnits, false, 13, false);
  EXPECT_EQ(bare.text, Box{});
  EXPECT_EQ(bare.cancel, Box{});
  EXPECT_LT(bare.clientH, l.clientH);
}

TEST(DialogLayout, DialogsCentreOverTheActiveWindow) {
  const Box screen{0, 0, 1280, 1024};
  const Box active{100, 100, 600, 400};
  EXPECT_EQ(CenteredPosition(&active, 200, 100, screen), (Point{300, 250}));
  EXPECT_EQ(CenteredPosition(nullptr, 200, 100, screen), (Point{540, 462}));
}

TEST(DialogLayout, ABoxLargerThanItsWindowStaysOnTheWindowsCorner) {
  const Box screen{0, 0, 1280, 1024};
  const Box small{50, 60, 100, 100};
  EXPECT_EQ(CenteredPosition(&small, 300, 300, screen), (Point{50, 60}));
  const Box offLeft{-200, -50, 100, 100};
  EXPECT_EQ(CenteredPosition(&offLeft, 300, 300, screen), (Point{0, 0}));
}

TEST(DialogLayout, ABoxThatWouldLeaveTheScreenIsCentredOnIt) {
  const Box screen{0, 0, 1280, 1024};
  const Box nearEdge{1100, 900, 300, 300};
  EXPECT_EQ(CenteredPosition(&nearEdge, 400, 200, screen), (Point{440, 412}));
}

}  // namespace
}  // namespace quoxa
