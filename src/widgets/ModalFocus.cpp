#include "widgets/ModalFocus.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace quoxa {

TModalFocus::TModalFocus(QWidget* mainWindow, std::function<QWidget*()> focusMain)
    : QObject(mainWindow), main_(mainWindow), focusMain_(std::move(focusMain)) {
  qApp->installEventFilter(this);
}

TModalFocus::~TModalFocus() { qApp->removeEventFilter(this); }

bool TModalFocus::eventFilter(QObject* watched, QEvent* event) {
  // A key reached a window while none counted as active (the window manager's focus came
  // before Qt's own activation settled): that window is the active one, so that the key's
  // shortcut is found.
  if (event->type() == QEvent::ShortcutOverride && QApplication::activeWindow() == nullptr &&
      QApplication::activeModalWidget() == nullptr && watched->isWidgetType()) {
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window->isVisible()) QApplication::setActiveWindow(window);
  }
  if (event->type() == QEvent::Hide && !event->spontaneous() && watched->isWidgetType()) {
    auto* window = static_cast<QWidget*>(watched);
    if (window->isWindow() && window->isModal()) {
      QWidget* owner = window->parentWidget();
      owner_ = owner != nullptr ? owner->window() : nullptr;
      // At once, so that no key in between finds no window active; the box has already left
      // the modal stack. Once more when the hide is complete and the code that showed the box
      // may have shown the next.
      Restore();
      if (!pending_) {
        pending_ = true;
        QTimer::singleShot(0, this, [this] {
          pending_ = false;
          Restore();
        });
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void TModalFocus::Restore() {
  QWidget* target = QApplication::activeModalWidget();
  if (target == nullptr) target = owner_ != nullptr && owner_->isVisible() ? owner_.data() : main_.data();
  if (target == nullptr || !target->isVisible()) return;
  QWidget* active = QApplication::activeWindow();
  if (active != nullptr && active->isVisible()) return;
  target->activateWindow();
  // The window manager sends nothing when it already had the window focused.
  QApplication::setActiveWindow(target);
  if (target == main_ && focusMain_) {
    if (QWidget* focus = focusMain_()) focus->setFocus(Qt::ActiveWindowFocusReason);
  }
}

}  // namespace quoxa
