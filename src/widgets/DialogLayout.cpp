#include "widgets/DialogLayout.h"

#include <algorithm>
#include <cstdint>

namespace quoxa {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = int64_t{a} * b;
  const int64_t half = (c < 0 ? -int64_t{c} : int64_t{c}) / 2;
  const bool negative = (product < 0) != (c < 0);
  const int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -int64_t{c} : int64_t{c});
  return static_cast<int>(negative ? -magnitude : magnitude);
}

MessageLayout LayoutMessage(const DialogUnits& du, int textW, int textH, bool withIcon, int buttonCount) {
  const int hMargin = du.H(8);
  const int vMargin = du.V(8);
  const int hSpacing = du.H(10);
  const int vSpacing = du.V(10);
  const int buttonW = du.H(50);
  const int buttonH = du.V(14);
  const int buttonGap = du.H(4);

  int areaW = textW;
  int areaH = textH;
  if (withIcon) {
    areaW += kIconSize + hSpacing;
    areaH = std::max(areaH, kIconSize);
  }
  const int groupW = buttonCount > 0 ? buttonCount * buttonW + (buttonCount - 1) * buttonGap : 0;

  MessageLayout layout;
  layout.clientW = std::max(areaW, groupW) + 2 * hMargin;
  layout.clientH = areaH + buttonH + vSpacing + 2 * vMargin;
  if (withIcon) layout.icon = {hMargin, vMargin, kIconSize, kIconSize};
  layout.text = {areaW - textW + hMargin, vMargin, textW, textH};
  int x = (layout.clientW - groupW) / 2;
  const int y = areaH + vMargin + vSpacing;
  for (int i = 0; i < buttonCount; ++i, x += buttonW + buttonGap) layout.buttons.push_back({x, y, buttonW, buttonH});
  return layout;
}

InputBoxLayout LayoutInputBox(const DialogUnits& du, bool withHelp) {
  InputBoxLayout layout;
  layout.clientW = du.H(190);
  layout.clientH = du.V(63);
  layout.prompt = {du.H(10), du.V(8), 0, 0};
  layout.edit = {du.H(10), du.V(19), du.H(170), du.V(12)};
  const int top = du.V(41);
  auto button = [&](int left) { return Box{du.H(left), top, du.H(50), du.V(14)}; };
  if (withHelp) {
    layout.ok = button(10);
    layout.cancel = button(70);
    layout.help = button(130);
  } else {
    layout.ok = button(30);
    layout.cancel = button(110);
  }
  return layout;
}

ListBoxLayout LayoutListBox(const DialogUnits& du, bool withDelete, bool withHelp) {
  ListBoxLayout layout;
  layout.clientW = du.H(250);
  layout.clientH = du.V(88);
  layout.list = {du.H(10), du.V(8), du.H(230), du.V(53)};
  const int top = du.V(68);
  auto button = [&](int left) { return Box{du.H(left), top, du.H(50), du.V(14)}; };
  layout.ok = button(10);
  const int cancelLeft = withDelete ? 130 : 70;
  if (withDelete) layout.del = button(70);
  layout.cancel = button(cancelLeft);
  if (withHelp) layout.help = button(cancelLeft + 60);
  return layout;
}

ProgressLayout LayoutProgressBox(const DialogUnits& du, bool withText, int textH, bool withCancel) {
  ProgressLayout layout;
  const int spacing = du.V(7);
  const int left = du.H(10);
  layout.clientW = du.H(160);
  const int innerW = layout.clientW - 2 * left;
  int y = spacing;
  if (withText) {
    layout.text = {left, y, innerW, textH};
    y += textH + spacing;
  }
  layout.bar = {left, y, innerW, du.V(10)};
  y += layout.bar.h + spacing;
  if (withCancel) {
    const int w = du.H(50);
    layout.cancel = {(layout.clientW - w) / 2, y, w, du.V(15)};
    y += layout.cancel.h + spacing;
  }
  layout.clientH = y;
  return layout;
}

Point CenteredPosition(const Box* active, int w, int h, const Box& screen) {
  const Point onScreen{screen.x + (screen.w - w) / 2, screen.y + (screen.h - h) / 2};
  if (active == nullptr) return onScreen;
  int x = active->x + (active->w - w) / 2;
  int y = active->y + (active->h - h) / 2;
  if (x < 0) x = active->x < 0 ? 0 : active->x;
  if (y < 0) y = active->y < 0 ? 0 : active->y;
  if (x + w <= screen.x + screen.w && y + h <= screen.y + screen.h) return {x, y};
  return onScreen;
}

}  // namespace quoxa
