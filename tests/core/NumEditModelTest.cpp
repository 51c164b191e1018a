#include <gtest/gtest.h>

#include "widgets/ByteEditRules.h"
#include "widgets/NumEditModel.h"

namespace quoxa {
namespace {

using Key = NumEditModel::KeyAction;

// The text after typing keys at the end of text, with the model's key filter deciding.
std::string TypeAtEnd(const NumEditModel& model, std::string text, const std::string& keys) {
  for (char key : keys) {
    if (model.FilterKey(text, static_cast<int>(text.size()), 0, key) != Key::Pass) continue;
    if (key == kKeyBackspace) {
      if (!text.empty()) text.pop_back();
    } else {
      text += static_cast<char>(key >= 'a' && key <= 'z' ? key - 32 : key);
    }
  }
  return text;
}

TEST(NumEditModel, Defaults) {
  NumEditModel m;
  EXPECT_EQ(m.Value(), 0);
  EXPECT_EQ(m.Min(), 0);
  EXPECT_EQ(m.Max(), 99999999.9L);
  EXPECT_EQ(m.DigitsInt(), 8);
  EXPECT_EQ(m.DigitsFrac(), 0);
  EXPECT_FALSE(m.Hex());
  EXPECT_EQ(m.Text(), "0");
}

TEST(NumEditModel, DigitCountsStopAtEighteen) {
  NumEditModel m;
  m.SetDigitsInt(25);
  m.SetDigitsFrac(19);
  EXPECT_EQ(m.DigitsInt(), 18);
  EXPECT_EQ(m.DigitsFrac(), 18);
  m.SetDigitsInt(-3);
  EXPECT_EQ(m.DigitsInt(), 0);
}

TEST(NumEditModel, LimitsThatWouldCrossAreIgnoredAndTheValueFollowsTheLimits) {
  NumEditModel m;
  m.SetValue(500);
  m.SetMin(1000);  // the value follows
  EXPECT_EQ(m.Value(), 1000);
  m.SetMax(999);  // below Min: ignored
  EXPECT_EQ(m.Max(), 99999999.9L);
  m.SetMax(2000);
  m.SetMin(3000);  // above Max: ignored
  EXPECT_EQ(m.Min(), 1000);
  m.SetValue(5000);
  EXPECT_EQ(m.Value(), 2000);
  m.SetMax(1500);
  EXPECT_EQ(m.Value(), 1500);
  m.SetValue(-7);
  EXPECT_EQ(m.Value(), 1000);
}

TEST(NumEditModel, DecimalDisplayHasTheFractionDigitsAndTheLocaleSeparator) {
  NumEditModel m;
  m.SetDigitsFrac(2);
  m.SetValue(1.5L);
  EXPECT_EQ(m.Text(), "1.50");
  m.SetDecimalSeparator(',');
  EXPECT_EQ(m.Text(), "1,50");
  m.SetValue(1234567.125L);
  EXPECT_EQ(m.Text(), "1234567,13");
  m.SetDigitsFrac(0);
  m.SetValue(42);
  EXPECT_EQ(m.Text(), "42");
}

// Validate reads the text, clamps it to the limits and shows it in the edit's form; a text it
// refuses leaves the value (3) as it was.
TEST(NumEditModel, ValidateParsesClampsAndRejects) {
  struct Case {
    int fracDigits;
    char separator;
    bool hex;
    const char* text;
    const char* shown;  // nullptr: refused
    long double value;
  };
  const Case cases[] = {
      {0, '.', false, "123456789", "99999999", 99999999},  // never more than Max
      {2, '.', false, "12.25", "12.25", 12.25L},
      {2, '.', false, "12x", nullptr, 0},
      {2, '.', false, "", nullptr, 0},
      {2, '.', false, "1.000,5", nullptr, 0},
      {2, '.', false, "inf", nullptr, 0},
      {2, '.', false, "-5", "0.00", 0},  // Min
      {2, '.', false, " 7 ", "7.00", 7},
      // Comma and point both read as the separator.
      {2, '.', false, "1,5", "1.50", 1.5L},
      {2, '.', false, "1.5", "1.50", 1.5L},
      {2, ',', false, "1,5", "1,50", 1.5L},
      {2, ',', false, "1.5", "1,50", 1.5L},
      {0, '.', true, "$ff", "$FF", 255},
      {0, '.', true, "1A", "$1A", 26},
      {0, '.', true, "$", nullptr, 0},
      {0, '.', true, "$G1", nullptr, 0},
      {0, '.', true, "$1.5", nullptr, 0},
      {0, '.', true, "$10000000000000000", nullptr, 0},
  };
  for (const Case& c : cases) {
    NumEditModel m;
    m.SetDigitsFrac(c.fracDigits);
    m.SetDecimalSeparator(c.separator);
    m.SetValue(3);
    if (c.hex) m.SwitchHex(true, m.Text());
    EXPECT_EQ(m.Validate(c.text), c.shown != nullptr) << c.text;
    EXPECT_EQ(m.Value(), c.shown != nullptr ? c.value : 3) << c.text;
    if (c.shown != nullptr) {
      EXPECT_EQ(m.Text(), c.shown) << c.text;
    }
  }
}

TEST(NumEditModel, HexDisplayIsDollarAndUpperCaseDigits) {
  NumEditModel m;
  m.SetValue(255);
  ASSERT_EQ(m.Text(), "255");
  const std::optional<std::string> shown = m.SwitchHex(true, m.Text());
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(*shown, "$FF");
  EXPECT_TRUE(m.Hex());
  m.SetValue(0);
  EXPECT_EQ(m.Text(), "$0");
  m.SetValue(4096);
  EXPECT_EQ(m.Text(), "$1000");
}

TEST(NumEditModel, SwitchingHexOffShowsTheNumberInDecimal) {
  NumEditModel m;
  m.SwitchHex(true, "0");
  const std::optional<std::string> shown = m.SwitchHex(false, "$1F");
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(*shown, "31");
  EXPECT_EQ(m.Value(), 31);
  // A text that does not read as a number keeps the value and the text.
  m.SwitchHex(true, "31");
  EXPECT_FALSE(m.SwitchHex(false, "$XY").has_value());
  EXPECT_EQ(m.Value(), 31);
  EXPECT_FALSE(m.SwitchHex(false, "").has_value());
}

TEST(NumEditModel, HexForcesWholeNumbers) {
  NumEditModel m;
  m.SetDigitsFrac(2);
  m.SetValue(10.75L);
  m.SwitchHex(true, m.Text());
  EXPECT_EQ(m.DigitsFrac(), 0);
  EXPECT_EQ(m.Text(), "$B");
  EXPECT_EQ(m.Value(), 11);
}

TEST(NumEditModel, StrictTakesOnlyWholeNumbersWithinTheLimitsAsWritten) {
  struct Case {
    const char* text;
    bool hex;
    long double value;  // -1: refused, the value and text stay
  };
  const Case cases[] = {
      {"12", false, 12},  {" +7 ", false, 7}, {"100", false, 100}, {"-5", false, -1},
      {"1.5", false, -1}, {"2,6", false, -1}, {"1.0", false, -1},  {"1e2", false, -1},
      {"101", false, -1}, {"", false, -1},    {"$1F", true, 31},   {"64", true, 100},
      {"65", true, -1},   {"-$1", true, -1},
  };
  for (const Case& c : cases) {
    NumEditModel m;
    m.SetMax(100);
    m.SetStrict(true);
    m.SetValue(3);
    m.SwitchHex(c.hex, m.Text());
    EXPECT_EQ(m.Validate(c.text), c.value >= 0) << c.text;
    EXPECT_EQ(m.Value(), c.value >= 0 ? c.value : 3) << c.text;
  }
}

TEST(NumEditModel, DecimalKeyFilterLimitsDigits) {
  NumEditModel m;
  EXPECT_EQ(TypeAtEnd(m, "", "123456789"), "12345678");  // a ninth digit is refused
  EXPECT_EQ(TypeAtEnd(m, "", "1.5-A$ "), "15");           // no decimals, no minus above a Min of 0
  m.SetDigitsFrac(2);
  EXPECT_EQ(TypeAtEnd(m, "", "12.345"), "12.34");
  EXPECT_EQ(TypeAtEnd(m, "", "1.2.3"), "1.23");
  EXPECT_EQ(TypeAtEnd(m, "", "123456789.1"), "12345678.1");
  m.SetDecimalSeparator(',');
  EXPECT_EQ(TypeAtEnd(m, "", "1.5,25"), "15,25");
}

TEST(NumEditModel, MinusOnlyFirstAndOnlyBelowZero) {
  NumEditModel m;
  m.SetMin(-100);
  EXPECT_EQ(TypeAtEnd(m, "", "-12345678-9"), "-12345678");
  EXPECT_EQ(TypeAtEnd(m, "5", "-"), "5");
  // At the front of an existing number.
  EXPECT_EQ(m.FilterKey("5", 0, 0, '-'), Key::Pass);
  EXPECT_EQ(m.FilterKey("-5", 0, 0, '-'), Key::Swallow);
  // Replacing a selected minus by a minus is fine.
  EXPECT_EQ(m.FilterKey("-5", 0, 1, '-'), Key::Pass);
}

TEST(NumEditModel, HexKeyFilterCountsTheDollar) {
  NumEditModel m;
  m.SwitchHex(true, "0");
  EXPECT_EQ(TypeAtEnd(m, "$", "1aFg9-.0123"), "$1AF9012");  // 8 characters with the "$"
  m.SetDigitsInt(3);
  EXPECT_EQ(TypeAtEnd(m, "$", "FFF"), "$FF");
}

TEST(NumEditModel, ControlKeys) {
  NumEditModel m;
  EXPECT_EQ(m.FilterKey("12", 2, 0, '\r'), Key::Validate);
  EXPECT_EQ(m.FilterKey("12", 2, 0, 0x1B), Key::Restore);
  EXPECT_EQ(m.FilterKey("12", 2, 0, kKeyBackspace), Key::Pass);
  EXPECT_EQ(m.FilterKey("12345678", 8, 0, kKeyPaste), Key::Pass);
  EXPECT_EQ(m.FilterKey("12", 2, 0, kKeyCopy), Key::Pass);
  EXPECT_EQ(m.FilterKey("12", 2, 0, kKeyCut), Key::Pass);
  EXPECT_EQ(m.FilterKey("12", 2, 0, '\t'), Key::Swallow);
  EXPECT_EQ(m.FilterKey("12", 2, 0, ' '), Key::Swallow);
  EXPECT_EQ(m.FilterKey("12", 2, 0, 0x01), Key::Swallow);
  // A full edit takes a digit that replaces a selected one.
  EXPECT_EQ(m.FilterKey("12345678", 3, 1, '9'), Key::Pass);
  EXPECT_EQ(m.FilterKey("12345678", 3, 0, '9'), Key::Swallow);
}

TEST(NumEditModel, LeavingWithADollarSwitchesToHexAndHexGetsItsDollar) {
  NumEditModel m;
  EXPECT_EQ(m.PrepareLeave("255"), "255");
  EXPECT_FALSE(m.Hex());
  EXPECT_EQ(m.PrepareLeave("$1F"), "$1F");
  EXPECT_TRUE(m.Hex());
  EXPECT_EQ(m.PrepareLeave("1F"), "$1F");
  EXPECT_EQ(m.PrepareLeave("-1F"), "-$1F");
}

TEST(NumEditModel, EntryValueComesBack) {
  NumEditModel m;
  m.SetValue(12);
  m.RememberEntry();
  ASSERT_TRUE(m.Validate("99"));
  m.RestoreEntry();
  EXPECT_EQ(m.Value(), 12);
  EXPECT_EQ(m.EntryValue(), 12);
}

TEST(NumEditModel, NegativeHexRoundTrips) {
  NumEditModel m;
  m.SetMin(-1000);
  m.SetValue(-31);
  m.SwitchHex(true, m.Text());
  EXPECT_EQ(m.Text(), "-$1F");
  ASSERT_TRUE(m.Validate(m.Text()));
  EXPECT_EQ(m.Value(), -31);
}

}  // namespace
}  // namespace quoxa
