#pragma once
// The "Encode integer" dialog: a typed number, its type and where its bytes go. OK converts;
// with "Here" the bytes are only shown and the dialog stays open.

#include <QDialog>
#include <array>
#include <string>

#include "tools/NumberCodec.h"
#include "tools/NumberCommands.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace quoxa {

class TQZHistoryBtn;

class TFormEncode : public QDialog {
  Q_OBJECT

 public:
  // Restores the number's history and the choices of the EncodeAs and EncodeWhere options;
  // destroying the dialog stores the history.
  explicit TFormEncode(QWidget* parent = nullptr);
  ~TFormEncode() override;

  NumberType Type() const;
  EncodeOutput Output() const;
  // The bytes OK converted, in document order.
  const std::string& Bytes() const { return bytes_; }

  QLineEdit* NumberEdit() const { return number_; }
  QLineEdit* HereField() const { return here_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ButtonOKClick();
  void OutputChanged();

  QLineEdit* number_;
  TQZHistoryBtn* history_;
  std::array<QRadioButton*, kNumberTypeCount> types_{};
  std::array<QRadioButton*, 3> outputs_{};
  QLineEdit* here_;
  std::string bytes_;
};

}  // namespace quoxa
