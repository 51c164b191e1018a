#pragma once
// The one-line input box.

#include <QDialog>

#include "core/Messages.h"

class QLineEdit;
class QPushButton;

namespace quoxa {

class TInputBoxForm : public QDialog {
  Q_OBJECT

 public:
  TInputBoxForm(const InputRequest& request, const QString& value, QWidget* parent = nullptr);

  QString Value() const;
  QLineEdit* Edit() const { return edit_; }
  QPushButton* HelpButton() const { return help_; }

 private:
  QLineEdit* edit_ = nullptr;
  QPushButton* help_ = nullptr;
};

}  // namespace quoxa
