#pragma once
// The "Decode number" dialog: the bytes at the cursor read as integers and floats.

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace quoxa {

class TFormDecode : public QDialog {
  Q_OBJECT

 public:
  TFormDecode(const std::vector<std::string>& lines, bool bigEndian, QWidget* parent = nullptr);

  QPlainTextEdit* Memo() const { return memo_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPlainTextEdit* memo_;
};

}  // namespace quoxa
