#pragma once
// TFormGoto: the Go to address dialog. It takes an address or a distance, in decimal or "$"
// hexadecimal, and the Go mode; OK checks that the position lies inside the document.

#include <QDialog>
#include <array>
#include <cstdint>

class QRadioButton;

namespace quoxa {

class TNumberChoice;

class TFormGoto : public QDialog {
  Q_OBJECT

 public:
  // Loads the address history and starts in the Go mode last used; destroying the dialog
  // saves the history.
  explicit TFormGoto(QWidget* parent = nullptr);
  ~TFormGoto() override;

  // What OK accepted.
  int64_t Position() const { return position_; }
  int32_t Mode() const;

  TNumberChoice* NumberBox() const { return number_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ButtonOKClick();

  TNumberChoice* number_;
  std::array<QRadioButton*, 3> modes_{};
  int64_t position_ = 0;
};

}  // namespace quoxa
