#pragma once
// The "Options" group of the find and replace dialogs: Case sensitive, the joker switch, the
// joker byte as two hex digits and, beside it, that byte as a character.

#include <QGroupBox>
#include <cstdint>
#include <string>

class QCheckBox;
class QLabel;

namespace quoxa {

class TQZByteEdit;

class TSearchOptionsBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit TSearchOptionsBox(QWidget* parent = nullptr);

  QCheckBox* CheckBoxCase() const { return case_; }
  QCheckBox* CheckBoxJokerFind() const { return joker_; }
  TQZByteEdit* QZByteEditJoker() const { return jokerEdit_; }
  QLabel* LabelJoker() const { return jokerLabel_; }
  QCheckBox* CheckBoxRegex() const { return regex_; }

  void SetValues(bool caseSensitive, bool jokerEnabled, uint8_t jokerByte, bool regex);
  bool CaseSensitive() const;
  bool JokerEnabled() const;
  bool Regex() const;
  // The joker edit's text as typed.
  std::string JokerText() const;
  // The joker edit's byte; 0 while it holds none.
  uint8_t JokerByte() const;

  // The joker's byte as a character, or nothing while the edit holds no single byte.
  void ShowJokerChar();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QCheckBox* case_;
  QCheckBox* joker_;
  TQZByteEdit* jokerEdit_;
  QLabel* jokerLabel_;
  QCheckBox* regex_;
};

}  // namespace quoxa
