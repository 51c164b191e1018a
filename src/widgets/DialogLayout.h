#pragma once
// Dialog-unit geometry of the message, input, list and progress boxes. Pure
// arithmetic so every size can be checked without a display.

#include <vector>

namespace quoxa {

// Windows-style rounding of a * b / c.
int MulDiv(int a, int b, int c);

struct DialogUnits {
  int cw = 6;   // average width of A-Z and a-z in pixels
  int ch = 13;  // character height in pixels
  int H(int n) const { return MulDiv(n, cw, 4); }
  int V(int n) const { return MulDiv(n, ch, 8); }
};

struct Box {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool operator==(const Box&) const = default;
};

struct MessageLayout {
  int clientW = 0;
  int clientH = 0;
  Box icon;  // empty without an icon
  Box text;
  std::vector<Box> buttons;  // in display order
};

constexpr int kIconSize = 32;

// textW/textH: the text measured word-wrapped within half the screen width.
MessageLayout LayoutMessage(const DialogUnits& du, int textW, int textH, bool withIcon, int buttonCount);

struct InputBoxLayout {
  int clientW = 0;
  int clientH = 0;
  Box prompt;  // position only; width and height follow the text
  Box edit;
  Box ok;
  Box cancel;
  Box help;  // empty without a help topic
};

InputBoxLayout LayoutInputBox(const DialogUnits& du, bool withHelp);

struct ListBoxLayout {
  int clientW = 0;
  int clientH = 0;
  Box list;
  Box ok;
  Box del;  // empty without the Delete button
  Box cancel;
  Box help;  // empty without a help topic
};

ListBoxLayout LayoutListBox(const DialogUnits& du, bool withDelete, bool withHelp);

struct ProgressLayout {
  int clientW = 0;
  int clientH = 0;
  Box text;  // empty without a text
  Box bar;
  Box cancel;  // empty without Cancel
};

ProgressLayout LayoutProgressBox(const DialogUnits& du, bool withText, int textH, bool withCancel);

// Top-left corner that centres a box of size w x h over the active window, or on
// the screen when there is no active window or the box would leave the screen.
struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};
Point CenteredPosition(const Box* active, int w, int h, const Box& screen);

}  // namespace quoxa
