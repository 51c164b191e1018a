#include "widgets/QZNumEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPointer>
#include <QTimer>

#include "core/CodePage.h"
#include "widgets/ByteEditRules.h"

namespace quoxa {

namespace {

std::string Latin1(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace

char LocaleDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point.at(0).unicode() < 0x80 ? static_cast<char>(point.at(0).unicode()) : '.';
}

TQZNumEdit::TQZNumEdit(QWidget* parent) : QLineEdit(parent) {
  model_.SetDecimalSeparator(LocaleDecimalSeparator());
  ShowValue();
}

void TQZNumEdit::ShowValue() { setText(QString::fromStdString(model_.Text())); }

void TQZNumEdit::SetValue(long double value) {
  model_.SetValue(value);
  ShowValue();
}

void TQZNumEdit::SetMin(long double min) {
  model_.SetMin(min);
  ShowValue();
}

void TQZNumEdit::SetMax(long double max) {
  model_.SetMax(max);
  ShowValue();
}

void TQZNumEdit::SetDigitsFrac(int digits) {
  model_.SetDigitsFrac(digits);
  ShowValue();
}

void TQZNumEdit::SetHex(bool hex) {
  if (hex == model_.Hex()) return;
  if (const std::optional<std::string> shown = model_.SwitchHex(hex, Latin1(text()))) {
    setText(QString::fromStdString(*shown));
  }
  emit HexChanged(hex);
}

bool TQZNumEdit::Validate() {
  if (!model_.Validate(Latin1(text()))) return false;
  ShowValue();
  return true;
}

void TQZNumEdit::keyPressEvent(QKeyEvent* event) {
  char typed = 0;
  const int key = event->key();
  if (event->matches(QKeySequence::Copy)) {
    typed = kKeyCopy;
  } else if (event->matches(QKeySequence::Paste)) {
    typed = kKeyPaste;
  } else if (event->matches(QKeySequence::Cut)) {
    typed = kKeyCut;
  } else if (key == Qt::Key_Backspace) {
    typed = kKeyBackspace;
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    typed = '\r';
  } else if (key == Qt::Key_Escape) {
    typed = 0x1B;
  } else if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    return;
  } else {
    const QString keyText = event->text();
    if (keyText.isEmpty() || key == Qt::Key_Tab || key == Qt::Key_Backtab || IsControlCode(keyText.at(0).unicode())) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    const char16_t code = keyText.at(0).unicode();
    if (keyText.size() != 1 || code > 0x7F) return;
    typed = static_cast<char>(code);
  }

  const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
  const int selLength = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
  switch (model_.FilterKey(Latin1(text()), selStart, selLength, typed)) {
    case NumEditModel::KeyAction::Swallow:
      return;
    case NumEditModel::KeyAction::Validate:
      Validate();
      // A dialog's default button still gets the key.
      QLineEdit::keyPressEvent(event);
      return;
    case NumEditModel::KeyAction::Restore:
      model_.RestoreEntry();
      ShowValue();
      selectAll();
      // A dialog's Cancel button still gets the key.
      QLineEdit::keyPressEvent(event);
      return;
    case NumEditModel::KeyAction::Pass:
      if (typed >= ' ') {
        insert(QString(QChar::fromLatin1(typed >= 'a' && typed <= 'z' ? static_cast<char>(typed - 32) : typed)));
      } else {
        QLineEdit::keyPressEvent(event);
      }
      return;
  }
}

void TQZNumEdit::focusInEvent(QFocusEvent* event) {
  model_.RememberEntry();
  QLineEdit::focusInEvent(event);
}

bool TQZNumEdit::IgnoresInput(const QWidget* next) {
  const auto* button = qobject_cast<const QAbstractButton*>(next);
  if (button == nullptr) return false;
  if (button->property(kIgnoresInput).toBool()) return true;
  if (const auto* box = qobject_cast<const QDialogButtonBox*>(button->parentWidget())) {
    const QDialogButtonBox::ButtonRole role = box->buttonRole(const_cast<QAbstractButton*>(button));
    return role == QDialogButtonBox::RejectRole || role == QDialogButtonBox::HelpRole ||
           role == QDialogButtonBox::NoRole || role == QDialogButtonBox::DestructiveRole;
  }
  return false;
}

void TQZNumEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Switching windows or opening a menu does not leave the edit.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  const bool wasHex = model_.Hex();
  setText(QString::fromStdString(model_.PrepareLeave(Latin1(text()))));
  if (model_.Hex() != wasHex) emit HexChanged(model_.Hex());
  if (Validate()) return;
  if (!model_.Strict()) {
    model_.RestoreEntry();
    ShowValue();
  }
  selectAll();
  if (IgnoresInput(QApplication::focusWidget())) return;
  // Taking the focus back inside its own focus-out confuses the toolkit; do it right after.
  QTimer::singleShot(0, this, [self = QPointer<TQZNumEdit>(this)] {
    if (self.isNull()) return;
    self->setFocus(Qt::OtherFocusReason);
    self->selectAll();
  });
}

}  // namespace quoxa
