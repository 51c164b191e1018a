#include "widgets/QZByteEdit.h"

#include <QKeyEvent>
#include <algorithm>

#include "core/CodePage.h"
#include "widgets/ByteEditRules.h"
#include "widgets/HexString.h"

namespace quoxa {

namespace {

// One byte per character, so that indexes stay those of the edit.
std::string Latin1(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace

TQZByteEdit::TQZByteEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, &TQZByteEdit::Regroup);
}

std::string TQZByteEdit::ASCII() const {
  if (!IsValid()) return {};
  return HexStringToBytes(Latin1(text()), true);
}

void TQZByteEdit::SetASCII(const std::string& bytes) { setText(QString::fromLatin1(BytesToHexString(bytes, true))); }

void TQZByteEdit::SetMaxBytes(int maxBytes) {
  maxBytes_ = std::max(0, maxBytes);
  setMaxLength(maxBytes_ > 0 ? ByteEditMaxLength(maxBytes_) : 32767);
}

bool TQZByteEdit::IsValid() const { return IsValidByteEditText(Latin1(text())); }

void TQZByteEdit::keyPressEvent(QKeyEvent* event) {
  char typed = 0;
  if (event->matches(QKeySequence::Copy)) {
    typed = kKeyCopy;
  } else if (event->matches(QKeySequence::Paste)) {
    typed = kKeyPaste;
  } else if (event->matches(QKeySequence::Cut)) {
    typed = kKeyCut;
  } else if (event->key() == Qt::Key_Backspace) {
    typed = kKeyBackspace;
  } else if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
    return;  // other control characters are not taken
  } else {
    const QString keyText = event->text();
    const bool dialogKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Escape || event->key() == Qt::Key_Tab ||
                           event->key() == Qt::Key_Backtab;
    if (keyText.isEmpty() || dialogKey || IsControlCode(keyText.at(0).unicode())) {
      QLineEdit::keyPressEvent(event);  // caret movement, Delete and the dialog's own keys
      return;
    }
    const char16_t code = keyText.at(0).unicode();
    if (keyText.size() != 1 || code > 0xFF) return;
    typed = static_cast<char>(code);
  }

  const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
  const ByteKeyResult result = FilterByteEditKey(Latin1(text()), caret, typed);
  switch (result.action) {
    case ByteKeyAction::Swallow:
      return;
    case ByteKeyAction::Pass:
      QLineEdit::keyPressEvent(event);
      return;
    case ByteKeyAction::Insert:
      if (result.caret != caret) setCursorPosition(result.caret);
      insert(QString(QChar::fromLatin1(result.ch)));
      return;
  }
}

// Regrouping only while the edit can take the focus, so that texts set before the dialog
// shows stay as they were given.
void TQZByteEdit::Regroup() {
  if (regrouping_) return;
  if (isVisible() && isEnabled()) {
    regrouping_ = true;
    const ByteEditText regrouped = FormatByteEditText(Latin1(text()), cursorPosition());
    const QString newText = QString::fromLatin1(regrouped.text);
    if (newText != text()) setText(newText);
    setCursorPosition(regrouped.caret);
    regrouping_ = false;
  }
  emit Changed();
}

}  // namespace quoxa
