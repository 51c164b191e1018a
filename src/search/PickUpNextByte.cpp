#include "search/PickUpNextByte.h"

#include <QEvent>
#include <QKeyEvent>
#include <optional>
#include <string>

#include "search/SearchInput.h"
#include "widgets/QZByteEdit.h"

namespace quoxa {

namespace {

class PickUpFilter final : public QObject {
 public:
  explicit PickUpFilter(TQZByteEdit* edit) : QObject(edit), edit_(edit) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Right && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        return PickUpNextByte(edit_);
      }
    }
    return false;
  }

 private:
  TQZByteEdit* edit_;
};

}  // namespace

bool PickUpNextByte(TQZByteEdit* edit) {
  if (edit == nullptr || edit->cursorPosition() < edit->text().size()) return false;
  const std::optional<std::string> text = PickUpNextByteText(edit->text().toLatin1().toStdString());
  if (!text) return false;
  edit->setText(QString::fromLatin1(*text));
  edit->setCursorPosition(static_cast<int>(edit->text().size()));
  return true;
}

void InstallPickUpNextByte(TQZByteEdit* edit) { edit->installEventFilter(new PickUpFilter(edit)); }

}  // namespace quoxa
