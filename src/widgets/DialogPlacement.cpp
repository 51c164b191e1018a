#include "widgets/DialogPlacement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

namespace quoxa {

namespace {

QScreen* TargetScreen() {
  if (QWidget* active = QApplication::activeWindow()) {
    if (QScreen* screen = active->screen()) return screen;
  }
  return QGuiApplication::primaryScreen();
}

Box ToBox(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

DialogUnits DialogUnitsFor(const QFont& font) {
  const QFontMetrics metrics(font);
  const int total = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {std::max(1, total / 52), std::max(1, metrics.height())};
}

void SetTabChain(std::initializer_list<QWidget*> widgets) {
  QWidget* previous = nullptr;
  for (QWidget* widget : widgets) {
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

int HalfScreenWidth() {
  QScreen* screen = TargetScreen();
  return screen != nullptr ? screen->geometry().width() / 2 : 640;
}

void CenterOverActiveWindow(QWidget* dialog) {
  QScreen* screen = TargetScreen();
  if (screen == nullptr) return;
  const QSize size = dialog->frameSize().isValid() ? dialog->frameSize() : dialog->size();
  QWidget* active = QApplication::activeWindow();
  if (active == dialog) active = nullptr;
  const Box activeBox = active != nullptr ? ToBox(active->frameGeometry()) : Box{};
  const Point at = CenteredPosition(active != nullptr ? &activeBox : nullptr, size.width(), size.height(),
                                    ToBox(screen->availableGeometry()));
  dialog->move(at.x, at.y);
}

}  // namespace quoxa
