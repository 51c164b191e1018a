#pragma once
// A whole number typed in decimal or "$" hexadecimal: a titled group with the two radios, the
// numeric edit and its history button. The radios follow the text (a "$" means hexadecimal)
// when the dialog starts and when a history entry is chosen; a radio click switches the edit.

#include <QGroupBox>
#include <QString>

class QRadioButton;

namespace quoxa {

class TQZHistoryBtn;
class TQZNumEdit;

class TNumberChoice : public QGroupBox {
  Q_OBJECT

 public:
  // Object names of the controls, as each dialog declares them.
  struct Names {
    QString decRadio;
    QString hexRadio;
    QString edit;
    QString history;
    QString section;  // the history's settings section
  };

  TNumberChoice(const QString& title, const Names& names, QWidget* parent = nullptr);

  QRadioButton* DecRadio() const { return dec_; }
  QRadioButton* HexRadio() const { return hex_; }
  TQZNumEdit* Edit() const { return edit_; }
  TQZHistoryBtn* History() const { return history_; }

  // The text as the dialogs convert it: in hexadecimal a missing "$" is put in front, as leaving
  // the edit does.
  QString Text() const;

  // The history from the settings file, the edit showing its latest entry, the radios following.
  void LoadHistory();
  void SaveHistory();
  // The edit's text goes to the top of the history (the number was accepted).
  void RememberText();
  // Room for any position of a document: 18 digits, up to 10^18 - 1; whole numbers only, as
  // written (the dialog's check refuses what is not one).
  void TakePositions();

 private:
  void FollowText(const QString& text);

  QRadioButton* dec_;
  QRadioButton* hex_;
  TQZNumEdit* edit_;
  TQZHistoryBtn* history_;
};

}  // namespace quoxa
