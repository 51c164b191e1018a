#pragma once
// The About window: program name, version and the memory in use.

#include <QDialog>

class QLabel;

namespace quoxa {

class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFormAbout(QWidget* parent = nullptr);

  QLabel* LabelInfo() const { return labelInfo_; }

 private:
  QLabel* labelInfo_;
};

}  // namespace quoxa
