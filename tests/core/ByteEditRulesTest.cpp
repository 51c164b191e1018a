#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "widgets/ByteEditRules.h"

namespace quoxa {
namespace {

// A line edit as the byte string edit drives it: the key filter decides, the edit inserts
// or deletes, then the text formats itself.
struct Edit {
  std::string text;
  int caret = 0;

  void Type(char typed) {
    const ByteKeyResult r = FilterByteEditKey(text, caret, typed);
    if (r.action == ByteKeyAction::Swallow) return;
    if (typed == kKeyBackspace) {
      text.erase(static_cast<size_t>(caret - 1), 1);
      --caret;
    } else if (r.action == ByteKeyAction::Insert) {
      text.insert(static_cast<size_t>(r.caret), 1, r.ch);
      caret = r.caret + 1;
    } else {
      return;
    }
    const ByteEditText formatted = FormatByteEditText(text, caret);
    text = formatted.text;
    caret = formatted.caret;
  }
  void Type(const std::string& keys) {
    for (char key : keys) Type(key);
  }
};

TEST(ByteEditTyping, DigitsGroupThemselvesIntoPairsAsTheyAreTyped) {
  Edit e;
  const char* expected[] = {"4", "41", "41 4", "41 42", "41 42 4", "41 42 43"};
  const std::string keys = "414243";
  for (size_t i = 0; i < keys.size(); ++i) {
    e.Type(keys[i]);
    EXPECT_EQ(e.text, expected[i]) << "after key " << i;
    EXPECT_EQ(e.caret, static_cast<int>(e.text.size())) << "after key " << i;
  }
}

TEST(ByteEditTyping, LowerCaseDigitsBecomeUpperCase) {
  Edit e;
  e.Type("abcdef");
  EXPECT_EQ(e.text, "AB CD EF");
}

TEST(ByteEditTyping, EverythingButHexDigitsIsSwallowed) {
  for (char key : std::string(" -gGz$.\t\r\x01\x1A")) {
    const ByteKeyResult r = FilterByteEditKey("41", 2, key);
    EXPECT_EQ(r.action, ByteKeyAction::Swallow) << static_cast<int>(key);
  }
  for (char key : {kKeyCopy, kKeyPaste, kKeyCut}) {
    EXPECT_EQ(FilterByteEditKey("41 42", 1, key).action, ByteKeyAction::Pass) << static_cast<int>(key);
  }
  const ByteKeyResult digit = FilterByteEditKey("41", 2, 'c');
  EXPECT_EQ(digit.action, ByteKeyAction::Insert);
  EXPECT_EQ(digit.ch, 'C');
  EXPECT_EQ(digit.caret, 2);
}

TEST(ByteEditTyping, BackspaceWorksOnlyAtTheEnd) {
  EXPECT_EQ(FilterByteEditKey("41 42", 5, kKeyBackspace).action, ByteKeyAction::Pass);
  EXPECT_EQ(FilterByteEditKey("41 42", 4, kKeyBackspace).action, ByteKeyAction::Pass);
  EXPECT_EQ(FilterByteEditKey("41 42", 3, kKeyBackspace).action, ByteKeyAction::Swallow);
  EXPECT_EQ(FilterByteEditKey("41 42", 1, kKeyBackspace).action, ByteKeyAction::Swallow);
  EXPECT_EQ(FilterByteEditKey("41 42", 0, kKeyBackspace).action, ByteKeyAction::Swallow);
  EXPECT_EQ(FilterByteEditKey("4", 0, kKeyBackspace).action, ByteKeyAction::Swallow);
  EXPECT_EQ(FilterByteEditKey("", 0, kKeyBackspace).action, ByteKeyAction::Swallow);

  Edit e{"41 42 43", 8};
  const char* expected[] = {"41 42 4", "41 42", "41 4", "41", "4", ""};
  for (const char* text : expected) {
    e.Type(kKeyBackspace);
    EXPECT_EQ(e.text, text);
    EXPECT_EQ(e.caret, static_cast<int>(e.text.size()));
  }
  e.Type(kKeyBackspace);
  EXPECT_EQ(e.text, "");
}

TEST(ByteEditTyping, ADigitAfterACompleteByteJumpsTheBlank) {
  Edit e{"41 42", 2};
  e.Type('5');
  // The new digit starts a byte of its own before 42, with the caret behind it.
  EXPECT_EQ(e.text, "41 5 42");
  EXPECT_EQ(e.caret, 4);
  e.Type('6');
  EXPECT_EQ(e.text, "41 56 42");
  EXPECT_EQ(e.caret, 6);
}

TEST(ByteEditTyping, ADigitInsideAByteSplitsItBeforeTheNewDigit) {
  Edit e{"41", 1};
  e.Type('F');
  EXPECT_EQ(e.text, "4 F1");
  EXPECT_EQ(e.caret, 3);
  e = Edit{"41", 0};
  e.Type('F');
  EXPECT_EQ(e.text, "F 41");
  EXPECT_EQ(e.caret, 1);
}

TEST(ByteEditFormat, PiecesOfFourAndThreeAreSplit) {
  EXPECT_EQ(FormatByteEditText("4142", 4).text, "41 42");
  EXPECT_EQ(FormatByteEditText("414", 3).text, "41 4");
  EXPECT_EQ(FormatByteEditText("414", 1).text, "4 14");
  EXPECT_EQ(FormatByteEditText("414", 2).text, "4 14");
  EXPECT_EQ(FormatByteEditText("  41   42 ", 0).text, "41 42");
  EXPECT_EQ(FormatByteEditText("41424", 5).text, "41424");
  EXPECT_EQ(FormatByteEditText("414243", 6).text, "414243");
  EXPECT_EQ(FormatByteEditText("", 0).text, "");
  EXPECT_EQ(FormatByteEditText("   ", 3).text, "");
}

TEST(ByteEditFormat, CaretPlacement) {
  // At the end it stays at the end.
  EXPECT_EQ(FormatByteEditText("414", 3).caret, 4);
  EXPECT_EQ(FormatByteEditText("41 ", 3).caret, 2);
  // Inside a group it keeps its index.
  EXPECT_EQ(FormatByteEditText("4142", 1).caret, 1);
  // Before a blank it moves past it...
  EXPECT_EQ(FormatByteEditText("41 42", 2).caret, 3);
  // ...unless that leaves it behind a one-digit byte, where it goes back to complete it.
  EXPECT_EQ(FormatByteEditText("41 5 42", 5).caret, 4);
  EXPECT_EQ(FormatByteEditText("5 42", 2).caret, 1);
  EXPECT_EQ(FormatByteEditText("41 42", 0).caret, 0);
  // Never beyond the new text.
  EXPECT_EQ(FormatByteEditText("41   ", 5).caret, 2);
}

TEST(ByteEditFormat, TypingAnywhereKeepsTheSeparatedFormOfCompleteBytes) {
  // Whatever digit is typed at whatever caret, the text never gets two blanks in a row or a
  // blank at an end, and a text of whole bytes plus one typed at the end stays whole.
  for (int caret = 0; caret <= 8; ++caret) {
    Edit e{"41 42 43", caret};
    e.Type('7');
    EXPECT_EQ(e.text.find("  "), std::string::npos) << caret;
    EXPECT_NE(e.text.front(), ' ');
    EXPECT_NE(e.text.back(), ' ');
    EXPECT_EQ(e.text.size(), 10u) << caret << " " << e.text;
  }
}

TEST(ByteEditValidity, OnlyWholeBytesWithSingleBlanksAreValid) {
  EXPECT_TRUE(IsValidByteEditText("41 42"));
  EXPECT_TRUE(IsValidByteEditText("4a ff"));
  EXPECT_TRUE(IsValidByteEditText("2E"));
  EXPECT_FALSE(IsValidByteEditText(""));
  EXPECT_FALSE(IsValidByteEditText(" 41"));
  EXPECT_FALSE(IsValidByteEditText("41  42"));
  EXPECT_FALSE(IsValidByteEditText("41 4"));
  EXPECT_FALSE(IsValidByteEditText("4"));
  EXPECT_FALSE(IsValidByteEditText("41424"));
  EXPECT_FALSE(IsValidByteEditText("41 42434"));
}

TEST(ByteEditValidity, MaximumLength) {
  EXPECT_EQ(ByteEditMaxLength(0), 0);
  EXPECT_EQ(ByteEditMaxLength(1), 2);
  EXPECT_EQ(ByteEditMaxLength(4), 11);
  EXPECT_EQ(ByteEditMaxLength(INT_MAX), INT_MAX);
}

}  // namespace
}  // namespace quoxa
