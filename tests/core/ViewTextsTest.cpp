#include <gtest/gtest.h>

#include "ui/main/ViewTexts.h"

namespace quoxa {
namespace {

TEST(ViewTexts, HexTableHasTwoUpperCaseDigitsPerByte) {
  EXPECT_EQ(HexByteText(0x00), "00");
  EXPECT_EQ(HexByteText(0x0A), "0A");
  EXPECT_EQ(HexByteText(0xAB), "AB");
  EXPECT_EQ(HexByteText(0xFF), "FF");
  for (int b = 0; b < 256; ++b) {
    const std::string& text = HexByteText(static_cast<uint8_t>(b));
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(std::stoi(text, nullptr, 16), b);
  }
}

TEST(ViewTexts, ByteZeroShowsAsTheDegreeSign) {
  EXPECT_EQ(DisplayChar(0x00), U'\u00B0');
  EXPECT_EQ(DisplayChar(0xB0), U'\u00B0');
  EXPECT_EQ(DisplayChar(0x41), U'A');
  EXPECT_EQ(DisplayChar(0x01), U'\u0001');
}

TEST(ViewTexts, OtherBytesShowInTheProgramsCodePage) {
  EXPECT_EQ(DisplayChar(0x80), U'\u20AC');
  EXPECT_EQ(DisplayChar(0x9F), U'\u0178');
  EXPECT_EQ(DisplayChar(0xE9), U'\u00E9');
  EXPECT_EQ(DisplayChar(0x81), U'\u0081');
}

TEST(ViewTexts, AddressPanelIsDecimalInTextModeAndHexInHexMode) {
  EXPECT_EQ(AddressPanelText(true, 0), "Adr. dec: 0");
  EXPECT_EQ(AddressPanelText(true, 1234567), "Adr. dec: 1,234,567");
  EXPECT_EQ(AddressPanelText(false, 1), "Adr. hex: 1");
  EXPECT_EQ(AddressPanelText(false, 0xABCDEF), "Adr. hex: ABCDEF");
  EXPECT_EQ(AddressPanelText(false, 0x80000000LL), "Adr. hex: 80000000");
}

TEST(ViewTexts, CharAndModePanels) {
  EXPECT_EQ(CharPanelText(0), "Char dec: 0");
  EXPECT_EQ(CharPanelText(255), "Char dec: 255");
  EXPECT_EQ(ModePanelText(true), "Overwrite");
  EXPECT_EQ(ModePanelText(false), "Insert");
}

TEST(ViewTexts, AddressCellsAreEightCharactersRightAligned) {
  EXPECT_EQ(AddressCellText(0), "       0");
  EXPECT_EQ(AddressCellText(1), "       1");
  EXPECT_EQ(AddressCellText(0x1F0), "     1F0");
  EXPECT_EQ(AddressCellText(0x7FFFFFFF), "7FFFFFFF");
  EXPECT_EQ(AddressCellText(0x80000000LL), "80000000");
}

TEST(ViewTexts, PanelSamplesAreTheWidestTexts) {
  EXPECT_EQ(AddressPanelSample(), "Adr. dec: 999,999,999");
  EXPECT_EQ(CharPanelSample(), "Char dec: 255");
  EXPECT_EQ(ModePanelSample(), "Overwrite");
}

}  // namespace
}  // namespace quoxa
