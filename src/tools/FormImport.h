#pragma once
// TFormImport, "Import": the format of the file to read and, for Intel HEX and S-record, the
// byte that fills the gaps between the records.

#include <QDialog>
#include <array>

#include "tools/DataSettings.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace quoxa {

class TFormImport : public QDialog {
  Q_OBJECT

 public:
  explicit TFormImport(const TImportChoices& choices, QWidget* parent = nullptr);

  // What OK accepted.
  const TImportChoices& Result() const { return result_; }

  QRadioButton* FormatRadio(size_t index) const { return formats_[index]; }
  QLineEdit* FillEdit() const { return fill_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TDataFormat Format() const;
  void ButtonOKClick();

  std::array<QRadioButton*, 4> formats_{};
  QLabel* fillLabel_;
  QLineEdit* fill_;
  TImportChoices result_;
};

}  // namespace quoxa
