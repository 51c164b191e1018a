#pragma once
// TFormFind: the Find/Count dialog. It gathers the find string, the options, the direction and
// the scope; the Find and Count commands read its values after OK.

#include <QDialog>
#include <string>

#include "search/SearchInput.h"

class QPushButton;
class QRadioButton;

namespace quoxa {

class TSearchOptionsBox;
class TStringChoice;

class TFormFind : public QDialog {
  Q_OBJECT

 public:
  // Loads the find histories; destroying the dialog saves them.
  explicit TFormFind(QWidget* parent = nullptr);
  ~TFormFind() override;

  // Shows the options, direction and scope of values; the strings come from the histories.
  void SetValues(const SearchDialogValues& values);
  // What OK accepted: the options as checked and the find string the checks produced.
  SearchDialogValues Values() const;

  TStringChoice* FindChoice() const { return find_; }
  TSearchOptionsBox* OptionsBox() const { return options_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ButtonOKClick();
  void ButtonHelpClick();
  void DirectionChanged();

  TStringChoice* find_;
  TSearchOptionsBox* options_;
  QRadioButton* down_;
  QRadioButton* up_;
  QRadioButton* cursor_;
  QRadioButton* beginEnd_;
  std::string findString_;
};

}  // namespace quoxa
