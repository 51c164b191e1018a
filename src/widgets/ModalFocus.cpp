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
  if (event->type() == QEvent::Hide && !event->spontaneous() && watched->isWidgetType()) {
    auto* window = static_cast<QWidget*>(watched);
    if (window->isWindow() && window->isModal()) {
      QWidget* owner = window->parentWidget();
      owner_ = owner != nullptr ? owner->window() : nullptr;
      if (!pending_) {
        pending_ = true;
        // After the hide is complete, when the code that showed the box may have shown the next.
        QTimer::singleShot(0, this, &TModalFocus::Restore);
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void TModalFocus::Restore() {
  pending_ = false;
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
