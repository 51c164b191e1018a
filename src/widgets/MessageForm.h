#pragma once
// The message box, laid out in dialog units from the text and the buttons.

#include <QDialog>
#include <map>

#include "core/Messages.h"

class QLabel;
class QPushButton;

namespace quoxa {

class TMessageForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMessageForm(const MessageRequest& request, QWidget* parent = nullptr);

  // The button for one flag (mbYes ...), or nullptr when not shown.
  QPushButton* Button(unsigned flag) const;
  QLabel* TextLabel() const { return text_; }
  // Result code that Esc and the window's close button give.
  int CancelResult() const { return ResultForButton(defaultButton_); }
  // A question: more than one button answers it (Help answers nothing).
  bool Asks() const { return buttons_.size() - buttons_.count(mbHelp) > 1; }

 protected:
  void reject() override;

 private:
  std::map<unsigned, QPushButton*> buttons_;
  QLabel* text_ = nullptr;
  unsigned defaultButton_ = mbOK;
};

}  // namespace quoxa
