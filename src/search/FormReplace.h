#pragma once
// TFormReplace: the Replace dialog. It gathers the find string, the replacement, the options and
// the scope, and records whether OK (replace one) or Replace all closed it.

#include <QDialog>
#include <string>

#include "search/SearchCommands.h"
#include "search/SearchInput.h"

class QRadioButton;

namespace quoxa {

class TSearchOptionsBox;
class TStringChoice;

class TFormReplace : public QDialog {
  Q_OBJECT

 public:
  // Loads the four histories; destroying the dialog saves them.
  explicit TFormReplace(QWidget* parent = nullptr);
  ~TFormReplace() override;

  // Shows the options, the two string modes and the scope of values.
  void SetValues(const SearchDialogValues& values);
  // What OK or Replace all accepted.
  SearchDialogValues Values() const;
  // The button that closed the dialog: ReplaceOne, ReplaceAll, or Cancel.
  ReplaceChoice Choice() const { return choice_; }

  TStringChoice* FindChoice() const { return find_; }
  TStringChoice* ReplaceChoiceBox() const { return replace_; }
  TSearchOptionsBox* OptionsBox() const { return options_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Confirm(ReplaceChoice choice);

  TStringChoice* find_;
  TStringChoice* replace_;
  TSearchOptionsBox* options_;
  QRadioButton* cursor_;
  QRadioButton* begin_;
  std::string findString_;
  std::string replaceString_;
  ReplaceChoice choice_ = ReplaceChoice::Cancel;
};

}  // namespace quoxa
