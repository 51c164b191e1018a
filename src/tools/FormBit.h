#pragma once
// TFormBit, "Bit manipulation": the byte at the cursor as eight check boxes; Set writes the
// byte back when it changed.

#include <QDialog>
#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;

namespace quoxa {

class TFormBit : public QDialog {
  Q_OBJECT

 public:
  // Opens on the byte at the cursor.
  explicit TFormBit(QWidget* parent = nullptr);

  // The value the check boxes show.
  uint8_t Value() const;
  uint8_t OpeningByte() const { return opening_; }
  QCheckBox* Bit(int n) const { return bits_[static_cast<size_t>(n)]; }
  QLabel* ValueLabel() const { return label_; }

 private:
  void ShowValue(uint8_t value);
  void UpdateLabel();
  void SetAll(bool checked);
  void ToggleAll();
  void Reread();
  void ButtonSetClick();

  QGroupBox* group_;
  std::array<QCheckBox*, 8> bits_{};
  QLabel* label_;
  uint8_t opening_ = 0;
};

}  // namespace quoxa
