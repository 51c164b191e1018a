#include "widgets/QZRadioBtn.h"

#include <QApplication>
#include <QEvent>

namespace quoxa {

TQZRadioBtn::TQZRadioBtn(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
  connect(this, &QAbstractButton::toggled, this, &TQZRadioBtn::Apply);
  // A click sets the checked state even when it was set already: the control gets the focus.
  connect(this, &QAbstractButton::clicked, this, &TQZRadioBtn::Apply);
}

TQZRadioBtn::TQZRadioBtn(QWidget* parent) : TQZRadioBtn(QString(), parent) {}

void TQZRadioBtn::SetControl(QWidget* control) {
  if (qobject_cast<TQZRadioBtn*>(control) != nullptr) return;
  control_ = control;
  Apply();
}

bool TQZRadioBtn::event(QEvent* event) {
  // The access key clicks at once rather than after the press animation, so that keys
  // typed right after it already reach the control.
  if (event->type() == QEvent::Shortcut && isEnabled()) {
    setFocus(Qt::ShortcutFocusReason);
    click();
    return true;
  }
  return QRadioButton::event(event);
}

void TQZRadioBtn::Apply() {
  if (control_.isNull()) return;
  const bool checked = isChecked();
  if (autoDisable_) {
    control_->setEnabled(checked);
    const bool canFocus = control_->isEnabled() && control_->isVisible() && control_->focusPolicy() != Qt::NoFocus;
    if (canFocus) control_->setFocus(Qt::OtherFocusReason);
  }
  if (autoColor_) {
    const QPalette standard = QApplication::palette(control_);
    QPalette palette = control_->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      palette.setBrush(group, QPalette::Base, standard.brush(group, checked ? QPalette::Base : QPalette::Button));
    }
    control_->setPalette(palette);
  }
}

}  // namespace quoxa
