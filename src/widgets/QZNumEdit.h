#pragma once
// TQZNumEdit: a one-line edit for a number in decimal or "$" hexadecimal, with limits and
// digit counts; it takes only what keeps the text a number and checks it when left.

#include <QLineEdit>

#include "widgets/NumEditModel.h"

class QAbstractButton;

namespace quoxa {

// The locale's decimal separator when it is one ASCII character, else ".".
char LocaleDecimalSeparator();

class TQZNumEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Dynamic property for push buttons outside a QDialogButtonBox that close a dialog without
  // taking its input (Cancel, Help): moving the focus to them leaves a bad number be.
  static constexpr const char* kIgnoresInput = "ignoresInput";

  explicit TQZNumEdit(QWidget* parent = nullptr);

  long double Value() const { return model_.Value(); }
  void SetValue(long double value);
  long double Min() const { return model_.Min(); }
  void SetMin(long double min);
  long double Max() const { return model_.Max(); }
  void SetMax(long double max);
  int DigitsInt() const { return model_.DigitsInt(); }
  void SetDigitsInt(int digits) { model_.SetDigitsInt(digits); }
  int DigitsFrac() const { return model_.DigitsFrac(); }
  void SetDigitsFrac(int digits);
  bool Hex() const { return model_.Hex(); }
  // Converts the shown number to "$" hex or back to decimal.
  void SetHex(bool hex);

  // Parses the text, clamps it to the limits and shows it anew; false when it is no number.
  bool Validate();
  // Whole numbers as written (NumEditModel::SetStrict): a text Enter or leaving cannot take stays
  // as it is, for the dialog's OK to refuse.
  void SetStrict(bool strict) { model_.SetStrict(strict); }

 signals:
  // Hex was switched, by SetHex or by a "$" typed or pasted into the text.
  void HexChanged(bool hex);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ShowValue();
  static bool IgnoresInput(const QWidget* next);

  NumEditModel model_;
};

}  // namespace quoxa
