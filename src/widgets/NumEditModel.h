#pragma once
// The rules of the numeric edit (TQZNumEdit): limits, digits, decimal or "$" hex display,
// the key filter and validation, without any widget.

#include <optional>
#include <string>
#include <string_view>

namespace quoxa {

class NumEditModel {
 public:
  static constexpr int kMaxDigits = 18;

  enum class KeyAction {
    Pass,      // the edit handles the key as usual (Backspace, clipboard keys, accepted characters)
    Swallow,   // the key is dropped
    Validate,  // Enter: validate the text
    Restore,   // Escape: back to the entry value, text selected
  };

  // The number, always within Min..Max and rounded to what the text shows.
  long double Value() const { return value_; }
  void SetValue(long double value);

  long double Min() const { return min_; }
  // Ignored when above Max; clamps Value again.
  void SetMin(long double min);
  long double Max() const { return max_; }
  // Ignored when below Min; clamps Value again.
  void SetMax(long double max);

  int DigitsInt() const { return digitsInt_; }
  void SetDigitsInt(int digits);
  // Digits after the separator; always 0 in hexadecimal.
  int DigitsFrac() const { return hex_ ? 0 : digitsFrac_; }
  void SetDigitsFrac(int digits);

  bool Hex() const { return hex_; }
  // Switches the display; a shown text that reads as a number of the old kind carries its value
  // over. Returns the text to show, or nothing when the shown text stays.
  std::optional<std::string> SwitchHex(bool hex, std::string_view shownText);

  // Whole numbers as written: Validate refuses a fraction, a number outside Min..Max or any
  // other text instead of rounding or clamping it, so that a dialog sees what was pasted.
  bool Strict() const { return strict_; }
  void SetStrict(bool strict) { strict_ = strict; }

  char DecimalSeparator() const { return separator_; }
  void SetDecimalSeparator(char separator) { separator_ = separator; }

  // Value as shown: fixed-point with DigitsFrac decimals, or "$" and upper-case hex digits.
  std::string Text() const;

  // The number a text stands for, or nothing when it does not parse. Hex: optional "-", optional
  // "$", hex digits. Decimal: "," and "." both count as the separator.
  std::optional<long double> Parse(std::string_view text) const;

  // Parses, clamps and takes the value; false (and nothing changed) when the text does not parse
  // (or, when Strict, is no whole number within the limits).
  bool Validate(std::string_view text);

  // A typed character (upper-cased first) against the text that would result from replacing
  // the selection selStart..selStart+selLength with it. Control codes: '\r' Enter, 0x1B Escape,
  // '\b' Backspace, 0x03/0x16/0x18 Ctrl+C/V/X.
  KeyAction FilterKey(std::string_view text, int selStart, int selLength, char typed) const;

  // Leaving the edit: a "$" in the text switches Hex on, and in hexadecimal a missing "$" is
  // put in front. Returns the text to validate.
  std::string PrepareLeave(std::string_view text);

  // The value when the edit got the focus, restored by Escape and after invalid input.
  void RememberEntry() { entry_ = value_; }
  void RestoreEntry() { value_ = entry_; }
  long double EntryValue() const { return entry_; }

 private:
  long double Fit(long double value) const;
  bool LengthsFit(std::string_view text) const;

  long double value_ = 0;
  long double min_ = 0;
  long double max_ = 99999999.9L;
  long double entry_ = 0;
  int digitsInt_ = 8;
  int digitsFrac_ = 0;
  bool hex_ = false;
  bool strict_ = false;
  char separator_ = '.';
};

}  // namespace quoxa
