#pragma once
// TFormJump: the Jump width dialog. OK checks that the width is at least 1 and smaller than
// the document.

#include <QDialog>
#include <cstdint>

namespace quoxa {

class TNumberChoice;

class TFormJump : public QDialog {
  Q_OBJECT

 public:
  // Loads the width history; destroying the dialog saves it.
  explicit TFormJump(QWidget* parent = nullptr);
  ~TFormJump() override;

  // What OK accepted.
  int64_t Width() const { return width_; }

  TNumberChoice* NumberBox() const { return number_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ButtonOKClick();

  TNumberChoice* number_;
  int64_t width_ = 0;
};

}  // namespace quoxa
