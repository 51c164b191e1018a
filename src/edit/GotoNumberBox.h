#pragma once
// The number group of the Go to and Jump width dialogs: a numeric edit with its history button
// and the decimal and hexadecimal radios, which follow a "$" in the edit's text.

#include <QGroupBox>
#include <QString>

class QRadioButton;

namespace quoxa {

class TQZHistoryBtn;
class TQZNumEdit;

class TGotoNumberBox : public QGroupBox {
  Q_OBJECT

 public:
  // Loads the history of section (the edit shows its latest entry); historyName names the button.
  TGotoNumberBox(const QString& title, const QString& historyName, const QString& section, QWidget* parent = nullptr);

  TQZNumEdit* Edit() const { return edit_; }
  TQZHistoryBtn* History() const { return history_; }
  QRadioButton* DecRadio() const { return dec_; }
  QRadioButton* HexRadio() const { return hex_; }

  // The edit's text as the dialogs read it.
  std::string Text() const;
  // The accepted text goes to the top of the history.
  void RememberText();
  void SaveHistory();
  // Focuses the edit with its text selected.
  void FocusEdit();

 private:
  // Checks the hexadecimal radio exactly when text holds a "$".
  void FollowDollar(const QString& text);

  QRadioButton* dec_;
  QRadioButton* hex_;
  TQZNumEdit* edit_;
  TQZHistoryBtn* history_;
};

}  // namespace quoxa
