// The OK checks of the Find/Count and Replace dialogs, the values they copy back, and the byte
// that Right arrow picks up in a hex string edit.
#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "search/SearchInput.h"
#include "search/SearchState.h"
#include "settings/Options.h"

namespace quoxa {
namespace {

constexpr const char* kCaseQuestion =
    "The hex string to find contains case sensitive chars.\nBecause you have NOT checked \"Case sensitive\",\n"
    "this may produce unwanted results.\n\nPerform instead a CASE SENSITIVE search?";

class SearchInput : public ::testing::Test {
 protected:
  static FindFields Text(const std::string& text) {
    FindFields f;
    f.jokerText = "2E";
    f.findText = text;
    return f;
  }
  static FindFields Hex(const std::string& hex, bool caseSensitive = true) {
    FindFields f;
    f.jokerText = "2E";
    f.hexMode = true;
    f.findHexText = hex;
    f.caseSensitive = caseSensitive;
    return f;
  }
  std::vector<std::string> Texts() const { return rec.messages.Texts(); }

  test::RecorderScope rec;
};

TEST_F(SearchInput, TheJokerEditMustHoldOneByteEvenWhenTheJokerIsOff) {
  for (const std::string joker : {"", "4", "41 42", "4G", " 41"}) {
    FindFields f = Text("abc");
    f.jokerText = joker;
    const FieldCheck check = CheckFindFields(f);
    EXPECT_FALSE(check.accepted) << joker;
    EXPECT_EQ(check.focus, DialogField::Joker);
  }
  EXPECT_EQ(Texts(), std::vector<std::string>(5, "Enter joker char"));
  FindFields f = Hex("");
  f.jokerText = "";
  CheckFindFields(f);
  EXPECT_EQ(Texts().size(), 6u) << "the joker is checked first, and alone";

  f = Text("x");
  f.jokerText = "a0";
  const FieldCheck check = CheckFindFields(f);
  EXPECT_TRUE(check.accepted);
  EXPECT_EQ(check.jokerByte, 0xA0);
}

TEST_F(SearchInput, TextIsTakenAsTypedAndMustNotBeEmpty) {
  FieldCheck check = CheckFindFields(Text(""));
  EXPECT_FALSE(check.accepted);
  EXPECT_EQ(check.focus, DialogField::FindText);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Can't find empty string"});

  check = CheckFindFields(Text(" a\xC3\xA9 "));  // blanks kept, é as its code page byte
  EXPECT_TRUE(check.accepted);
  EXPECT_EQ(check.findString, " a\xE9 ");
  check = CheckFindFields(Text("\xE2\x82\xAC\xE4\xB8\xAD"));  // the euro sign is in the code page, a CJK sign is not
  EXPECT_EQ(check.findString, "\x80?");
}

TEST_F(SearchInput, HexStringsMustBeValidAndEmptyIsInvalid) {
  for (const std::string hex : {"", "4", "41  42", "41 42 ", "4142"}) {
    const FieldCheck check = CheckFindFields(Hex(hex));
    EXPECT_FALSE(check.accepted) << hex;
    EXPECT_EQ(check.focus, DialogField::FindHex);
  }
  EXPECT_EQ(Texts(), std::vector<std::string>(5, "Hex string invalid"));
  const FieldCheck check = CheckFindFields(Hex("00 ff 7F"));
  EXPECT_TRUE(check.accepted);
  EXPECT_EQ(check.findString, std::string("\x00\xFF\x7F", 3));
}

TEST_F(SearchInput, LettersInAHexStringWithoutCaseSensitiveAskTheQuestion) {
  rec.messages.answers = {mrYes};
  FieldCheck check = CheckFindFields(Hex("41 42", false));
  EXPECT_TRUE(check.accepted);
  EXPECT_TRUE(check.caseSensitive);
  ASSERT_EQ(Texts(), std::vector<std::string>{kCaseQuestion});
  EXPECT_EQ(rec.messages.shown[0].buttons, unsigned{mbYes | mbNo | mbCancel});

  rec.messages.answers = {mrNo};
  check = CheckFindFields(Hex("41 42", false));
  EXPECT_TRUE(check.accepted);
  EXPECT_FALSE(check.caseSensitive);

  rec.messages.answers = {mrCancel};
  check = CheckFindFields(Hex("41 42", false));
  EXPECT_FALSE(check.accepted);
  EXPECT_EQ(check.focus, DialogField::None);
  EXPECT_EQ(Texts().size(), 3u);

  // Digits have no case; a set check box or the text mode never asks.
  EXPECT_TRUE(CheckFindFields(Hex("31 32", false)).accepted);
  EXPECT_TRUE(CheckFindFields(Hex("41 42", true)).accepted);
  FieldCheck text = CheckFindFields(Text("AB"));
  EXPECT_TRUE(text.accepted);
  EXPECT_EQ(Texts().size(), 3u);
  // A byte that only has a lower-case form (here À, C0) asks as well.
  rec.messages.answers = {mrNo};
  EXPECT_TRUE(CheckFindFields(Hex("C0", false)).accepted);
  EXPECT_EQ(Texts().size(), 4u);
}

TEST_F(SearchInput, TheReplacementMayBeEmptyButAHexOneMustBeValid) {
  ReplaceFields text;
  FieldCheck check = CheckReplaceFields(Text("a"), text);
  EXPECT_TRUE(check.accepted);
  EXPECT_EQ(check.replaceString, "");
  text.replaceText = " \xC3\xA9";
  EXPECT_EQ(CheckReplaceFields(Text("a"), text).replaceString, " \xE9");

  ReplaceFields hex;
  hex.hexMode = true;
  EXPECT_TRUE(CheckReplaceFields(Text("a"), hex).accepted);
  hex.replaceHexText = "0A 0b";
  EXPECT_EQ(CheckReplaceFields(Text("a"), hex).replaceString, "\x0A\x0B");
  hex.replaceHexText = "0A 0";
  check = CheckReplaceFields(Text("a"), hex);
  EXPECT_FALSE(check.accepted);
  EXPECT_EQ(check.focus, DialogField::ReplaceHex);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Hex string invalid"});

  // The find part comes first and stops the checks.
  check = CheckReplaceFields(Text(""), hex);
  EXPECT_EQ(check.focus, DialogField::FindText);
  EXPECT_EQ(Texts().back(), "Can't find empty string");
  EXPECT_EQ(Texts().size(), 2u);

  // After the case question the replacement is still checked.
  rec.messages.answers = {mrYes};
  check = CheckReplaceFields(Hex("61", false), hex);
  EXPECT_FALSE(check.accepted);
  EXPECT_TRUE(check.caseSensitive);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Hex string invalid", "Can't find empty string", kCaseQuestion,
                                               "Hex string invalid"}));
}

TEST_F(SearchInput, DialogValuesComeFromTheStateAndGoBackIntoIt) {
  SearchState& s = Search();
  s.CaseSensitive = false;
  s.JokerEnabled = true;
  s.JokerByte = 0x3F;
  s.SearchDown = false;
  s.FromCursor = false;
  Options().FindHex = false;
  Options().ReplaceHex = true;
  SearchDialogValues v = CurrentDialogValues();
  EXPECT_FALSE(v.caseSensitive);
  EXPECT_TRUE(v.jokerEnabled);
  EXPECT_EQ(v.jokerByte, 0x3F);
  EXPECT_FALSE(v.searchDown);
  EXPECT_FALSE(v.fromCursor);
  EXPECT_FALSE(v.findHexMode);
  EXPECT_TRUE(v.replaceHexMode);

  v = SearchDialogValues{};
  v.findString = "f";
  v.replaceString = "r";
  v.searchDown = false;
  v.replaceHexMode = false;
  s.ReplaceString = "old";
  ApplyFindValues(v);
  EXPECT_EQ(s.FindString, "f");
  EXPECT_EQ(s.ReplaceString, "old");
  EXPECT_FALSE(s.SearchDown);
  EXPECT_TRUE(s.CaseSensitive);
  EXPECT_TRUE(Options().FindHex);
  EXPECT_TRUE(Options().ReplaceHex);

  v.searchDown = true;
  ApplyReplaceValues(v);
  EXPECT_EQ(s.ReplaceString, "r");
  EXPECT_FALSE(s.SearchDown) << "the Replace dialog has no direction";
  EXPECT_FALSE(Options().ReplaceHex);
}

TEST_F(SearchInput, RightArrowPicksUpTheDocumentBytesOneByOne) {
  test::LoadDocument("ABCD", 4, 4);
  GotoAddress(2, true, false);
  EXPECT_EQ(PickUpNextByteText(""), "42");
  EXPECT_EQ(PickUpNextByteText("42"), "42 43");
  EXPECT_EQ(PickUpNextByteText("42 43"), "42 43 44");
  EXPECT_EQ(PickUpNextByteText("42 43 44"), std::nullopt) << "nothing behind the last byte";
  EXPECT_EQ(PickUpNextByteText("42 44"), std::nullopt) << "the edit no longer matches the document";
  EXPECT_EQ(PickUpNextByteText("4"), std::nullopt) << "not a hex string";

  // With the cursor on the last byte: that byte once, then nothing more.
  GotoAddress(4, true, false);
  const std::optional<std::string> once = PickUpNextByteText("");
  EXPECT_EQ(once, "44");
  EXPECT_EQ(PickUpNextByteText(*once), std::nullopt);

  test::LoadDocument("", 4, 4);
  EXPECT_EQ(PickUpNextByteText(""), std::nullopt);
}

TEST_F(SearchInput, TheJokerLabelShowsTheByteAsACharacter) {
  EXPECT_EQ(JokerCharText(0x2E), ".");
  EXPECT_EQ(JokerCharText(0xE9), "\xC3\xA9");
  EXPECT_EQ(JokerCharText(0x80), "\xE2\x82\xAC");
}

}  // namespace
}  // namespace quoxa
