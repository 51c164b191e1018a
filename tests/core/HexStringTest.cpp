#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "widgets/HexString.h"

namespace quoxa {
namespace {

std::string ThrownText(const std::function<void()>& action) {
  try {
    action();
  } catch (const ConvertError& error) {
    return error.what();
  }
  return "(nothing thrown)";
}

TEST(HexString, BytesPrintAsUpperCaseDigitPairs) {
  EXPECT_EQ(HexByte(0x00), "00");
  EXPECT_EQ(HexByte(0xAB), "AB");
  EXPECT_EQ(HexByte(0x7F), "7F");
  EXPECT_EQ(BytesToHexString(std::string("\x00\x7F\xFF", 3), true), "00 7F FF");
  EXPECT_EQ(BytesToHexString(std::string("\x00\x7F\xFF", 3), false), "007FFF");
  EXPECT_EQ(BytesToHexString("AB C", true), "41 42 20 43");
  EXPECT_EQ(BytesToHexString("", true), "");
  EXPECT_EQ(BytesToHexString("", false), "");
  EXPECT_EQ(BytesToHexString("\n", true), "0A");
}

// The separated form needs digit pairs with a blank at every third place (where a digit may stand
// as well: the length and the digits decide); the compact form an even number of digits.
TEST(HexString, EachFormTakesItsTextsOnly) {
  const struct {
    bool separated;
    std::vector<const char*> valid, invalid;
  } forms[] = {
      {true,
       {"4a ff", "4A", "00 7F FF", "41424"},
       {"4AFF", "4A  FF", "4A FF ", " 4A FF", "4", "", "4G", "4A-FF", "4 A"}},
      {false, {"F7D0f7d2B937", ""}, {"F7D", "F7 D0", "F7DX"}},
  };
  for (const auto& form : forms) {
    for (const char* text : form.valid) EXPECT_TRUE(IsHexString(text, form.separated)) << text;
    for (const char* text : form.invalid) EXPECT_FALSE(IsHexString(text, form.separated)) << text;
  }
}

// Pair by pair; a single digit left at the end adds nothing.
TEST(HexString, TextConvertsPairByPair) {
  const struct {
    const char* text;
    bool separated;
    const char* bytes;
  } cases[] = {
      {"41 42 20 43", true, "AB C"}, {"4a ff", true, "\x4A\xFF"}, {"", true, ""},
      {"4", true, ""},               {"41 4", true, "A"},
      {"F7D0F7D2B937", false, "\xF7\xD0\xF7\xD2\xB9\x37"},
      {"414", false, "A"},
  };
  for (const auto& c : cases) EXPECT_EQ(HexStringToBytes(c.text, c.separated), c.bytes) << c.text;
}

TEST(HexString, BadTextsFailWithTheirMessage) {
  EXPECT_EQ(ThrownText([] { HexStringToBytes("414", true); }), "Hex string invalid");
  EXPECT_EQ(ThrownText([] { HexStringToBytes("41-42", true); }), "Hex string invalid");
  EXPECT_EQ(ThrownText([] { HexStringToBytes("4G 42", true); }), "Not a hex char");
  EXPECT_EQ(ThrownText([] { HexStringToBytes("41 4G", true); }), "Not a hex char");
  EXPECT_EQ(ThrownText([] { HexStringToBytes("41 42", false); }), "Not a hex char");
}

TEST(HexString, RoundTripOfEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string separated = BytesToHexString(all, true);
  EXPECT_EQ(separated.size(), 3 * 256 - 1);
  EXPECT_TRUE(IsHexString(separated, true));
  EXPECT_EQ(HexStringToBytes(separated, true), all);
  EXPECT_EQ(HexStringToBytes(BytesToHexString(all, false), false), all);
}

TEST(HexString, DigitValues) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('A'), 10);
  EXPECT_EQ(HexDigitValue('f'), 15);
  for (char ch : std::string("gG/:@`x ")) {
    EXPECT_EQ(ThrownText([ch] { HexDigitValue(ch); }), "Not a hex char") << ch;
  }
}

TEST(HexString, HexToIntAccumulatesMostSignificantFirst) {
  EXPECT_EQ(HexToInt(""), 0);
  EXPECT_EQ(HexToInt("2E"), 0x2E);
  EXPECT_EQ(HexToInt("2e"), 0x2E);
  EXPECT_EQ(HexToInt("00FF"), 255);
  EXPECT_EQ(HexToInt("FFFFFFFF"), 0xFFFFFFFFLL);
  EXPECT_EQ(HexToInt("7FFFFFFFFFFFFFFF"), INT64_MAX);
  EXPECT_EQ(ThrownText([] { HexToInt("8000000000000000"); }), "Hex number too large");
  EXPECT_EQ(ThrownText([] { HexToInt("4x"); }), "Not a hex char");
  EXPECT_EQ(ThrownText([] { HexToInt("$FF"); }), "Not a hex char");
}

}  // namespace
}  // namespace quoxa
