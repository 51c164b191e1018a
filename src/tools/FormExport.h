#pragma once
// TFormExport, "Export as": the format, the file or the block, and the options of the format;
// OK checks them against the bytes to export.

#include <QDialog>
#include <array>

#include "tools/DataCommands.h"
#include "tools/DataSettings.h"
#include "tools/ExportFormat.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace quoxa {

class TFormExport : public QDialog {
  Q_OBJECT

 public:
  TFormExport(const TExportSetup& setup, const TExportChoices& choices, QWidget* parent = nullptr);

  // What OK accepted.
  const TExportOptions& Result() const { return result_; }
  bool BlockChosen() const;
  TExportChoices Choices() const;

  QRadioButton* FormatRadio(TDataFormat format) const {
    return formats_[static_cast<size_t>(format)];
  }
  QRadioButton* WholeRadio() const { return whole_; }
  QRadioButton* BlockRadio() const { return block_; }
  QLineEdit* BaseEdit() const { return base_; }
  QCheckBox* StartBox() const { return startBox_; }
  QLineEdit* StartEdit() const { return start_; }
  QLineEdit* HeaderEdit() const { return header_; }
  QLineEdit* NameEdit() const { return name_; }
  QComboBox* RecordCombo() const { return recordBytes_; }
  QComboBox* LineCombo() const { return lineBytes_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TDataFormat Format() const;
  void FollowChoices();
  void ButtonOKClick();
  void Refuse(const std::string& text, QLineEdit* field);

  TExportSetup setup_;
  std::array<QRadioButton*, std::size(kAllDataFormats)> formats_{};
  QRadioButton* whole_;
  QRadioButton* block_;
  QGroupBox* records_;
  QGroupBox* source_;
  QLineEdit* base_;
  QComboBox* recordBytes_;
  QCheckBox* startBox_;
  QLineEdit* start_;
  QLineEdit* header_;
  QLineEdit* name_;
  QComboBox* lineBytes_;
  // The addresses follow the range until the user types one.
  bool baseTyped_ = false;
  bool startTyped_ = false;
  TExportOptions result_;
};

}  // namespace quoxa
