#pragma once
// One string of the find and replace dialogs, given as text or as a hex string: the two radio
// buttons, each governing its edit, and the "Text -> Hex" button between them.

#include <QString>
#include <QWidget>

#include "search/SearchInput.h"

class QLineEdit;
class QPushButton;

namespace quoxa {

class TQZByteEdit;
class TQZHistoryBtn;
class TQZRadioBtn;
class TSearchOptionsBox;

class TStringChoice : public QWidget {
  Q_OBJECT

 public:
  // Object names and captions of the controls, as each dialog declares them.
  struct Names {
    QString textRadio;
    QString textCaption;
    QString textEdit;
    QString convert;
    QString hexRadio;
    QString hexCaption;
    QString hexEdit;
    QString textHistory;  // history buttons and their settings sections
    QString textSection;
    QString hexHistory;
    QString hexSection;
  };

  TStringChoice(const Names& names, QWidget* parent = nullptr);

  TQZRadioBtn* TextRadio() const { return textRadio_; }
  QLineEdit* TextEdit() const { return textEdit_; }
  QPushButton* ConvertButton() const { return convert_; }
  TQZRadioBtn* HexRadio() const { return hexRadio_; }
  TQZByteEdit* HexEdit() const { return hexEdit_; }
  TQZHistoryBtn* TextHistory() const { return textHistory_; }
  TQZHistoryBtn* HexHistory() const { return hexHistory_; }

  bool HexMode() const;
  void SetHexMode(bool hex);

  // Enables and colours the edit of the checked radio, gives it the focus with its text
  // selected, disables the other.
  void ActivateChecked();
  // "Text -> Hex": the text's bytes into the hex edit, the hex radio checked, the hex edit focused.
  void ConvertTextToHex();
  // The edit of the checked mode.
  QWidget* ActiveEdit() const;

  // Both histories from the settings file, each edit showing its latest entry.
  void LoadHistories();
  // Both histories back into the settings file.
  void SaveHistories();
  // The checked edit's text goes to the top of its history (the string was accepted).
  void RememberActiveText();

 private:
  TQZRadioBtn* textRadio_;
  QLineEdit* textEdit_;
  QPushButton* convert_;
  TQZRadioBtn* hexRadio_;
  TQZByteEdit* hexEdit_;
  TQZHistoryBtn* textHistory_;
  TQZHistoryBtn* hexHistory_;
};

// The find part of a dialog as its OK checks take it.
FindFields FindFieldsOf(const TStringChoice& find, const TSearchOptionsBox& options);

}  // namespace quoxa
