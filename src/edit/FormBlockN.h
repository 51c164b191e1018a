#pragma once
// TFormBlockN: the Block <n> chars dialog. It takes the number of bytes to mark from the cursor
// on, in decimal or "$" hexadecimal, with its history.

#include <QDialog>
#include <cstdint>

namespace quoxa {

class TNumberChoice;

class TFormBlockN : public QDialog {
  Q_OBJECT

 public:
  // Loads the history; destroying the dialog saves it.
  explicit TFormBlockN(QWidget* parent = nullptr);
  ~TFormBlockN() override;

  // The size OK accepted.
  int64_t N() const { return n_; }
  TNumberChoice* Number() const { return number_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ButtonOKClick();

  TNumberChoice* number_;
  int64_t n_ = 0;
};

}  // namespace quoxa
